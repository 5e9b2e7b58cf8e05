#pragma once

#include <QString>
#include <QUrl>

// The page the launcher opens: the recorder's device page on the portal from
// its property list, the link itself when the server names a "local" web one, or
// the portal's entrance page when no property list is paired or it does not read.
namespace CloudPageAddress {

QUrl forPropertyList(const QString &path);
QUrl entrance();

} // namespace CloudPageAddress
