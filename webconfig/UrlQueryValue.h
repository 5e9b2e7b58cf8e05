#pragma once

#include <QString>

// A value placed in a URL query so that a device decoding the query the
// standard way reads exactly the value: "%", "&", "+", "#", "?", the space,
// control characters and every byte of non-ASCII text become %XX, and so do
// the few characters a URL cannot carry as they are ("\"", "<", ">", "\\",
// "^", "`", "{", "|", "}"). Everything else, "=", "/", ":" and "@" among it,
// stays as it is: devices may rely on seeing those unescaped.
QString urlQueryValue(const QString &value);
