#include "platform/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

UserFolders UserFolders::fromEnvironment()
{
    UserFolders f;
    f.home = QDir::homePath();
    f.desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    f.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    f.applicationSupport = f.home + QStringLiteral("/Library/Application Support");
    return f;
}
