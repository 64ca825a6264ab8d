#pragma once

#include "ui/table/CellDelegate.h"

// The name: the record's thumbnail and its name in the bold font, on a contact's first row only.
class NameCellDelegate : public CellDelegate
{
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;

protected:
    void paintCell(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QRect textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
