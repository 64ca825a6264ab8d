#include "print/AddressListRenderer.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"
#include "print/AddressListItems.h"
#include "print/LabelFilter.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The list's font when the options name none, and its size then.
constexpr int FallbackFontSize = 16;
constexpr int MaximumFontSize = 200;
const QColor PreviewBackground = QColor::fromRgbF(1.0f, 1.0f, 0.7f);
const QColor AlternateShade = QColor::fromRgbF(0.9f, 0.9f, 0.9f);
const QColor DimText = QColor(128, 128, 128);
const QColor FrameLine = QColor(Qt::lightGray);

// Fields and labels print with the names the table shows, in the reader's language.
QString headerFor(const QString &title)
{
    return ZRPerson::localizedIdentifierForKey(title) + u": "_s;
}

QString labelText(const QString &label)
{
    return Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label));
}

QString limited(const QString &text)
{
    return text.left(AddressListRenderer::MaxFieldLength);
}

} // namespace

QString AddressListRenderer::Line::text() const
{
    QString result;
    for (const Run &run : runs)
        result += run.text;
    return result;
}

AddressListRenderer::AddressListRenderer(const QVariantMap &options, const QList<ReceiverRecord> &receivers,
    const QSizeF &paper, const QRectF &imageable, bool printing)
    : m_paper(paper)
    , m_imageable(imageable.isEmpty() ? QRectF(QPointF(0, 0), paper) : imageable)
    , m_printing(printing)
{
    using PrintOptions::number;
    const QString family = PrintOptions::text(options.value(PrintKey::FontName));
    int size = PrintOptions::integer(options.value(PrintKey::FontSize));
    if (family.isEmpty() || size <= 0)
        size = FallbackFontSize;
    m_font = PrintMetrics::font(family, std::min(size, MaximumFontSize));
    const QFontMetricsF metrics = PrintMetrics::metrics(m_font);
    m_lineHeight = std::max(metrics.ascent() + metrics.descent(), 1.0);

    const double left = number(options.value(PrintKey::LeftMargin));
    const double top = number(options.value(PrintKey::TopMargin));
    const double right = number(options.value(PrintKey::RightMargin));
    const double bottom = number(options.value(PrintKey::BottomMargin));
    // Margins that leave no room still give every page one line, so the flow always moves on.
    m_content = QRectF(m_imageable.x() + left, m_imageable.y() + top,
        std::max(m_imageable.width() - left - right, 1.0),
        std::max(m_imageable.height() - top - bottom, m_lineHeight));

    const QVariantMap list = options.value(PrintKey::AddressList).toMap();
    m_frame = PrintOptions::flag(list.value(PrintKey::PrintFrame));
    m_alternating = PrintOptions::flag(list.value(PrintKey::AlternatingRow));
    m_items = AddressListItems::printedItems(list.value(PrintKey::ItemTable).toList());
    m_labels = list.value(PrintKey::SelectedLabels).toStringList();
    if (m_labels.isEmpty())
        m_labels = { LabelText::All };
    layOut(receivers);
}

QList<AddressListRenderer::Line> AddressListRenderer::formattedField(const QVariant &value,
    const QString &title, const QStringList &labels, double indent, const QFontMetricsF &metrics)
{
    const QString header = headerFor(title);
    const double headerWidth = metrics.horizontalAdvance(header) + indent;
    QList<Line> lines;
    switch (value.typeId()) {
    case QMetaType::QVariantList: {
        for (const QVariant &item : value.toList()) {
            const QVariantMap entry = item.toMap();
            const QString text = limited(entry.value(Key::StringValue).toString());
            const QString label = entry.value(Key::Label).toString();
            if (text.isEmpty() || !LabelFilter::passes(labels, label))
                continue;
            Line line;
            line.x = lines.isEmpty() ? indent : headerWidth;
            if (lines.isEmpty())
                line.runs.append({ header, false });
            line.runs.append({ labelText(label) + u':', true });
            line.runs.append({ u' ' + text, false });
            lines.append(line);
        }
        if (lines.isEmpty())
            lines.append(Line { indent, { { header, false } } });
        break;
    }
    case QMetaType::QVariantMap:
        lines.append(Line { indent,
            { { header, false }, { limited(value.toMap().value(Key::StringValue).toString()), false } } });
        break;
    default: {
        const QStringList parts = limited(value.toString()).split(u'\n');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i == 0)
                lines.append(Line { indent, { { header, false }, { parts.at(i), false } } });
            else
                lines.append(Line { headerWidth, { { parts.at(i), false } } });
        }
        break;
    }
    }
    return lines;
}

int AddressListRenderer::linesInFormattedString(const QVariant &value, const QStringList &labels)
{
    switch (value.typeId()) {
    case QMetaType::QVariantList: {
        int count = 0;
        for (const QVariant &item : value.toList()) {
            const QVariantMap entry = item.toMap();
            if (!entry.value(Key::StringValue).toString().isEmpty()
                && LabelFilter::passes(labels, entry.value(Key::Label).toString()))
                ++count;
        }
        return std::max(count, 1);
    }
    case QMetaType::QVariantMap:
        return 1;
    case QMetaType::QString:
        return int(limited(value.toString()).count(u'\n')) + 1;
    default:
        return 0;
    }
}

QList<AddressListRenderer::Line> AddressListRenderer::wrapLine(
    const Line &line, double width, const QFont &font)
{
    const QString text = line.text();
    const double available = std::max(width - line.x, 1.0);
    if (text.isEmpty() || PrintMetrics::metrics(font).horizontalAdvance(text) <= available)
        return { line };

    QTextLayout layout(text, font, PrintMetrics::referenceDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<std::pair<int, int>> ranges;
    layout.beginLayout();
    while (true) {
        QTextLine textLine = layout.createLine();
        if (!textLine.isValid())
            break;
        textLine.setLineWidth(available);
        ranges.append({ textLine.textStart(), textLine.textStart() + textLine.textLength() });
    }
    layout.endLayout();
    if (ranges.size() <= 1)
        return { line };

    QList<Line> wrapped;
    for (const auto &[start, end] : ranges) {
        Line piece { line.x, {} };
        int runStart = 0;
        for (const Run &run : line.runs) {
            const int runEnd = runStart + int(run.text.size());
            const int from = std::max(start, runStart);
            const int to = std::min(end, runEnd);
            if (from < to)
                piece.runs.append({ run.text.mid(from - runStart, to - from), run.dim });
            runStart = runEnd;
        }
        wrapped.append(piece);
    }
    return wrapped;
}

QList<AddressListRenderer::Line> AddressListRenderer::entryLines(const ReceiverRecord &receiver) const
{
    const QFontMetricsF metrics = PrintMetrics::metrics(m_font);
    QList<Line> unwrapped;
    unwrapped.append(Line { 0, { { limited(receiver.name.value(Ident::Name).toString()), false } } });
    for (const QString &title : m_items) {
        if (title == Ident::Name)
            continue;
        const QVariant value = receiver.person ? receiver.person->valueForIdentifier(title) : QVariant();
        unwrapped += formattedField(value, title, m_labels, FieldIndent, metrics);
    }
    QList<Line> lines;
    for (const Line &line : unwrapped)
        lines += wrapLine(line, m_content.width(), m_font);
    return lines;
}

void AddressListRenderer::layOut(const QList<ReceiverRecord> &receivers)
{
    const double top = m_content.top();
    const double bottom = m_content.bottom();
    int page = 0;
    double y = top;
    m_entries.reserve(receivers.size());
    for (const ReceiverRecord &receiver : receivers) {
        const QList<Line> lines = entryLines(receiver);
        const int entry = int(m_entries.size());
        m_entries.append(lines);
        const double height = lines.size() * m_lineHeight;
        // An entry that would straddle the foot of a page starts on the next one.
        if (y + height > bottom && y > top) {
            ++page;
            y = top;
        }
        // One taller than a whole page continues over as many pages as it needs.
        int first = 0;
        while (first < lines.size()) {
            const int room = std::max(int((bottom - y + 1e-6) / m_lineHeight), 1);
            const int count = std::min(room, int(lines.size()) - first);
            m_placements.append({ entry, page, y, first, count });
            first += count;
            y += count * m_lineHeight;
            if (first < lines.size()) {
                ++page;
                y = top;
            }
        }
    }
    m_pageCount = page + 1;
}

QList<AddressListRenderer::Placement> AddressListRenderer::placementsOnPage(int page) const
{
    // Placements are in page order; a binary search finds the page's first.
    const auto first = std::lower_bound(m_placements.cbegin(), m_placements.cend(), page,
        [](const Placement &placement, int p) { return placement.page < p; });
    QList<Placement> result;
    for (auto it = first; it != m_placements.cend() && it->page == page; ++it)
        result.append(*it);
    return result;
}

void AddressListRenderer::drawPage(QPainter *painter, int page) const
{
    if (!painter)
        return;
    painter->save();
    painter->fillRect(QRectF(QPointF(0, 0), m_paper), m_printing ? QColor(Qt::white) : PreviewBackground);
    if (!m_printing)
        painter->fillRect(m_imageable, Qt::white);

    const QFontMetricsF metrics = PrintMetrics::metrics(m_font);
    painter->setFont(PrintMetrics::forPainter(m_font, painter));
    for (const Placement &placement : placementsOnPage(page)) {
        const QRectF rect(
            m_content.left(), placement.y, m_content.width(), placement.lineCount * m_lineHeight);
        if (m_alternating && placement.entry % 2 == 1)
            painter->fillRect(rect, AlternateShade);
        const QList<Line> &lines = m_entries.at(placement.entry);
        double baseline = placement.y + metrics.ascent();
        for (int i = placement.firstLine; i < placement.firstLine + placement.lineCount; ++i) {
            double x = m_content.left() + lines.at(i).x;
            for (const Run &run : lines.at(i).runs) {
                painter->setPen(run.dim ? DimText : QColor(Qt::black));
                painter->drawText(QPointF(x, baseline), run.text);
                x += metrics.horizontalAdvance(run.text);
            }
            baseline += m_lineHeight;
        }
        if (m_frame) {
            painter->setPen(QPen(FrameLine, 1.0));
            painter->drawLine(rect.topLeft(), rect.topRight());
            painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    }
    painter->restore();
}
