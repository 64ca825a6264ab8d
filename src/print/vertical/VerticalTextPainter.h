#pragma once

#include "print/vertical/VerticalGlyphs.h"

class QPainter;

// Draws laid-out vertical text with the painter's current pen; the painter's transform maps
// layout units (points) to the device.
namespace VerticalTextPainter {

void draw(QPainter *painter, const QList<VerticalGlyph> &glyphs);
void draw(QPainter *painter, const VerticalLineLayout &line);
void draw(QPainter *painter, const VerticalBlockLayout &block);

} // namespace VerticalTextPainter
