#include "util/UdpError.h"

#include <cstring>

QString UdpError::toString() const
{
    return QStringLiteral("%1 %2: %3").arg(domain).arg(code).arg(description);
}

UdpError UdpError::socketError(int code)
{
    QString text;
    switch (code) {
    case AsyncUdpSocketCFSocketError:
        text = QStringLiteral("General CFSocket error");
        break;
    case AsyncUdpSocketIPv4Unavailable:
        text = QStringLiteral("IPv4 is unavailable due to binding/connecting using IPv6 only");
        break;
    case AsyncUdpSocketIPv6Unavailable:
        text = QStringLiteral(
            "IPv6 is unavailable due to binding/connecting using IPv4 only or is not supported on this platform");
        break;
    case AsyncUdpSocketSendTimeoutError:
        text = QStringLiteral("Send operation timed out");
        break;
    case AsyncUdpSocketReceiveTimeoutError:
        text = QStringLiteral("Receive operation timed out");
        break;
    default:
        text = QStringLiteral("Unknown error");
        break;
    }
    return {kAsyncUdpSocketErrorDomain, code, text};
}

UdpError UdpError::posix(int errnoValue)
{
    return {kPosixErrorDomain, errnoValue, QString::fromLocal8Bit(std::strerror(errnoValue))};
}

UdpError UdpError::posixCode5()
{
    return {kPosixErrorDomain, 5, QString()};
}
