#pragma once

#include <QStyledItemDelegate>

// The find panel's cells: the Value column shows every range of the search text shaded light grey and
// the current one orange, line by line, as the contact table does.
class FindResultsDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int LineHeight = 24;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
