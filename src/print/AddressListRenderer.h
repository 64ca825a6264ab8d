#pragma once

#include "print/ReceiverRecord.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QFontMetricsF;
class QPainter;

// The address list: one entry per contact (its name, then the chosen fields), flowing down the pages.
// Entries are laid out once as lines of text; the page count and the drawing both read that layout, so
// every line that is counted is drawn. drawPage() paints one page in points, origin at the page's top left.
class AddressListRenderer
{
public:
    // Fields are indented by this much under the name.
    static constexpr double FieldIndent = 20.0;
    // Texts longer than this (a note pasted from a book) are cut, so one field cannot fill a ream.
    static constexpr qsizetype MaxFieldLength = 20000;

    // A piece of a line: the label part of a labelled value is dimmed.
    struct Run
    {
        QString text;
        bool dim = false;
        bool operator==(const Run &) const = default;
    };
    // One printed line; x is measured from the content rectangle's left edge.
    struct Line
    {
        double x = 0;
        QList<Run> runs;
        QString text() const;
    };
    // A part of an entry placed on one page: its lines [firstLine, firstLine + lineCount) from y down.
    struct Placement
    {
        int entry = 0;
        int page = 0;
        double y = 0; // on the page
        int firstLine = 0;
        int lineCount = 0;
    };

    // Where a printer that is not known (a PDF) is taken to print: 10 mm in from every edge.
    static constexpr double UnknownPrinterInset = 72.0 * 10.0 / 25.4;
    static QRectF unknownPrinterArea(const QSizeF &paper);

    // options: the whole print options; paper and imageable area in points (empty imageable: the paper
    // less UnknownPrinterInset on every side).
    AddressListRenderer(const QVariantMap &options, const QList<ReceiverRecord> &receivers,
        const QSizeF &paper, const QRectF &imageable = {}, bool printing = true);

    QSizeF paperSize() const { return m_paper; }
    int pageCount() const { return m_pageCount; }
    double lineHeight() const { return m_lineHeight; }
    // The area entries flow in, on every page.
    QRectF contentRect() const { return m_content; }
    // Each entry's lines after wrapping to the content width.
    const QList<QList<Line>> &entries() const { return m_entries; }
    const QList<Placement> &placements() const { return m_placements; }
    QList<Placement> placementsOnPage(int page) const;

    void drawPage(QPainter *painter, int page) const;

    // The unwrapped lines of one field of an entry: a header "Title: " indented by `indent`, then the
    // value. Labelled values print only when their label passes `labels`; continuation lines are
    // indented to the end of the header.
    static QList<Line> formattedField(const QVariant &value, const QString &title, const QStringList &labels,
        double indent, const QFontMetricsF &metrics);
    // The lines of a field's value counted as the list's page count counts them.
    static int linesInFormattedString(const QVariant &value, const QStringList &labels);
    // Breaks a line into lines no wider than `width` (continuations keep the line's x).
    static QList<Line> wrapLine(const Line &line, double width, const QFont &font);

private:
    QList<Line> entryLines(const ReceiverRecord &receiver) const;
    void layOut(const QList<ReceiverRecord> &receivers);

    QSizeF m_paper;
    QRectF m_imageable;
    QRectF m_content;
    QFont m_font;
    double m_lineHeight = 0;
    QStringList m_items;
    QStringList m_labels;
    bool m_frame = false;
    bool m_alternating = false;
    bool m_printing = true;
    QList<QList<Line>> m_entries;
    QList<Placement> m_placements;
    int m_pageCount = 1;
};
