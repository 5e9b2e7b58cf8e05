#pragma once

#include <QByteArray>

// Standard Base64 (RFC 4648 alphabet with "+" and "/", "=" padding, no line
// breaks), used for HTTP Basic credentials and the text slots of LAN commands.
namespace Base64 {

QByteArray encode(const QByteArray &bytes);
// Decoding that rejects anything that is not strict standard Base64.
bool decode(const QByteArray &text, QByteArray *bytes);

} // namespace Base64
