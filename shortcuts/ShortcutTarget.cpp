#include "shortcuts/ShortcutTarget.h"

#include "platform/DeploymentSettings.h"

ShortcutTarget ShortcutTarget::withAccess(const QString &number, const QString &language, const QString &server)
{
    return {true, number, language, server};
}

ShortcutTarget ShortcutTarget::withoutAccess(const QString &localHyperlink)
{
    const bool noLink = localHyperlink.isEmpty() || localHyperlink == QLatin1String(" ");
    return {false, QStringLiteral("12345678"), QStringLiteral("EN"),
        noLink ? Deployment::defaultPortalHost() : localHyperlink};
}
