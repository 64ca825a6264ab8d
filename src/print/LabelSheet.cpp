#include "print/LabelSheet.h"

#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Preset sizes are millimetres rounded to hundredths of a point; a sheet of ten 29.7 mm rows on A4 must
// still get its tenth row, so a pitch may overrun the usable length by this much.
constexpr double FitTolerance = 0.1;

// Whole pitches that fit in a length.
int pitchesIn(double length, double pitch)
{
    if (!(pitch > 0.0) || !std::isfinite(pitch) || !std::isfinite(length))
        return 1;
    const double count = std::floor((length + FitTolerance) / pitch);
    if (count < 1.0)
        return 1;
    return int(std::min(count, double(LabelSheet::MaxColumnsOrRows)));
}

} // namespace

LabelSheet::LabelSheet(const QSizeF &paper, const QRectF &imageable, const QMarginsF &margins,
    const QSizeF &label, double hGap, double vGap)
    : m_paper(paper)
    , m_label(label)
    , m_hGap(hGap)
    , m_vGap(vGap)
{
    // Without a printer's printable area the whole paper is usable.
    const QRectF printable = imageable.isEmpty() ? QRectF(QPointF(0, 0), paper) : imageable;
    m_origin = QPointF(printable.x() + margins.left(), printable.y() + margins.top());
    const double rightInset = paper.width() - printable.right() + margins.right();
    const double bottomInset = paper.height() - printable.bottom() + margins.bottom();
    m_columns = pitchesIn(paper.width() - m_origin.x() - rightInset, columnPitch());
    m_rows = pitchesIn(paper.height() - m_origin.y() - bottomInset, rowPitch());
}

LabelSheet LabelSheet::fromOptions(const QVariantMap &options, const QSizeF &paper, const QRectF &imageable)
{
    using PrintOptions::number;
    const QMarginsF margins(number(options.value(PrintKey::LeftMargin)),
        number(options.value(PrintKey::TopMargin)), number(options.value(PrintKey::RightMargin)),
        number(options.value(PrintKey::BottomMargin)));
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    const QSizeF label(
        number(labels.value(PrintKey::LabelWidth)), number(labels.value(PrintKey::LabelHeight)));
    return LabelSheet(paper, imageable, margins, label, number(labels.value(PrintKey::HGap)),
        number(labels.value(PrintKey::VGap)));
}

int LabelSheet::repeatCount(const QVariantMap &options)
{
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    return std::clamp(PrintOptions::integer(labels.value(PrintKey::RepeatCount), 1), 1, MaxRepeatCount);
}

qint64 LabelSheet::labelCount(qint64 receivers, int repeat)
{
    return std::max<qint64>(receivers, 0) * std::clamp(repeat, 0, MaxRepeatCount);
}

qint64 LabelSheet::labelIndex(qint64 receiver, int copy, int repeat)
{
    return receiver * std::max(repeat, 1) + copy;
}

int LabelSheet::pageCount(qint64 receivers, int repeat) const
{
    const qint64 total = labelCount(receivers, repeat);
    const qint64 pages = (total + labelsPerPage() - 1) / labelsPerPage();
    return int(std::clamp<qint64>(pages, 1, std::numeric_limits<int>::max()));
}

int LabelSheet::pageOfLabel(qint64 label) const
{
    return int(
        std::min<qint64>(std::max<qint64>(label, 0) / labelsPerPage(), std::numeric_limits<int>::max()));
}

int LabelSheet::columnOfLabel(qint64 label) const
{
    return int(std::max<qint64>(label, 0) % m_columns);
}

int LabelSheet::rowOfLabel(qint64 label) const
{
    return int((std::max<qint64>(label, 0) / m_columns) % m_rows);
}

QRectF LabelSheet::labelRectOnPage(qint64 label) const
{
    return QRectF(m_origin.x() + columnOfLabel(label) * columnPitch(),
        m_origin.y() + rowOfLabel(label) * rowPitch(), m_label.width(), m_label.height());
}

QRectF LabelSheet::labelRect(qint64 label) const
{
    return labelRectOnPage(label).translated(0.0, pageOfLabel(label) * m_paper.height());
}

QRectF LabelSheet::textRect(qint64 label) const
{
    return labelRect(label).translated(TextInsetX, TextInsetY);
}

QRectF LabelSheet::frameRect(qint64 label) const
{
    return labelRect(label).translated(0.0, -FrameRaise);
}

int LabelSheet::pageForDrawRect(const QRectF &request) const
{
    if (!(m_paper.height() > 0.0))
        return 0;
    const double page = std::floor((request.top() + DrawRequestSlack) / m_paper.height());
    if (!std::isfinite(page) || page < 0.0)
        return 0;
    return int(std::min(page, double(std::numeric_limits<int>::max())));
}

std::pair<qint64, qint64> LabelSheet::labelsOnPage(int page, qint64 total) const
{
    if (page < 0 || total <= 0)
        return { 0, 0 };
    const qint64 first = std::min<qint64>(qint64(page) * labelsPerPage(), total);
    return { first, std::min(first + labelsPerPage(), total) };
}
