#pragma once

#include "ui/table/CellDelegate.h"

// Company and joint names: the text, and beside it, when there is a text, the check box that says
// whether the address prints it.
class CheckboxTextCellDelegate : public CellDelegate
{
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;

protected:
    void paintCell(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QRect textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;
};
