#include "shortcuts/ShortcutItems.h"

#include "platform/Resources.h"

#include <QFileInfo>

ShortcutItems::ShortcutItems(const UserFolders &folders, const QString &launcherBundle)
    : m_desktop(folders.desktop, launcherBundle)
    , m_list(folders.applicationSupport)
    , m_bookmark(folders.home)
{
}

QString ShortcutItems::defaultLauncherBundle()
{
    return Resources::launcherBundle();
}

ShortcutPaths ShortcutItems::paths(const ShortcutTarget &target) const
{
    const QString name = DesktopShortcut::baseName(target.nimboraAccess, target.nimboraNumber);
    return {m_desktop.copyPath(name), m_desktop.entryPath(name), m_list.path(target.nimboraNumber),
        m_bookmark.fileExists() ? m_bookmark.path() : QString()};
}

bool ShortcutItems::desktopCopyExists(const ShortcutTarget &target) const
{
    return QFileInfo::exists(paths(target).desktopCopy);
}

ShortcutErrors ShortcutItems::replace(const ShortcutTarget &target) const
{
    ShortcutErrors errors = remove(target);
    errors += create(target);
    return errors;
}

ShortcutErrors ShortcutItems::create(const ShortcutTarget &target) const
{
    const QString name = DesktopShortcut::baseName(target.nimboraAccess, target.nimboraNumber);
    ShortcutErrors errors = m_desktop.create(name);
    errors += m_list.create(target);
    errors += m_bookmark.add(target);
    return errors;
}

ShortcutErrors ShortcutItems::remove(const ShortcutTarget &target) const
{
    const QString name = DesktopShortcut::baseName(target.nimboraAccess, target.nimboraNumber);
    ShortcutErrors errors = m_desktop.remove(name);
    errors += m_list.remove(target);
    errors += m_bookmark.remove(target);
    return errors;
}
