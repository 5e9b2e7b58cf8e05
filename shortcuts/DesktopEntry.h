#pragma once

#include <QString>

// The freedesktop desktop entry that starts a program with a double click on
// a Linux desktop.
namespace DesktopEntry {

// The entry's text for a program at an absolute path, shown as name. Empty
// when the path or name holds a character an entry cannot carry (a line break).
QString text(const QString &name, const QString &program);

// One argument of an Exec line: quoted, with the entry format's escapes.
QString execArgument(const QString &argument);

} // namespace DesktopEntry
