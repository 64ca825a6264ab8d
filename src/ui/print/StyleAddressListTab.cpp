#include "ui/print/StyleAddressListTab.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"
#include "print/AddressListItems.h"
#include "print/LabelFilter.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "ui/print/StyleItemTableModel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Every label of every labelled field, in the model's order.
QStringList modelLabels()
{
    QStringList labels;
    for (const QString &identifier : ZRPerson::labeledIdentifiers())
        labels += Labels::labelsForIdentifier(identifier);
    return labels;
}

QString labelTitle(const QString &label)
{
    if (label == PrintValue::FilterTitle)
        return StyleAddressListTab::tr("Label");
    if (label == LabelText::All)
        return StyleAddressListTab::tr("All");
    return Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label));
}

} // namespace

StyleAddressListTab::StyleAddressListTab(QWidget *parent)
    : StyleTab(parent)
{
    setObjectName(QStringLiteral("addressListTab"));
    auto *layout = new QHBoxLayout(this);

    m_model = new StyleItemTableModel(this);
    m_items = new QListView(this);
    m_items->setObjectName(QStringLiteral("itemTable"));
    m_items->setModel(m_model);
    m_items->setDragEnabled(true);
    m_items->setAcceptDrops(true);
    m_items->setDropIndicatorShown(true);
    m_items->setDragDropMode(QAbstractItemView::DragDrop);
    m_items->setDefaultDropAction(Qt::MoveAction);
    m_items->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("Print these fields (drag to reorder):"), this));
    left->addWidget(m_items, 1);
    layout->addLayout(left, 1);

    auto *right = new QVBoxLayout;
    m_frame = new QCheckBox(tr("Frame each entry"), this);
    m_frame->setObjectName(QStringLiteral("listFrameCheck"));
    m_alternating = new QCheckBox(tr("Shade alternate entries"), this);
    m_alternating->setObjectName(QStringLiteral("alternatingRowCheck"));
    m_labelMenu = new QMenu(this);
    m_labelMenu->setObjectName(QStringLiteral("labelFilterMenu"));
    m_labelButton = new QToolButton(this);
    m_labelButton->setObjectName(QStringLiteral("labelFilterButton"));
    m_labelButton->setText(tr("Labels to Print"));
    m_labelButton->setMenu(m_labelMenu);
    m_labelButton->setPopupMode(QToolButton::InstantPopup);
    m_labelButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    right->addWidget(m_frame);
    right->addWidget(m_alternating);
    right->addSpacing(8);
    right->addWidget(m_labelButton);
    right->addStretch();
    layout->addLayout(right);

    connect(m_model, &StyleItemTableModel::itemsEdited, this, &StyleTab::edited);
    connect(m_frame, &QCheckBox::clicked, this, &StyleTab::edited);
    connect(m_alternating, &QCheckBox::clicked, this, &StyleTab::edited);
}

void StyleAddressListTab::load(const QVariantMap &options)
{
    const QVariantMap list = options.value(PrintKey::AddressList).toMap();
    QVariantList items = list.value(PrintKey::ItemTable).toList();
    AddressListItems::updateItemTable(items, m_columnsInMainView);
    m_model->setItems(items);
    m_frame->setChecked(PrintOptions::flag(list.value(PrintKey::PrintFrame)));
    m_alternating->setChecked(PrintOptions::flag(list.value(PrintKey::AlternatingRow), true));
    m_selectedLabels
        = LabelFilter(modelLabels(), list.value(PrintKey::SelectedLabels).toStringList()).selectedLabels();
    rebuildLabelMenu();
}

void StyleAddressListTab::store(QVariantMap &options) const
{
    QVariantMap list = options.value(PrintKey::AddressList).toMap();
    list.insert(PrintKey::ItemTable, m_model->items());
    list.insert(PrintKey::PrintFrame, m_frame->isChecked());
    list.insert(PrintKey::AlternatingRow, m_alternating->isChecked());
    list.insert(PrintKey::SelectedLabels, m_selectedLabels);
    options.insert(PrintKey::AddressList, list);
}

void StyleAddressListTab::chooseLabel(int index)
{
    LabelFilter filter(modelLabels(), m_selectedLabels);
    filter.choose(index);
    m_selectedLabels = filter.selectedLabels();
    // The menu stays: this runs from one of its actions, so only the marks change.
    const QList<QAction *> actions = m_labelMenu->actions();
    for (int i = 1; i < actions.size() && i < filter.items().size(); ++i)
        actions.at(i)->setChecked(filter.items().at(i).marked);
    emit edited();
}

void StyleAddressListTab::rebuildLabelMenu()
{
    m_labelMenu->clear();
    const LabelFilter filter(modelLabels(), m_selectedLabels);
    const QList<LabelFilter::Item> &items = filter.items();
    for (int i = 0; i < items.size(); ++i) {
        QAction *action = m_labelMenu->addAction(labelTitle(items.at(i).title));
        if (i == 0) {
            action->setEnabled(false);
            continue;
        }
        action->setCheckable(true);
        action->setChecked(items.at(i).marked);
        connect(action, &QAction::triggered, this, [this, i] { chooseLabel(i); });
    }
}
