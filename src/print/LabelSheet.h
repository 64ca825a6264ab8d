#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QVariantMap>

// A sheet of equal labels in a grid: how many fit, on how many pages a run goes, and where each label
// lies. All lengths are points; pages are stacked in one tall view (page p starts at y = p × paper
// height) with y growing downwards.
class LabelSheet
{
public:
    // Columns and rows are capped so that a damaged label size cannot ask for billions of labels a page.
    static constexpr int MaxColumnsOrRows = 10000;
    // Copies of each contact's label are capped for the same reason.
    static constexpr int MaxRepeatCount = 1000;
    // A draw request belongs to the page its top lies in once moved down by this much.
    static constexpr double DrawRequestSlack = 10.0;
    // Label text starts this far inside the label; the frame is drawn this much higher.
    static constexpr double TextInsetX = 3.0;
    static constexpr double TextInsetY = 2.0;
    static constexpr double FrameRaise = 1.0;

    // imageable is the printer's printable area on the paper; an empty one means the whole paper.
    LabelSheet(const QSizeF &paper, const QRectF &imageable, const QMarginsF &margins, const QSizeF &label,
        double hGap, double vGap);
    // From the print options: the top-level margins and the "Mailing Labels" size and gaps.
    static LabelSheet fromOptions(
        const QVariantMap &options, const QSizeF &paper, const QRectF &imageable = {});
    // "repeatCount" of "Mailing Labels", at least 1 and at most MaxRepeatCount.
    static int repeatCount(const QVariantMap &options);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    qint64 labelsPerPage() const { return qint64(m_columns) * m_rows; }
    QSizeF paperSize() const { return m_paper; }
    QSizeF labelSize() const { return m_label; }
    // Top left of the first label on a page.
    QPointF origin() const { return m_origin; }
    double columnPitch() const { return m_label.width() + m_hGap; }
    double rowPitch() const { return m_label.height() + m_vGap; }

    // Labels of a run: each receiver's copies in turn.
    static qint64 labelCount(qint64 receivers, int repeat);
    static qint64 labelIndex(qint64 receiver, int copy, int repeat);
    // The smallest number of pages holding every label, at least 1.
    int pageCount(qint64 receivers, int repeat) const;

    int pageOfLabel(qint64 label) const;
    int columnOfLabel(qint64 label) const;
    int rowOfLabel(qint64 label) const;
    // The label's rectangle in the stacked view, and on its own page.
    QRectF labelRect(qint64 label) const;
    QRectF labelRectOnPage(qint64 label) const;
    // Where the label's text goes and where its frame is stroked, in the stacked view.
    QRectF textRect(qint64 label) const;
    QRectF frameRect(qint64 label) const;

    // The page a draw request is for (never negative).
    int pageForDrawRect(const QRectF &request) const;
    // The labels [first, end) of a run of `total` labels that lie on a page.
    std::pair<qint64, qint64> labelsOnPage(int page, qint64 total) const;

private:
    QSizeF m_paper;
    QSizeF m_label;
    double m_hGap = 0.0;
    double m_vGap = 0.0;
    QPointF m_origin;
    int m_columns = 1;
    int m_rows = 1;
};
