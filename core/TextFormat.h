#pragma once

#include <QString>
#include <QStringList>

class HMLocalization;

// Language texts carry "%@" placeholders; each is filled with the next
// argument, in order. Placeholders without an argument stay as they are.
QString fillFormat(const QString &format, const QStringList &args);

// A disk's size from the recorder's megabytes (MiB), as people read sizes:
// "1.0 TB", "500 GB", in the active language's units and numbers.
QString diskSizeText(const QString &megabytes, const HMLocalization &l10n);

// Japanese may break a line between any two characters, which can leave a
// sentence's last characters alone on a line: word joiners (U+2060) hold the
// few before each 。？！ to the mark. Latin text, spaces and "%@" are left as
// they are.
QString holdSentenceEnds(const QString &text);
