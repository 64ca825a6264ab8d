#include "ui/tools/MergeLabelDelegate.h"

#include "model/Labels.h"
#include "ui/tools/MergeTableModel.h"

#include <QComboBox>

QWidget *MergeLabelDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QStringList labels = index.data(MergeTableModel::LabelChoicesRole).toStringList();
    if (labels.isEmpty())
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *popup = new QComboBox(parent);
    for (const QString &label : labels)
        popup->addItem(Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label)), label);
    // A choice is taken at once, as a pop-up button does.
    connect(popup, &QComboBox::activated, this, [this, popup] {
        emit const_cast<MergeLabelDelegate *>(this)->commitData(popup);
        emit const_cast<MergeLabelDelegate *>(this)->closeEditor(popup);
    });
    return popup;
}

void MergeLabelDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *popup = qobject_cast<QComboBox *>(editor);
    if (!popup)
        return QStyledItemDelegate::setEditorData(editor, index);
    const QString label = index.data(Qt::EditRole).toString();
    int found = popup->findData(label);
    if (found < 0) {
        // A custom label stays choosable as it is.
        popup->addItem(label, label);
        found = popup->count() - 1;
    }
    popup->setCurrentIndex(found);
}

void MergeLabelDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *popup = qobject_cast<QComboBox *>(editor);
    if (!popup)
        return QStyledItemDelegate::setModelData(editor, model, index);
    model->setData(index, popup->currentData(), Qt::EditRole);
}
