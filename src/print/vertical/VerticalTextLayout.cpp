#include "print/vertical/VerticalTextLayout.h"

#include "print/vertical/VerticalShaper.h"
#include "print/vertical/VerticalTextRoutine.h"

namespace VerticalTextLayout {

namespace {

VerticalLineLayout layoutOrMeasure(
    const VerticalAttributedText &text, QPointF topRight, const Options &options, bool measureOnly)
{
    if (options.useVerticalForms) {
        if (auto shaped = VerticalShaper::layout(
                text, topRight, options.uprightNumbers, measureOnly, options.columnPitch))
            return *shaped;
    }
    VerticalTextRoutine::Options routine;
    routine.direction = VerticalDirection::TopToBottom;
    routine.measureOnly = measureOnly;
    routine.uprightNumbers = options.uprightNumbers;
    routine.columnPitch = options.columnPitch;
    return VerticalTextRoutine::layout(text, topRight, routine);
}

} // namespace

VerticalLineLayout layoutLine(const VerticalAttributedText &text, QPointF topRight, const Options &options)
{
    return layoutOrMeasure(text, topRight, options, false);
}

qreal measureLength(const VerticalAttributedText &text, const Options &options)
{
    return layoutOrMeasure(text, QPointF(0, 0), options, true).length;
}

qreal measureLength(const QString &text, const QFont &font, qreal size, const Options &options)
{
    return measureLength(VerticalAttributedText { { text, font, size } }, options);
}

VerticalBlockLayout layoutBlock(
    const QList<VerticalAttributedText> &lines, const QRectF &rect, qreal lineHeight, const Options &options)
{
    VerticalBlockLayout block;
    qreal right = rect.right();
    for (qsizetype i = 0; i < lines.size(); ++i, right -= lineHeight) {
        qreal top = rect.top();
        if (i > 0)
            top = rect.bottom() - measureLength(lines[i], options);
        VerticalLineLayout line = layoutLine(lines[i], QPointF(right, top), options);
        if (!line.bounds.isEmpty())
            block.textRect = block.textRect.isNull() ? line.bounds : block.textRect.united(line.bounds);
        block.lines.append(std::move(line));
    }
    return block;
}

} // namespace VerticalTextLayout
