#include "ui/editors/RenmeiEditor.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

RenmeiEditor::RenmeiEditor(QWidget *parent)
    : FieldEditor(parent)
{
    m_view = new QListWidget(this);
    body()->addWidget(m_view, 1);
    auto *row = new QHBoxLayout;
    m_add = new QPushButton(tr("Add"), this);
    m_delete = new QPushButton(tr("Delete"), this);
    m_add->setAutoDefault(false);
    m_delete->setAutoDefault(false);
    row->addWidget(m_add);
    row->addWidget(m_delete);
    row->addStretch();
    body()->addLayout(row);
    connect(m_add, &QPushButton::clicked, this, [this] {
        const int row = m_names.add(m_view->currentRow());
        reload(row);
        m_view->editItem(m_view->item(row));
        fieldChanged();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int row = m_view->currentRow();
        if (m_names.remove(row)) {
            reload(std::min(row, m_names.count() - 1));
            fieldChanged();
        }
    });
    connect(m_view, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_reloading && m_names.setName(m_view->row(item), item->text()))
            fieldChanged();
    });
}

void RenmeiEditor::reload(int select)
{
    m_reloading = true;
    m_view->clear();
    for (const QString &name : m_names.names()) {
        auto *item = new QListWidgetItem(name, m_view);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (m_editable)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
    }
    m_reloading = false;
    if (select >= 0 && select < m_view->count())
        m_view->setCurrentRow(select);
    m_delete->setEnabled(m_editable && m_names.count() > 0);
}

void RenmeiEditor::fillFields()
{
    m_names = RenmeiList(person() ? person()->valueForIdentifier(Ident::Renmei).toString() : QString());
    reload(0);
}

void RenmeiEditor::collectResult(EditorContext &context)
{
    context.values = m_names.values();
    context.value = RenmeiList::joined(context.values);
}

void RenmeiEditor::setFieldsEditable(bool editable)
{
    const bool was = m_editable;
    m_editable = editable;
    if (was != editable)
        reload(m_view->currentRow());
    m_add->setEnabled(editable);
    m_delete->setEnabled(editable && m_names.count() > 0);
}

void RenmeiEditor::clearFields()
{
    m_names = RenmeiList();
    reload(-1);
}
