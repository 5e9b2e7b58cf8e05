#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content in one step (temporary file, then rename), so a
// crash leaves the old file or the new one. Returns an error text, empty on success.
namespace AtomicFile {

QString write(const QString &path, const QByteArray &content);

} // namespace AtomicFile
