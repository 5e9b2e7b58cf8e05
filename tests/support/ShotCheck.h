#pragma once

#include <QString>

class QImage;

// Why a rendered screen looks blank ("only 3 colours", "unreadable"), or an
// empty string when it has a page's background, texts and controls.
QString blankness(const QImage &image);
