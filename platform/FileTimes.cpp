#include "platform/FileTimes.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

QDateTime FileTimes::creation(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime born = info.birthTime();
    return born.isValid() ? born : info.lastModified();
}

QString FileTimes::touch(const QString &path)
{
    if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), nullptr, 0) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno));
}
