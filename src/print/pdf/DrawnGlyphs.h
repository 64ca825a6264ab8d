#pragma once

#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

// What a document drew with each glyph of each font, in the order the glyphs were first drawn. A PDF
// names a glyph by its place in the font subset the writer builds while drawing, and the writer's own
// map from glyphs back to text guesses from the font's character map, which for many glyphs has
// several characters (一 and the Kangxi radical ⼀ share one glyph) or none (the vertical forms of ー
// and 「). This record knows the text that was actually laid out.
class DrawnGlyphs
{
public:
    // One font face as the PDF writer sees it: every size of a face shares one subset.
    struct Face
    {
        QString postscriptName;
        QRawFont font; // any size; used to read its character map
        QList<quint32> order; // glyphs in the order they were first drawn, the missing glyph left out
        QHash<quint32, QString> texts; // the text each glyph stood for when it was first drawn
    };

    // Notes glyphs drawn in `font`; `texts` run parallel to `glyphs` (an empty text: a glyph that
    // shows part of the text of the glyph before it).
    void record(const QRawFont &font, const QList<quint32> &glyphs, const QStringList &texts);
    void record(const QRawFont &font, quint32 glyph, const QString &text);

    // True when every glyph is already known, so that a caller can skip working out their texts.
    bool knowsAll(const QRawFont &font, const QList<quint32> &glyphs) const;

    const QList<Face> &faces() const { return m_faces; }
    bool isEmpty() const { return m_faces.isEmpty(); }

    // The PostScript name of a font's face, as its name table gives it ("" when it has none).
    static QString postscriptName(const QRawFont &font);

private:
    Face &faceFor(const QRawFont &font);
    const Face *findFace(const QRawFont &font) const;
    void rememberFont(const QRawFont &font, qsizetype face) const;
    static QString faceKey(const QRawFont &font);

    QList<Face> m_faces;
    QHash<QString, qsizetype> m_faceIndex;
    // The raw fonts met lately and their faces: comparing raw fonts is cheaper than naming their faces.
    mutable QList<std::pair<QRawFont, qsizetype>> m_recent;
};
