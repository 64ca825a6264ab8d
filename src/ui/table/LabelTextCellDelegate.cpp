#include "ui/table/LabelTextCellDelegate.h"

#include "document/ContactTableModel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

QRect LabelTextCellDelegate::popupRect(const QRect &cell, double lineHeight)
{
    return QRect(cell.left() + 3, cell.top() + 3, PopupWidth - 6, int(lineHeight) - 6);
}

QRect LabelTextCellDelegate::textRect(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return option.rect.adjusted(PopupWidth, 0, -4, 0);
}

void LabelTextCellDelegate::paintCell(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // A cell without a value at its position has no pop-up and no text.
    const QVariant label = index.data(ContactTableModel::LabelRole);
    if (!label.isValid() || index.data(ContactTableModel::LabelIndexRole).toLongLong() < 0)
        return;
    const QRect popup = popupRect(option.rect, lineHeight());
    const int current = index.data(ContactTableModel::CurrentLabelRole).toInt();
    const QStringList shown = index.data(ContactTableModel::LocalizedLabelListRole).toStringList();
    const QString title = current >= 0 && current < shown.size() ? shown.at(current) : label.toString();

    const bool enabled = (option.state & QStyle::State_Enabled) && (index.flags() & Qt::ItemIsEditable);
    const QColor ink = textColor(option);
    painter->setRenderHint(QPainter::Antialiasing);
    QColor frame = ink;
    frame.setAlphaF(enabled ? 0.35f : 0.18f);
    painter->setPen(frame);
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(popup).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    QFont small = option.font;
    small.setPointSizeF(std::max(7.0, option.font.pointSizeF() * 0.85));
    painter->setFont(small);
    QColor labelInk = ink;
    labelInk.setAlphaF(enabled ? 0.85f : 0.5f);
    painter->setPen(labelInk);
    const QRect titleRect = popup.adjusted(5, 0, -14, 0);
    painter->drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(small).elidedText(title, Qt::ElideRight, titleRect.width()));
    // The pop-up's arrow.
    const QPointF tip(popup.right() - 7, popup.center().y() + 2);
    QPainterPath arrow;
    arrow.moveTo(tip.x() - 3.5, tip.y() - 3.5);
    arrow.lineTo(tip.x() + 3.5, tip.y() - 3.5);
    arrow.lineTo(tip);
    arrow.closeSubpath();
    painter->fillPath(arrow, labelInk);
    painter->setRenderHint(QPainter::Antialiasing, false);

    drawCellText(painter, option, index, textRect(option, index));
}

bool LabelTextCellDelegate::editorEvent(
    QEvent *event, QAbstractItemModel *, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QRect popup = popupRect(option.rect, lineHeight());
    if (mouse->button() != Qt::LeftButton || !popup.contains(mouse->position().toPoint()))
        return false;
    if (!index.data(ContactTableModel::LabelRole).isValid()
        || index.data(ContactTableModel::LabelIndexRole).toLongLong() < 0)
        return false;
    if (event->type() == QEvent::MouseButtonRelease)
        emit labelPopupRequested(index, popup);
    return true;
}
