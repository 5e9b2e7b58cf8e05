#pragma once

#include <QString>

// File operations the shortcut items share; each returns an error text,
// empty on success.
namespace FileOps {

// Removes a file, a link or a whole folder; nothing there is no error.
QString removePath(const QString &path);

// Copies a folder with everything in it; the files keep their permissions.
QString copyFolder(const QString &from, const QString &to);

} // namespace FileOps
