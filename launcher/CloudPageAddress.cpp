#include "launcher/CloudPageAddress.h"

#include "launcher/LauncherLog.h"
#include "platform/DeploymentSettings.h"
#include "platform/PropertyList.h"

#include <QFileInfo>

QUrl CloudPageAddress::entrance()
{
    return QUrl(QStringLiteral("https://%1/entrance").arg(Deployment::defaultPortalHost()));
}

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
        return server.contains(QLatin1String("://")) ? QUrl(server) : QUrl::fromUserInput(server);
    return QUrl(QStringLiteral("https://%1/device#%2?lang=%3")
                    .arg(server, list.value(QStringLiteral("deviceNumber")).toString(),
                        list.value(QStringLiteral("language")).toString()));
}
