#pragma once

#include "launcher/LauncherPairing.h"

#include <QString>
#include <QUrl>

// One start of the launcher: find this copy's property list under the home
// folder and tell which page to open.
namespace Launcher {

QUrl pageToOpen(const QString &home, const QString &executable, const LauncherPairing::CreationTime &creationOf);

} // namespace Launcher
