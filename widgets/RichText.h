#pragma once

#include <QString>

// Escaped text for a rich-text label, with `phrase` in bold where it occurs.
QString emphasisedHtml(const QString &text, const QString &phrase);
