#pragma once

#include "shortcuts/CloudShortcutList.h"
#include "shortcuts/DesktopShortcut.h"
#include "shortcuts/SafariBookmark.h"
#include "shortcuts/ShortcutError.h"
#include "shortcuts/ShortcutTarget.h"
#include "platform/UserFolders.h"

// Where the items of one target live.
struct ShortcutPaths
{
    QString desktopCopy; // the launcher bundle's copy on the desktop
    QString desktopEntry; // the desktop entry beside it
    QString propertyList; // what the launcher reads
    QString bookmarks; // the Safari bookmarks file; empty when there is none
};

// The three items the summary leaves on the computer: the desktop shortcut,
// the cloud shortcut property list and the bookmark. Each operation does all
// it can and returns what failed; an empty list means everything was done.
class ShortcutItems
{
public:
    // The launcher bundle defaults to the one shipped among the wizard's files.
    explicit ShortcutItems(const UserFolders &folders, const QString &launcherBundle = defaultLauncherBundle());

    static QString defaultLauncherBundle();

    ShortcutPaths paths(const ShortcutTarget &target) const;
    bool desktopCopyExists(const ShortcutTarget &target) const;

    // Deletes the three, then makes them anew, in that order.
    ShortcutErrors replace(const ShortcutTarget &target) const;
    ShortcutErrors create(const ShortcutTarget &target) const;
    ShortcutErrors remove(const ShortcutTarget &target) const;

private:
    DesktopShortcut m_desktop;
    CloudShortcutList m_list;
    SafariBookmark m_bookmark;
};
