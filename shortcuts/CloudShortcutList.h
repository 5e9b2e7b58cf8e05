#pragma once

#include "shortcuts/ShortcutError.h"
#include "shortcuts/ShortcutTarget.h"

// The cloud shortcut property list the launcher reads: one per device number,
// "nimboraInfo(N).plist" in "SetupWizard 540" under the application support folder.
class CloudShortcutList
{
public:
    explicit CloudShortcutList(QString applicationSupport);

    QString folder() const;
    QString path(const QString &number) const;

    ShortcutErrors create(const ShortcutTarget &target) const;
    // Only with cloud access; without, the next write replaces the file.
    ShortcutErrors remove(const ShortcutTarget &target) const;

private:
    // remove() with the file's lock already held.
    ShortcutErrors removeFile(const ShortcutTarget &target) const;

    QString m_applicationSupport;
};
