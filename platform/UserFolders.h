#pragma once

#include <QString>

// The folders of the user that the wizard and the launcher write to. Both
// programs take the desktop from the XDG user directories (what the user sees
// as the desktop, possibly under a localized name).
struct UserFolders
{
    QString home;
    QString desktop;
    QString documents;
    QString applicationSupport; // ~/Library/Application Support

    static UserFolders fromEnvironment();
};
