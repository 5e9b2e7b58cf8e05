#include "shortcuts/CloudShortcutList.h"

#include "platform/FileLock.h"
#include "platform/PropertyList.h"

#include <QDir>
#include <QFile>

CloudShortcutList::CloudShortcutList(QString applicationSupport)
    : m_applicationSupport(std::move(applicationSupport))
{
}

QString CloudShortcutList::folder() const
{
    return m_applicationSupport + QStringLiteral("/SetupWizard 540");
}

QString CloudShortcutList::path(const QString &number) const
{
    return folder() + QStringLiteral("/nimboraInfo(%1).plist").arg(number);
}

ShortcutErrors CloudShortcutList::create(const ShortcutTarget &target) const
{
    const QString file = path(target.nimboraNumber);
    if (!QDir().mkpath(folder()))
        return {{file, QStringLiteral("the folder %1 cannot be made").arg(folder())}};
    // Runs without cloud access all write the same file.
    const FileLock lock(file);
    if (!lock.error().isEmpty())
        return {{file, lock.error()}};
    if (QFile::exists(file)) {
        if (const ShortcutErrors errors = removeFile(target); !errors.isEmpty())
            return errors;
    }
    const QVariantMap content {
        {QStringLiteral("deviceNumber"), target.nimboraNumber},
        {QStringLiteral("language"), target.nimboraLanguage},
        {QStringLiteral("server"), target.nimboraServer},
    };
    if (const QString error = PropertyList::writeFile(file, content); !error.isEmpty())
        return {{file, error}};
    return {};
}

ShortcutErrors CloudShortcutList::remove(const ShortcutTarget &target) const
{
    const FileLock lock(path(target.nimboraNumber));
    if (!lock.error().isEmpty())
        return {{path(target.nimboraNumber), lock.error()}};
    return removeFile(target);
}

ShortcutErrors CloudShortcutList::removeFile(const ShortcutTarget &target) const
{
    if (!target.nimboraAccess)
        return {};
    QFile file(path(target.nimboraNumber));
    if (!file.exists() || file.remove())
        return {};
    return {{file.fileName(), file.errorString()}};
}
