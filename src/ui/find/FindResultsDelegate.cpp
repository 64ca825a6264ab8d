#include "ui/find/FindResultsDelegate.h"

#include "document/ContactCell.h"
#include "ui/find/FindResultsModel.h"
#include "ui/table/CellDelegate.h"

#include <QApplication>
#include <QPainter>

void FindResultsDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != FindResultsModel::ValueColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QColor color = opt.state & QStyle::State_Selected ? opt.palette.color(QPalette::HighlightedText)
                                                            : opt.palette.color(QPalette::Text);
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    // The text is clipped to its cell; without restoring, every cell painted after this one would be
    // clipped to it too and only the first row would show.
    painter->save();
    CellDelegate::drawText(painter, rect, text, opt.font, color,
        index.data(FindResultsModel::HighlightRole).value<CellHighlights>(), LineHeight);
    painter->restore();
}

QSize FindResultsDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(LineHeight * qMax(1, index.data(FindResultsModel::LineCountRole).toInt()));
    return size;
}
