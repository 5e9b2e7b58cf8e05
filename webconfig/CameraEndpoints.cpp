#include "webconfig/CameraEndpoints.h"

#include "util/UtilMethod.h"
#include "webconfig/UrlQueryValue.h"

namespace {

QString ipOf(const TCameraInfo &camera)
{
    return camera.ip().value_or(QString());
}

} // namespace

namespace CameraEndpoints {

bool isZebor(const TCameraInfo &camera)
{
    return camera.protocolType() == QLatin1String("0");
}

QString imageUrl(const TCameraInfo &camera)
{
    const QString format
        = isZebor(camera) ? QStringLiteral("http://%1/image/jpeg.cgi") : QStringLiteral("http://%1/image.jpg");
    return format.arg(ipOf(camera));
}

QString userListUrl(const TCameraInfo &camera)
{
    return QStringLiteral("http://%1/userlist.cgi").arg(ipOf(camera));
}

QString setPasswordUrl(const TCameraInfo &camera, const QString &newPassword)
{
    return QStringLiteral("http://%1/system.cgi?AdminID=admin&AdminPassword=%2&ConfigReboot=No")
        .arg(ipOf(camera), urlQueryValue(newPassword));
}

TVexorReply replyRecord(const TCameraInfo &camera)
{
    TVexorReply record {};
    UtilMethod::stringToIp(ipOf(camera), record.ipAddress);
    UtilMethod::stringToMac(camera.mac().value_or(QString()), record.macAddress);
    return record;
}

} // namespace CameraEndpoints
