#pragma once

#include "document/ContactCell.h"

#include <QStyledItemDelegate>
#include <optional>

// Edits the panel's cells: a pop-up for labels and for the name ordering and display rows, a line for
// one-line texts (committed on Return or when the focus leaves), a text box for the note and the joint
// names, whose lines must survive editing. While the find bar has a text, the values show every
// occurrence of it shaded light grey and the current match orange, as the contact table does.
class ContactInfoDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setFindString(const QString &text, Qt::CaseSensitivity cs);
    const QString &findString() const { return m_findString; }
    // The row holding the current match and its range in the row's value; row -1 for none.
    void setCurrentMatch(int row, const std::optional<TextSpan> &range);
    CellHighlights highlights(const QModelIndex &index) const;

    void paint(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    QString m_findString;
    Qt::CaseSensitivity m_cs = Qt::CaseInsensitive;
    int m_currentRow = -1;
    std::optional<TextSpan> m_currentRange;
};
