#include "ui/table/CheckboxTextCellDelegate.h"

#include "ui/table/CheckboxCellDelegate.h"

namespace {

constexpr int BoxRoom = 26;

} // namespace

QRect CheckboxTextCellDelegate::textRect(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return option.rect.adjusted(BoxRoom, 0, -4, 0);
}

void CheckboxTextCellDelegate::paintCell(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant state = index.data(Qt::CheckStateRole);
    if (state.isValid()) {
        QStyleOptionViewItem enabled = option;
        if (!(index.flags() & Qt::ItemIsUserCheckable))
            enabled.state &= ~QStyle::State_Enabled;
        CheckboxCellDelegate::drawBox(painter, enabled,
            CheckboxCellDelegate::boxRect(option.rect, lineHeight(), false), state.toInt() == Qt::Checked);
    }
    drawCellText(painter, option, index, textRect(option, index));
}

bool CheckboxTextCellDelegate::editorEvent(
    QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    return CheckboxCellDelegate::toggleOnEvent(
        event, model, index, CheckboxCellDelegate::boxRect(option.rect, lineHeight(), false));
}
