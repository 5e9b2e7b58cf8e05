#pragma once

#include <QString>

// Text from the network (a recorder's, a camera's or the portal's) shown on a
// terminal or in a line meant for people: its control characters escaped as
// "\x1b", "\n", "\u0085", so none can move the cursor, retitle the terminal
// or forge a line of its own.
QString printableText(const QString &text);
