#pragma once

#include <QByteArray>
#include <QString>

// Characters a URL cannot carry as they are.
inline constexpr char kNotInUrls[] = "\"<>\\^`{|}";

// The value as %XX of its UTF-8 bytes wherever a byte is a control character,
// the space, DEL or non-ASCII, or one of the characters in escapedSet; every
// other character is sent as typed.
QString percentEscaped(const QString &value, const QByteArray &escapedSet);

// A value placed in a URL query so that a device decoding the query the
// standard way reads exactly the value: "%", "&", "+", "#", "?", the space,
// control characters and every byte of non-ASCII text become %XX, and so do
// the few characters a URL cannot carry as they are ("\"", "<", ">", "\\",
// "^", "`", "{", "|", "}"). Everything else, "=", "/", ":" and "@" among it,
// stays as it is: devices may rely on seeing those unescaped.
QString urlQueryValue(const QString &value);
