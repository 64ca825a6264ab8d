#pragma once

#include "print/LabelSheet.h"
#include "print/ReceiverRecord.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

class QPainter;

// Mailing labels: one text block per label, its size fitted to the label, laid out on a label sheet.
// Layout is plain data (which labels a page holds, where, with what text at what size); drawPage()
// paints one page, in points with the origin at the page's top left, on any painter.
class LabelRenderer
{
public:
    // The fitting passes stop after this many steps even if the size still moves.
    static constexpr int MaxFitPasses = 20;
    // Labels are sized as if they held at least this many lines of at least this many characters.
    static constexpr int MinimumLines = 3;
    static constexpr int MinimumLongest = 10;
    // Vertical columns are this many ems apart, so that they do not touch.
    static constexpr double ColumnPitch = 1.5;

    // One label of a page; rectangles are on the page (y from the page's top).
    struct Label
    {
        qint64 index = 0; // in print order over the whole run
        int receiver = 0;
        int copy = 0;
        QRectF textRect;
        QRectF frameRect;
    };

    // A receiver's text at its fitted size and the extent it covers.
    struct FittedText
    {
        QString text;
        double fontSize = 0;
        QSizeF extent;
        bool vertical = false;
    };

    // options: the whole print options; paper and imageable area in points (an empty imageable area
    // means the whole paper). `printing` false paints the screen preview's page background.
    LabelRenderer(const QVariantMap &options, QList<ReceiverRecord> receivers, const QSizeF &paper,
        const QRectF &imageable = {}, bool printing = true);
    ~LabelRenderer();

    const LabelSheet &sheet() const { return m_sheet; }
    QSizeF paperSize() const { return m_sheet.paperSize(); }
    int repeatCount() const { return m_repeat; }
    int pageCount() const;
    QList<Label> labelsOnPage(int page) const;
    // The label text of a receiver (computed once).
    QString labelText(int receiver) const;
    FittedText fittedText(int receiver) const;

    void drawPage(QPainter *painter, int page) const;

    // The first size tried for a text of `lines` lines whose longest has `longest` characters.
    static double startSize(int lines, int longest, const QSizeF &label);
    // Grows or shrinks a size until the measured text fills most of the label without passing it.
    static double fitSize(
        double start, const QSizeF &label, const std::function<QSizeF(double size)> &measure);
    // The extent of horizontal text at a size: its widest line, and its lines at one line height each.
    static QSizeF measureHorizontal(const QString &text, const QString &family, double size);
    // The extent of vertical text turned to read along the label: its longest column across, its
    // columns down.
    static QSizeF measureVertical(const QString &text, const QString &family, double size);

private:
    struct Cache;
    static VerticalTextLayout::Options verticalOptions();

    QVariantMap m_labelOptions;
    QList<ReceiverRecord> m_receivers;
    LabelSheet m_sheet;
    QRectF m_imageable;
    QString m_keishou;
    QString m_fontName;
    QString m_verticalFontName;
    int m_repeat = 1;
    bool m_vertical = false;
    bool m_frame = false;
    bool m_printing = true;
    std::unique_ptr<Cache> m_cache;
};
