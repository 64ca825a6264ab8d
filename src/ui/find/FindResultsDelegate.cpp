#include "ui/find/FindResultsDelegate.h"

#include "ui/common/HighlightedCellPainter.h"
#include "ui/find/FindResultsModel.h"

void FindResultsDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != FindResultsModel::ValueColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    HighlightedCellPainter::paint(
        painter, opt, index.data(FindResultsModel::HighlightRole).value<CellHighlights>(), LineHeight);
}

QSize FindResultsDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(LineHeight * qMax(1, index.data(FindResultsModel::LineCountRole).toInt()));
    return size;
}
