// HRX260A: opens the recorder's page on the cloud portal and quits.
#include "launcher/HomeFolder.h"
#include "launcher/Launcher.h"
#include "launcher/LauncherLog.h"
#include "platform/FileTimes.h"

#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    // Everything below, the Documents folder included, follows the mended home.
    const QString home = HomeFolder::find();
    if (qEnvironmentVariableIsEmpty("HOME") && !home.isEmpty())
        qputenv("HOME", QFile::encodeName(home));
    // Before the application, so that a desktop it cannot reach is logged too.
    LauncherLog::redirectConsoleLogToDocumentFolder(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QGuiApplication app(argc, argv);
    const QUrl page = Launcher::pageToOpen(home, QCoreApplication::applicationFilePath(), FileTimes::creation);
    if (!QDesktopServices::openUrl(page))
        LauncherLog::line(QStringLiteral("no program opened %1").arg(page.toString()));
    return 0;
}
