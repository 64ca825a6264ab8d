#pragma once

#include "ui/table/CellDelegate.h"

// The postcard sender's column: one check box, centred, that a click or the space bar toggles while
// editing is on.
class CheckboxCellDelegate : public CellDelegate
{
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;

    // Where the box of a cell is drawn and clicked: a square of the first line's band.
    static QRect boxRect(const QRect &cell, double lineHeight, bool centred);
    static void drawBox(
        QPainter *painter, const QStyleOptionViewItem &option, const QRect &box, bool checked);
    // Toggles the cell's check state through the model when the event is a click in the box or Space.
    static bool toggleOnEvent(
        QEvent *event, QAbstractItemModel *model, const QModelIndex &index, const QRect &box);

protected:
    void paintCell(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;
};
