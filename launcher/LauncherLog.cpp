#include "launcher/LauncherLog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

bool LauncherLog::redirectConsoleLogToDocumentFolder(const QString &documents)
{
    QDir().mkpath(documents);
    const QByteArray path = QFile::encodeName(documents + QStringLiteral("/setupwizarderror.txt"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::fflush(stderr);
    const bool moved = ::dup2(fd, STDERR_FILENO) >= 0;
    ::close(fd);
    return moved;
}

void LauncherLog::line(const QString &text)
{
    // Time, program and process first, so lines of several starts can be told apart.
    const QString stamped = QStringLiteral("%1 HRX260A[%2] %3")
                                .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")))
                                .arg(QCoreApplication::applicationPid())
                                .arg(text);
    std::fprintf(stderr, "%s\n", stamped.toUtf8().constData());
    std::fflush(stderr);
}
