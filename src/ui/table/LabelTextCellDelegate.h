#pragma once

#include "ui/table/CellDelegate.h"

// A labelled value: the label pop-up and beside it the value's text. A click on the pop-up asks the
// table to offer the labels (labelPopupRequested); the text is edited in place.
class LabelTextCellDelegate : public CellDelegate
{
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;

    static constexpr int PopupWidth = 68;
    static QRect popupRect(const QRect &cell, double lineHeight);

signals:
    void labelPopupRequested(const QModelIndex &index, const QRect &popupRect);

protected:
    void paintCell(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QRect textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;
};
