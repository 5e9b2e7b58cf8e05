#include "webconfig/UrlQueryValue.h"

#include <QByteArray>

namespace {

bool keptAsIs(unsigned char byte)
{
    if (byte <= 0x20 || byte >= 0x7F)
        return false;
    static const QByteArray escaped("%&+#?\"<>\\^`{|}");
    return !escaped.contains(char(byte));
}

} // namespace

QString urlQueryValue(const QString &value)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char c : value.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            out += QLatin1Char(c);
            continue;
        }
        out += QLatin1Char('%');
        out += QLatin1Char(hex[byte >> 4]);
        out += QLatin1Char(hex[byte & 0x0F]);
    }
    return out;
}
