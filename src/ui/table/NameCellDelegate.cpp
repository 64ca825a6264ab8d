#include "ui/table/NameCellDelegate.h"

#include <QImage>
#include <QPainter>

namespace {

QRect thumbnailRect(const QRect &cell, double lineHeight)
{
    const int side = int(lineHeight) - 4;
    return QRect(cell.left() + 4, cell.top() + 2, side, side);
}

} // namespace

QRect NameCellDelegate::textRect(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return option.rect.adjusted(int(lineHeight()) + 6, 0, -4, 0);
}

void NameCellDelegate::paintCell(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QImage thumbnail = index.data(Qt::DecorationRole).value<QImage>();
    if (!thumbnail.isNull()) {
        const QRect box = thumbnailRect(option.rect, lineHeight());
        const QSize size = thumbnail.size().scaled(box.size(), Qt::KeepAspectRatio);
        const QRect target(box.left() + (box.width() - size.width()) / 2,
            box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, thumbnail);
    }
    drawCellText(painter, option, index, textRect(option, index));
}
