#include "launcher/Launcher.h"

#include "launcher/CloudPageAddress.h"
#include "launcher/LauncherLog.h"

QUrl Launcher::pageToOpen(
    const QString &home, const QString &executable, const LauncherPairing::CreationTime &creationOf)
{
    const QString folder = home + QStringLiteral("/Library/Application Support/SetupWizard 540/");
    LauncherLog::line(QStringLiteral("documentDir=%1").arg(folder));
    const QString bundle = LauncherPairing::bundlePath(executable);
    const QString chosen = LauncherPairing::findPropertyList(folder, bundle, creationOf);
    LauncherLog::line(QStringLiteral("newFilePath=%1").arg(chosen));
    const QUrl page = CloudPageAddress::forPropertyList(chosen);
    LauncherLog::line(QStringLiteral("open %1").arg(page.toString()));
    return page;
}
