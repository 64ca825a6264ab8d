#pragma once

#include <QString>
#include <functional>

// How text is measured in the contact table's font. The document layer never asks a font itself, so
// it runs without a display: the window passes the metrics of its table font, and the command line
// and tests take an estimate.
struct TextMetrics
{
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    double pointSize = 12;
    // The advance of a line of text; the estimate below when empty.
    std::function<double(const QString &)> horizontalAdvance;

    double width(const QString &text) const;
    // Metrics that need no font: ascent and descent in the usual proportions of the size, and full
    // width for East Asian characters, a little over half of it for others.
    static TextMetrics estimate(double pointSize = 12);

    // The height of one text line of a table row: the font's line plus 4, or 1.42 times the size plus 4
    // when that is more (fonts with tall glyphs), never below 24.
    double tableRowHeight() const;
};
