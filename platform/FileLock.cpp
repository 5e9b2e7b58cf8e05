#include "platform/FileLock.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace {

// QLockFile's own wait backs off to sleeps of seconds, during which the file
// is mostly free; the holders here keep it for milliseconds.
constexpr int kPollMs = 10;

} // namespace

FileLock::FileLock(const QString &path, int waitMs)
    : m_lock(lockPath(path))
{
    const QDeadlineTimer deadline(waitMs);
    while (!m_lock.tryLock(0)) {
        if (m_lock.error() != QLockFile::LockFailedError)
            return;
        if (deadline.hasExpired()) {
            qint64 pid = 0;
            QString host;
            QString program;
            m_lock.getLockInfo(&pid, &host, &program);
            m_error = QStringLiteral("another program (%1, process %2) kept it busy for over %3 s")
                          .arg(program)
                          .arg(pid)
                          .arg(waitMs / 1000);
            return;
        }
        QThread::msleep(kPollMs);
    }
}

QString FileLock::lockPath(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}
