#include "shortcuts/FileOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString FileOps::removePath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (info.isDir() && !info.isSymLink()) {
        if (QDir(path).removeRecursively())
            return {};
        return QStringLiteral("could not remove the folder");
    }
    QFile file(path);
    return file.remove() ? QString() : file.errorString();
}

QString FileOps::copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return QStringLiteral("could not make the folder");
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return QStringLiteral("could not make %1").arg(target);
            continue;
        }
        QFile file(source);
        if (!file.copy(target))
            return QStringLiteral("%1: %2").arg(target, file.errorString());
    }
    return {};
}
