#include "platform/DeploymentSettings.h"

#include <QtGlobal>

namespace {

QString setting(const char *variable, const char *fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

} // namespace

QString Deployment::defaultPortalHost()
{
    return setting("NVRWIZARD_PORTAL_HOST", "portal.nimbora.example");
}

QString Deployment::cloudServiceHost()
{
    return setting("NVRWIZARD_CLOUD_HOST", "www.nimbora.example");
}

QString Deployment::supportUrl()
{
    return setting("NVRWIZARD_SUPPORT_URL", "https://support.vexor.example/");
}

QString Deployment::readerDownloadHost()
{
    return setting("NVRWIZARD_READER_HOST", "get.adobe.com");
}

QString Deployment::reachabilityProbeHost()
{
    return setting("NVRWIZARD_PROBE_HOST", "www.example.com");
}
