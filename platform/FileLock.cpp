#include "platform/FileLock.h"

#include <QFileInfo>

FileLock::FileLock(const QString &path, int waitMs)
    : m_lock(lockPath(path))
{
    if (m_lock.tryLock(waitMs) || m_lock.error() != QLockFile::LockFailedError)
        return;
    qint64 pid = 0;
    QString host;
    QString program;
    m_lock.getLockInfo(&pid, &host, &program);
    m_error = QStringLiteral("another program (%1, process %2) kept it busy for over %3 s")
                  .arg(program)
                  .arg(pid)
                  .arg(waitMs / 1000);
}

QString FileLock::lockPath(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}
