#include "launcher/LauncherPairing.h"

#include "launcher/LauncherLog.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The wizard names its desktop copy after the model, with the device number in
// brackets; without cloud the copy has no number and the list the stand-in one.
const QString kCopyName = QStringLiteral("HRX-540A");
const QString kNumberWithoutCloud = QStringLiteral("12345678");

// The property list the wizard wrote for a copy it named; empty for a copy
// the user has renamed.
QString namedPropertyList(const QString &bundle)
{
    static const QRegularExpression copy(
        QStringLiteral("^%1(?:\\((.+)\\))?\\.app$").arg(QRegularExpression::escape(kCopyName)));
    const QRegularExpressionMatch match = copy.match(QFileInfo(bundle).fileName());
    if (!match.hasMatch())
        return {};
    const QString number = match.hasCaptured(1) ? match.captured(1) : kNumberWithoutCloud;
    return QStringLiteral("nimboraInfo(%1).plist").arg(number);
}

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
    if (const QString named = namedPropertyList(bundle); !named.isEmpty() && QFileInfo::exists(folder + named)) {
        LauncherLog::line(QStringLiteral("%1 is named after %2").arg(named, bundle));
        return folder + named;
    }
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
