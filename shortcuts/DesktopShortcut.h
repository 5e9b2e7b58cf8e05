#pragma once

#include "shortcuts/ShortcutError.h"

#include <QString>

// The desktop shortcut: a fresh copy of the launcher bundle on the desktop
// under the recorder's name, and beside it a desktop entry that starts the
// copy. The copy is born when it is made, which is what the launcher pairs
// its property list by.
class DesktopShortcut
{
public:
    DesktopShortcut(QString desktop, QString launcherBundle);

    // "HRX-540A(N).app" with cloud access, "HRX-540A.app" without.
    static QString baseName(bool nimboraAccess, const QString &number);
    QString copyPath(const QString &baseName) const;
    QString entryPath(const QString &baseName) const;

    ShortcutErrors create(const QString &baseName) const;
    ShortcutErrors remove(const QString &baseName) const;

private:
    QString m_desktop;
    QString m_launcherBundle;
};
