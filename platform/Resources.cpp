#include "platform/Resources.h"

#include <QCoreApplication>
#include <QDir>

QString Resources::dir()
{
    const QString overridden = qEnvironmentVariable("NVRWIZARD_RESOURCES");
    if (!overridden.isEmpty())
        return overridden;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/nvrwizard"));
}

QString Resources::path(const QString &relative)
{
    return dir() + QLatin1Char('/') + relative;
}

QString Resources::launcherBundle()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/nvrwizard/HRX260A.app"));
}
