#include "webconfig/UrlQueryValue.h"

QString percentEscaped(const QString &value, const QByteArray &escapedSet)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char c : value.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && !escapedSet.contains(c)) {
            out += QLatin1Char(c);
            continue;
        }
        out += QLatin1Char('%');
        out += QLatin1Char(hex[byte >> 4]);
        out += QLatin1Char(hex[byte & 0x0F]);
    }
    return out;
}

QString urlQueryValue(const QString &value)
{
    return percentEscaped(value, QByteArrayLiteral("%&+#?") + kNotInUrls);
}
