#include "webconfig/CameraEndpoints.h"

#include "util/UtilMethod.h"
#include "webconfig/UrlQueryValue.h"

#include <QRegularExpression>

namespace {

constexpr int kMaxOctet = 255;

bool isDottedIpv4(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    for (int octet = 1; octet <= 4; ++octet) {
        if (match.captured(octet).toInt() > kMaxOctet)
            return false;
    }
    return true;
}

QString ipOf(const TCameraInfo &camera)
{
    return camera.ip().value_or(QString());
}

QString urlOf(const TCameraInfo &camera, const QString &format)
{
    return CameraEndpoints::hasAddress(camera) ? format.arg(ipOf(camera)) : QString();
}

} // namespace

namespace CameraEndpoints {

bool isZebor(const TCameraInfo &camera)
{
    return camera.protocolType() == QLatin1String("0");
}

bool hasAddress(const TCameraInfo &camera)
{
    return isDottedIpv4(camera.ip().value_or(QString()));
}

QString imageUrl(const TCameraInfo &camera)
{
    const QString format
        = isZebor(camera) ? QStringLiteral("http://%1/image/jpeg.cgi") : QStringLiteral("http://%1/image.jpg");
    return urlOf(camera, format);
}

QString userListUrl(const TCameraInfo &camera)
{
    return urlOf(camera, QStringLiteral("http://%1/userlist.cgi"));
}

QString setPasswordUrl(const TCameraInfo &camera, const QString &newPassword)
{
    if (!hasAddress(camera))
        return {};
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
