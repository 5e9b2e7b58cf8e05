#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// Finds the cloud shortcut property list made for this copy of the launcher:
// the one named after the copy ("HRX-540A(N).app" and "nimboraInfo(N).plist",
// "HRX-540A.app" and the list without cloud) when it exists; else, for a
// renamed copy, the first "nimboraInfo..." entry of the folder born within
// 150 seconds of the launcher's own bundle (both bounds strict).
namespace LauncherPairing {

constexpr double windowSeconds = 150.0;

using CreationTime = std::function<QDateTime(const QString &path)>;

// The bundle of a launcher executable: its path before "/Contents/MacOS/HRX260A",
// or the executable itself when it does not sit in a bundle.
QString bundlePath(const QString &executable);

// The chosen property list's full path, or empty. Logs each step.
QString findPropertyList(const QString &folder, const QString &bundle, const CreationTime &creationOf);

} // namespace LauncherPairing
