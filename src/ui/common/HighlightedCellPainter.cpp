#include "ui/common/HighlightedCellPainter.h"

#include "ui/table/CellDelegate.h"

#include <QApplication>
#include <QPainter>

void HighlightedCellPainter::paint(QPainter *painter, const QStyleOptionViewItem &option,
    const CellHighlights &highlights, double lineHeight)
{
    QStyleOptionViewItem opt = option;
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QColor color = opt.state & QStyle::State_Selected ? opt.palette.color(QPalette::HighlightedText)
                                                            : opt.palette.color(QPalette::Text);
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    if (lineHeight <= 0)
        lineHeight = double(rect.height()) / qMax(1, int(text.count(QLatin1Char('\n'))) + 1);
    // The text is clipped to its cell; without restoring, every cell painted after this one would be
    // clipped to it too.
    painter->save();
    CellDelegate::drawText(painter, rect, text, opt.font, color, highlights, lineHeight);
    painter->restore();
}
