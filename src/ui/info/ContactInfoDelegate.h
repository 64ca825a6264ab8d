#pragma once

#include <QStyledItemDelegate>

// Edits the panel's cells: a pop-up for labels and for the name ordering and display rows, a line for
// one-line texts (committed on Return or when the focus leaves), a text box for the note and the joint
// names, whose lines must survive editing.
class ContactInfoDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    bool eventFilter(QObject *object, QEvent *event) override;
};
