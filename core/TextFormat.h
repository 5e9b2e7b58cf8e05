#pragma once

#include <QString>
#include <QStringList>

// Language texts carry "%@" placeholders; each is filled with the next
// argument, in order. Placeholders without an argument stay as they are.
QString fillFormat(const QString &format, const QStringList &args);
