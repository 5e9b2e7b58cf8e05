#include "launcher/LauncherPairing.h"

#include "launcher/LauncherLog.h"

#include <QDir>
#include <QRegularExpression>

namespace {

QString described(const QDateTime &when)
{
    return when.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
}

double seconds(const QDateTime &when)
{
    return double(when.toMSecsSinceEpoch()) / 1000.0;
}

} // namespace

QString LauncherPairing::bundlePath(const QString &executable)
{
    const qsizetype at = executable.lastIndexOf(QLatin1String("/Contents/MacOS/HRX260A"));
    return at < 0 ? executable : executable.left(at);
}

QString LauncherPairing::findPropertyList(const QString &folder, const QString &bundle, const CreationTime &creationOf)
{
    static const QRegularExpression name(QStringLiteral("^nimboraInfo*"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QStringList entries
        = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        LauncherLog::line(entry);
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        LauncherLog::line(QStringLiteral("{%1, %2}").arg(match.capturedStart()).arg(match.capturedLength()));
        const QString candidate = folder + entry;
        LauncherLog::line(QStringLiteral("newFilePath=%1").arg(candidate));

        const QDateTime fileCreation = creationOf(candidate);
        const double fileCreationTime = seconds(fileCreation);
        LauncherLog::line(QStringLiteral("nimboraFileCreationDate=%1").arg(described(fileCreation)));
        LauncherLog::line(QStringLiteral("fileCreationTime=%1").arg(fileCreationTime, 0, 'f', 6));

        LauncherLog::line(QStringLiteral("path=%1").arg(bundle));
        const QDateTime appCreation = creationOf(bundle);
        const double appCreationDate = seconds(appCreation);
        LauncherLog::line(QStringLiteral("nimboraappCreationDate=%1").arg(described(appCreation)));
        LauncherLog::line(QStringLiteral("_appCreationDate=%1").arg(appCreationDate, 0, 'f', 6));

        if (fileCreation.isValid() && appCreation.isValid() && fileCreationTime + windowSeconds > appCreationDate
            && appCreationDate > fileCreationTime - windowSeconds)
            return candidate;
    }
    return {};
}
