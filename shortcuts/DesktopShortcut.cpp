#include "shortcuts/DesktopShortcut.h"

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/FileTimes.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "shortcuts/DesktopEntry.h"
#include "shortcuts/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kExecutable = QStringLiteral("/Contents/MacOS/HRX260A");

} // namespace

DesktopShortcut::DesktopShortcut(QString desktop, QString launcherBundle)
    : m_desktop(std::move(desktop))
    , m_launcherBundle(std::move(launcherBundle))
{
}

QString DesktopShortcut::baseName(bool nimboraAccess, const QString &number)
{
    return nimboraAccess ? QStringLiteral("%1(%2)").arg(ModelName::kNvr, number) : ModelName::kNvr;
}

QString DesktopShortcut::copyPath(const QString &baseName) const
{
    return m_desktop + QLatin1Char('/') + baseName + QStringLiteral(".app");
}

QString DesktopShortcut::entryPath(const QString &baseName) const
{
    return m_desktop + QLatin1Char('/') + baseName + QStringLiteral(".desktop");
}

ShortcutErrors DesktopShortcut::create(const QString &baseName) const
{
    Log::format("%s %s", "-[SummaryView createDesktopShortcut]", "");
    const QString copy = copyPath(baseName);
    if (!QFileInfo(m_launcherBundle + kExecutable).isExecutable())
        return {{copy, QStringLiteral("the launcher HRX260A.app is missing from the wizard's files")}};
    if (!QDir().mkpath(m_desktop))
        return {{copy, QStringLiteral("the desktop folder cannot be made")}};
    // Runs without cloud access all make the same copy and entry.
    const FileLock lock(copy);
    if (!lock.error().isEmpty())
        return {{copy, lock.error()}};

    // Copied under a hidden name and renamed when complete, so the desktop
    // never shows half a bundle; the folder is born at the copy.
    QTemporaryDir staging(m_desktop + QStringLiteral("/.HRX260A.app-XXXXXX"));
    if (!staging.isValid())
        return {{copy, staging.errorString()}};
    if (const QString error = FileOps::copyFolder(m_launcherBundle, staging.path()); !error.isEmpty())
        return {{copy, error}};
    if (const QString error = FileOps::removePath(copy); !error.isEmpty())
        return {{copy, error}};
    if (!QDir().rename(staging.path(), copy))
        return {{copy, QStringLiteral("the copy could not be given its name")}};
    staging.setAutoRemove(false);

    ShortcutErrors errors;
    if (const QString error = FileTimes::touch(copy); !error.isEmpty())
        errors.append({copy, error});
    const QString entry = entryPath(baseName);
    const QString text = DesktopEntry::text(baseName, copy + kExecutable);
    if (text.isEmpty()) {
        errors.append({entry, QStringLiteral("the desktop folder's path has a line break")});
        return errors;
    }
    if (const QString error = AtomicFile::write(entry, text.toUtf8()); !error.isEmpty()) {
        errors.append({entry, error});
        return errors;
    }
    // Desktops start only entries marked executable.
    QFile(entry).setPermissions(QFile::permissions(entry) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return errors;
}

ShortcutErrors DesktopShortcut::remove(const QString &baseName) const
{
    const QString copy = copyPath(baseName);
    const FileLock lock(copy);
    if (!lock.error().isEmpty())
        return {{copy, lock.error()}};
    ShortcutErrors errors;
    for (const QString &path : {copy, entryPath(baseName)}) {
        if (const QString error = FileOps::removePath(path); !error.isEmpty())
            errors.append({path, error});
    }
    return errors;
}
