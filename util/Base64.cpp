#include "util/Base64.h"

namespace Base64 {

QByteArray encode(const QByteArray &bytes)
{
    return bytes.toBase64();
}

bool decode(const QByteArray &text, QByteArray *bytes)
{
    const auto result = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return false;
    *bytes = result.decoded;
    return true;
}

} // namespace Base64
