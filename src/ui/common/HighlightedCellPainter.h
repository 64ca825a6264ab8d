#pragma once

#include "document/ContactCell.h"

#include <QStyleOptionViewItem>

class QPainter;

// A cell of an item view painted as its style paints it (background, selection, focus), with its text
// set by hand so that the find highlights lie behind it: every occurrence shaded light grey, the current
// one orange, line by line.
namespace HighlightedCellPainter {

// option: made ready for the cell by its delegate (initStyleOption). lineHeight 0 shares the text's
// rectangle evenly among its lines.
void paint(QPainter *painter, const QStyleOptionViewItem &option, const CellHighlights &highlights,
    double lineHeight = 0);

} // namespace HighlightedCellPainter
