#include "util/UtilMethod.h"

#include "platform/Log.h"

#include <QStringList>

namespace {

// The leading number of a text in the given base (0 when there is none), as
// the C library reads it (optional sign), keeping only the low bits that matter.
uint8_t leadingNumberLowByte(const QString &part, int base)
{
    const QString text = part.trimmed();
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    unsigned value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].toLower().unicode();
        const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : base;
        if (digit >= base)
            break;
        value = (value * unsigned(base) + unsigned(digit)) & 0xFFFFu;
    }
    return uint8_t((negative ? 0u - value : value) & 0xFF);
}

} // namespace

QString UtilMethod::ipToString(const uint8_t *ip)
{
    return QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
}

QString UtilMethod::macToString(const uint8_t *mac)
{
    QStringList parts;
    for (int i = 0; i < 6; ++i)
        parts << QStringLiteral("%1").arg(mac[i], 2, 16, QLatin1Char('0'));
    return parts.join(QLatin1Char(':'));
}

void UtilMethod::stringToIp(const QString &text, uint8_t *outArry)
{
    const QStringList parts = text.section(QLatin1Char(':'), 0, 0).split(QLatin1Char('.'));
    for (int i = 0; i < parts.size() && i < 4; ++i)
        outArry[i] = leadingNumberLowByte(parts[i], 10);
}

void UtilMethod::stringToMac(const QString &text, uint8_t *outArry)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    for (int i = 0; i < parts.size() && i < 6; ++i)
        outArry[i] = leadingNumberLowByte(parts[i], 16);
}

int UtilMethod::bytesToInt(const uint8_t *bytes)
{
    const int value = bytes[0] + 256 * bytes[1];
    Log::format("bytesToInt: port=%i", value);
    return value;
}
