#include "platform/DeploymentSettings.h"

#include "platform/Log.h"

#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace {

enum class Kind { Host, ProbeHost, WebUrl };

struct Setting
{
    const char *variable;
    const char *key;
    const char *fallback;
    Kind kind;
};

// A host may carry a port; anything that would change the pages built
// around it (a scheme, path, user or query) is refused. The probe host is
// looked up or read as an address as it stands, so it takes neither a port
// nor brackets.
bool acceptable(const QString &value, Kind kind)
{
    if (kind != Kind::WebUrl) {
        const QUrl url(QStringLiteral("https://") + value, QUrl::StrictMode);
        const bool bare = url.port() == -1 && !value.startsWith(QLatin1Char('['));
        return url.isValid() && !url.host().isEmpty() && url.userInfo().isEmpty() && url.path().isEmpty()
            && !url.hasQuery() && !url.hasFragment() && (kind == Kind::Host || bare);
    }
    const QUrl url(value, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
}

QString fromFile(const Setting &s)
{
    const QString file = Deployment::settingsFile();
    if (!QFileInfo::exists(file))
        return {};
    const QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        Log::line(QStringLiteral("deployment settings: %1 cannot be read; using the built-in values").arg(file));
        return {};
    }
    const QVariant raw = settings.value(QLatin1String(s.key));
    if (!raw.isValid())
        return {};
    // A comma turns an INI value into a list, which no host or address holds.
    const bool isText = raw.typeId() == QMetaType::QString;
    const QString value = isText ? raw.toString().trimmed() : QString();
    if (isText && value.isEmpty())
        return {};
    if (!isText || !acceptable(value, s.kind)) {
        Log::line(QStringLiteral("deployment settings: %1: %2 is not usable; using %3")
                      .arg(file, QLatin1String(s.key), QLatin1String(s.fallback)));
        return {};
    }
    return value;
}

QString setting(const Setting &s)
{
    const QString fromEnvironment = qEnvironmentVariable(s.variable);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString configured = fromFile(s);
    return configured.isEmpty() ? QString::fromLatin1(s.fallback) : configured;
}

} // namespace

QString Deployment::settingsFile()
{
    const QString overridden = qEnvironmentVariable("NVRWIZARD_DEPLOYMENT_FILE");
    return overridden.isEmpty() ? QStringLiteral(NVR_DEPLOYMENT_FILE) : overridden;
}

QString Deployment::defaultPortalHost()
{
    return setting({"NVRWIZARD_PORTAL_HOST", "portal_host", "portal.nimbora.example", Kind::Host});
}

QString Deployment::cloudServiceHost()
{
    return setting({"NVRWIZARD_CLOUD_HOST", "cloud_host", "www.nimbora.example", Kind::Host});
}

QString Deployment::supportUrl()
{
    return setting({"NVRWIZARD_SUPPORT_URL", "support_url", "https://support.vexor.example/", Kind::WebUrl});
}

QString Deployment::readerDownloadHost()
{
    return setting({"NVRWIZARD_READER_HOST", "reader_host", "get.adobe.com", Kind::Host});
}

QString Deployment::reachabilityProbeHost()
{
    return setting({"NVRWIZARD_PROBE_HOST", "probe_host", "www.example.com", Kind::ProbeHost});
}
