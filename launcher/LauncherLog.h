#pragma once

#include <QString>

// The launcher's diagnostics: lines on standard error, which is appended to
// "setupwizarderror.txt" in the Documents folder once redirected.
namespace LauncherLog {

// Returns false (and leaves standard error as it was) when the file cannot be opened.
bool redirectConsoleLogToDocumentFolder(const QString &documents);

void line(const QString &text);

} // namespace LauncherLog
