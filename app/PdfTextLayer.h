#pragma once

#include <QByteArray>

// Qt's PDF writer names each glyph, for search and copy, by the lowest code
// point its font draws with it. CJK fonts draw the Kangxi radicals (U+2F00
// on) with the glyphs of the ideographs, so 日 reads back as ⽇ (U+2F47).
// This gives such glyphs their ideograph back in the text maps of a PDF
// that Qt wrote; anything else passes unchanged.
QByteArray withIdeographsInTextLayer(const QByteArray &pdf);
