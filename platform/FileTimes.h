#pragma once

#include <QDateTime>
#include <QString>

// File dates as this platform keeps them: a creation (birth) time can be read
// where the file system records one, but never set; a fresh copy is born now.
namespace FileTimes {

// The birth time, or the last modification where the file system keeps none.
QDateTime creation(const QString &path);

// Sets the modification time (and access time) to now; folders too.
// Returns an error text, empty on success.
QString touch(const QString &path);

} // namespace FileTimes
