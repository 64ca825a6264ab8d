#pragma once

#include "print/pdf/DrawnGlyphs.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// Gives a PDF's fonts the text map of the text that was drawn. Each font of the file names its glyphs by
// their place in the font's subset; a font's map from those numbers to text ("ToUnicode") is rewritten
// from the glyphs the drawing recorded, so that extracting, searching and copying the PDF's text give the
// characters on the page (一 rather than the Kangxi radical ⼀, ー for its vertical form).
namespace PdfTextMaps {

struct Result
{
    QByteArray pdf; // the corrected file, or the file unchanged when it could not be read
    int fonts = 0; // fonts with a text map
    int rewritten = 0; // fonts whose map now gives the drawn text for every glyph
    int partly = 0; // fonts whose glyphs could only be matched through their characters
    QString error; // why the file was left as it was
};

Result correct(const QByteArray &pdf, const DrawnGlyphs &drawn);

// A text map's entries: glyph number to text. Ranges and single entries are both read.
QMap<int, QString> parse(const QByteArray &cmap);
// A text map holding exactly these entries.
QByteArray write(const QMap<int, QString> &entries);

// The highest glyph number a font's width array covers, or -1.
int lastGlyphInWidths(const QByteArray &widths);

} // namespace PdfTextMaps
