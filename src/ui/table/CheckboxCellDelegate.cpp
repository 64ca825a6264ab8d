#include "ui/table/CheckboxCellDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QRect CheckboxCellDelegate::boxRect(const QRect &cell, double lineHeight, bool centred)
{
    const int side = std::min(16, int(lineHeight) - 6);
    const int top = cell.top() + int((lineHeight - side) / 2);
    const int left = centred ? cell.left() + (cell.width() - side) / 2 : cell.left() + 5;
    return QRect(left, top, side, side);
}

void CheckboxCellDelegate::drawBox(
    QPainter *painter, const QStyleOptionViewItem &option, const QRect &box, bool checked)
{
    QStyleOptionButton button;
    button.rect = box;
    button.state = option.state & QStyle::State_Enabled;
    button.state |= checked ? QStyle::State_On : QStyle::State_Off;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &button, painter, widget);
}

bool CheckboxCellDelegate::toggleOnEvent(
    QEvent *event, QAbstractItemModel *model, const QModelIndex &index, const QRect &box)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable) || !index.data(Qt::CheckStateRole).isValid())
        return false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton
            || !box.adjusted(-3, -3, 3, 3).contains(mouse->position().toPoint()))
            return false;
    } else if (event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(event)->key() != Qt::Key_Space)
            return false;
    } else {
        // A press or double click in the box is the release's: it neither selects again nor edits.
        if (event->type() == QEvent::MouseButtonDblClick) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            return box.adjusted(-3, -3, 3, 3).contains(mouse->position().toPoint());
        }
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

void CheckboxCellDelegate::paintCell(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant state = index.data(Qt::CheckStateRole);
    if (!state.isValid())
        return;
    QStyleOptionViewItem enabled = option;
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        enabled.state &= ~QStyle::State_Enabled;
    drawBox(painter, enabled, boxRect(option.rect, lineHeight(), true), state.toInt() == Qt::Checked);
}

bool CheckboxCellDelegate::editorEvent(
    QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    return toggleOnEvent(event, model, index, boxRect(option.rect, lineHeight(), true));
}
