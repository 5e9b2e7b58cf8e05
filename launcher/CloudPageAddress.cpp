#include "launcher/CloudPageAddress.h"

#include "launcher/LauncherLog.h"
#include "platform/DeploymentSettings.h"
#include "platform/PropertyList.h"

#include <QFileInfo>

QUrl CloudPageAddress::entrance()
{
    return QUrl(QStringLiteral("https://%1/entrance").arg(Deployment::defaultPortalHost()));
}

namespace {

// Only a web page goes to the opener: the recorder names the link, and any
// other scheme (file:, ssh:, a custom handler) would start what it says.
QUrl webPageOrEntrance(const QUrl &page)
{
    if (page.isValid() && (page.scheme() == QLatin1String("https") || page.scheme() == QLatin1String("http")))
        return page;
    LauncherLog::line(QStringLiteral("%1 is not a web address; the entrance page opens instead")
                          .arg(page.toString(QUrl::FullyEncoded)));
    return CloudPageAddress::entrance();
}

} // namespace

QUrl CloudPageAddress::forPropertyList(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return entrance();
    const PropertyList::Parsed parsed = PropertyList::readFile(path);
    if (!parsed.ok() || parsed.value.typeId() != QMetaType::QVariantMap) {
        LauncherLog::line(QStringLiteral("%1 does not read: %2").arg(path, parsed.error));
        return entrance();
    }
    const QVariantMap list = parsed.value.toMap();
    const QString server = list.value(QStringLiteral("server")).toString();
    if (server.contains(QLatin1String("local")))
        return webPageOrEntrance(server.contains(QLatin1String("://")) ? QUrl(server) : QUrl::fromUserInput(server));
    return QUrl(QStringLiteral("https://%1/device#%2?lang=%3")
                    .arg(server, list.value(QStringLiteral("deviceNumber")).toString(),
                        list.value(QStringLiteral("language")).toString()));
}
