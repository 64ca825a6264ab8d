#include "print/LabelRenderer.h"

#include "print/MailingLabelText.h"
#include "print/PrintMetrics.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/pdf/TextDrawing.h"
#include "print/vertical/VerticalTextLayout.h"
#include "print/vertical/VerticalTextPainter.h"

#include <QColor>
#include <QMutex>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Fitting steps: too big shrinks a little; clearly too small grows by steps that narrow as the text
// approaches the label's size.
constexpr double TooBig = 0.98;
constexpr double Shrink = 0.2;
struct Growth
{
    double below;
    double step;
};
constexpr Growth Growths[] = { { 0.6, 1.2 }, { 0.8, 0.8 }, { 0.9, 0.4 } };
constexpr double StartFactor = 1.2;
// Horizontal text is measured once at this size and scaled while fitting.
constexpr double ScalingReference = 100.0;
// Scaling an overflow away: a few passes, a hair under the limit, never below a readable-ish size.
constexpr int MaxCorrections = 5;
constexpr double CorrectionMargin = 0.995;
constexpr double MinimumFittedSize = 1.0;
// Labels run in thousands; one receiver's text is never worth more than this.
constexpr qsizetype MaxLabelTextLength = 4000;

const QColor PreviewBackground = QColor::fromRgbF(1.0f, 1.0f, 0.7f);
constexpr double FrameWidth = 1.5;

QStringList linesOf(const QString &text)
{
    return text.split(u'\n');
}

QFont verticalFont(const QString &family, double size)
{
    return PrintMetrics::font(family, size);
}

} // namespace

struct LabelRenderer::Cache
{
    QMutex mutex;
    QList<std::optional<QString>> texts;
    QList<std::optional<FittedText>> fitted;
};

LabelRenderer::LabelRenderer(const QVariantMap &options, QList<ReceiverRecord> receivers, const QSizeF &paper,
    const QRectF &imageable, bool printing)
    : m_labelOptions(options.value(PrintKey::MailingLabels).toMap())
    , m_receivers(std::move(receivers))
    , m_sheet(LabelSheet::fromOptions(options, paper, imageable))
    , m_imageable(imageable.isEmpty() ? QRectF(QPointF(0, 0), paper) : imageable)
    , m_keishou(PrintOptions::text(options.value(PrintKey::Keishou)))
    , m_fontName(PrintOptions::text(options.value(PrintKey::FontName)))
    , m_repeat(LabelSheet::repeatCount(options))
    , m_vertical(PrintOptions::flag(m_labelOptions.value(PrintKey::DrawTextInVertical)))
    , m_frame(PrintOptions::flag(m_labelOptions.value(PrintKey::PrintFrame)))
    , m_printing(printing)
    , m_cache(std::make_unique<Cache>())
{
    m_verticalFontName = PrintOptions::text(m_labelOptions.value(PrintKey::VerticalFontName));
    if (m_verticalFontName.isEmpty())
        m_verticalFontName = m_fontName;
    m_cache->texts.resize(m_receivers.size());
    m_cache->fitted.resize(m_receivers.size());
}

LabelRenderer::~LabelRenderer() = default;

int LabelRenderer::pageCount() const
{
    return m_sheet.pageCount(m_receivers.size(), m_repeat);
}

QList<LabelRenderer::Label> LabelRenderer::labelsOnPage(int page) const
{
    QList<Label> labels;
    const auto [first, end]
        = m_sheet.labelsOnPage(page, LabelSheet::labelCount(m_receivers.size(), m_repeat));
    labels.reserve(end - first);
    for (qint64 k = first; k < end; ++k) {
        Label label;
        label.index = k;
        label.receiver = int(k / m_repeat);
        label.copy = int(k % m_repeat);
        const QRectF rect = m_sheet.labelRectOnPage(k);
        label.textRect = rect.translated(LabelSheet::TextInsetX, LabelSheet::TextInsetY);
        label.frameRect = rect.translated(0.0, -LabelSheet::FrameRaise);
        labels.append(label);
    }
    return labels;
}

QString LabelRenderer::labelText(int receiver) const
{
    if (receiver < 0 || receiver >= m_receivers.size())
        return {};
    QMutexLocker lock(&m_cache->mutex);
    std::optional<QString> &cached = m_cache->texts[receiver];
    if (!cached) {
        QString text = MailingLabelText::makeAdrsAndNameString(
            m_receivers.at(receiver), m_labelOptions, m_keishou, false);
        cached = text.left(MaxLabelTextLength);
    }
    return *cached;
}

double LabelRenderer::startSize(int lines, int longest, const QSizeF &label)
{
    const double a = label.width() / std::max(longest, MinimumLongest);
    const double b = label.height() / std::max(lines, MinimumLines);
    return b < StartFactor * a ? StartFactor * b : StartFactor * a;
}

double LabelRenderer::fitSize(
    double start, const QSizeF &label, const std::function<QSizeF(double size)> &measure)
{
    double size = start;
    if (!(label.width() > 0) || !(label.height() > 0) || !std::isfinite(size))
        return std::isfinite(size) ? size : 0.0;
    for (int pass = 0; pass < MaxFitPasses; ++pass) {
        const QSizeF extent = measure(size);
        const double rw = extent.width() / label.width();
        const double rh = extent.height() / label.height();
        if (rw > TooBig || rh > TooBig) {
            if (size - Shrink <= 0.0)
                break; // nothing that small fits either; keep the smallest size that prints
            size -= Shrink;
            continue;
        }
        bool grew = false;
        for (const Growth &growth : Growths) {
            if (rw < growth.below && rh < growth.below) {
                size += growth.step;
                grew = true;
                break;
            }
        }
        if (!grew)
            break;
    }
    // The steps above start from a guess and may run out before a wide text fits; text must never run
    // into the next label, so an overflow left over is scaled away.
    for (int pass = 0; pass < MaxCorrections; ++pass) {
        const QSizeF extent = measure(size);
        const double ratio = std::max(extent.width() / label.width(), extent.height() / label.height());
        if (!(ratio > TooBig) || size <= MinimumFittedSize)
            break;
        size = std::max(size * TooBig / ratio * CorrectionMargin, MinimumFittedSize);
    }
    return size;
}

QSizeF LabelRenderer::measureHorizontal(const QString &text, const QString &family, double size)
{
    const QFontMetricsF metrics = PrintMetrics::metrics(PrintMetrics::font(family, size));
    const QStringList lines = linesOf(text);
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QSizeF(width, lines.size() * (metrics.ascent() + metrics.descent()));
}

QSizeF LabelRenderer::measureVertical(const QString &text, const QString &family, double size)
{
    const double length
        = VerticalTextLayout::measureLength(text, verticalFont(family, size), size, verticalOptions());
    return QSizeF(length, (linesOf(text).size() - 1) * size * ColumnPitch + size);
}

VerticalTextLayout::Options LabelRenderer::verticalOptions()
{
    VerticalTextLayout::Options options;
    options.columnPitch = ColumnPitch;
    return options;
}

LabelRenderer::FittedText LabelRenderer::fittedText(int receiver) const
{
    if (receiver < 0 || receiver >= m_receivers.size())
        return {};
    {
        QMutexLocker lock(&m_cache->mutex);
        if (const auto &cached = m_cache->fitted.at(receiver))
            return *cached;
    }
    FittedText fitted;
    fitted.text = labelText(receiver);
    fitted.vertical = m_vertical;
    const QStringList lines = linesOf(fitted.text);
    int longest = 0;
    for (const QString &line : lines)
        longest = std::max(longest, int(line.size()));
    const QSizeF label = m_sheet.labelSize();
    const QString family = m_vertical ? m_verticalFontName : m_fontName;
    const auto exact = [&](double size) {
        return m_vertical ? measureVertical(fitted.text, family, size)
                          : measureHorizontal(fitted.text, family, size);
    };
    // Unhinted horizontal text grows in proportion to its size: it is measured once and scaled for
    // every size the fitting tries, then measured again at the size found.
    const QSizeF perPoint = m_vertical ? QSizeF() : exact(ScalingReference) / ScalingReference;
    const auto measure = [&](double size) { return m_vertical ? exact(size) : perPoint * size; };
    fitted.fontSize = fitSize(startSize(int(lines.size()), longest, label), label, measure);
    fitted.extent = exact(fitted.fontSize);
    const double over
        = std::max(fitted.extent.width() / label.width(), fitted.extent.height() / label.height()) / TooBig;
    if (over > 1 && std::isfinite(over)) {
        fitted.fontSize = std::max(fitted.fontSize / over * CorrectionMargin, MinimumFittedSize);
        fitted.extent = exact(fitted.fontSize);
    }

    QMutexLocker lock(&m_cache->mutex);
    m_cache->fitted[receiver] = fitted;
    return fitted;
}

void LabelRenderer::drawPage(QPainter *painter, int page) const
{
    if (!painter)
        return;
    const QSizeF paper = m_sheet.paperSize();
    painter->save();
    painter->fillRect(QRectF(QPointF(0, 0), paper), m_printing ? QColor(Qt::white) : PreviewBackground);
    if (!m_printing)
        painter->fillRect(m_imageable, Qt::white);

    for (const Label &label : labelsOnPage(page)) {
        const FittedText text = fittedText(label.receiver);
        if (!text.text.isEmpty() && text.fontSize > 0) {
            painter->setPen(Qt::black);
            if (text.vertical) {
                // Columns set top to bottom, turned a quarter to the left: they run across the label
                // and read vertically once the sheet is turned.
                const QFont font = verticalFont(m_verticalFontName, text.fontSize);
                const VerticalLineLayout line = VerticalTextLayout::layoutLine(
                    { VerticalTextRun { text.text, font, text.fontSize } }, QPointF(0, 0), verticalOptions());
                painter->save();
                painter->translate(label.textRect.topLeft());
                painter->rotate(-90);
                VerticalTextPainter::draw(painter, line);
                painter->restore();
            } else {
                const QFont font = PrintMetrics::font(m_fontName, text.fontSize);
                const QFontMetricsF metrics = PrintMetrics::metrics(font);
                const double lineHeight = metrics.ascent() + metrics.descent();
                double baseline = label.textRect.top() + metrics.ascent();
                for (const QString &line : linesOf(text.text)) {
                    TextDrawing::drawLine(painter, QPointF(label.textRect.left(), baseline), line, font);
                    baseline += lineHeight;
                }
            }
        }
        if (m_frame) {
            painter->setPen(QPen(QColor(Qt::gray), FrameWidth));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(label.frameRect);
        }
    }
    painter->restore();
}
