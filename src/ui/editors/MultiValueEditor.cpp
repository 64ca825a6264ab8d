#include "ui/editors/MultiValueEditor.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorFields.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

MultiValueEditor::MultiValueEditor(QWidget *parent)
    : FieldEditor(parent)
{
    m_table = new QTableWidget(this);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    body()->addWidget(m_table, 1);
    auto *row = new QHBoxLayout;
    m_add = new QPushButton(tr("Add"), this);
    m_delete = new QPushButton(tr("Delete"), this);
    m_label = new QComboBox(this);
    m_customLabel = new QLineEdit(this);
    m_customLabel->setPlaceholderText(tr("Custom label"));
    m_addLabel = new QPushButton(tr("Add Label"), this);
    for (QPushButton *button : { m_add, m_delete, m_addLabel })
        button->setAutoDefault(false);
    row->addWidget(m_add);
    row->addWidget(m_delete);
    row->addStretch();
    body()->addLayout(row);
    auto *labels = new QHBoxLayout;
    labels->addWidget(m_label, 1);
    labels->addWidget(m_customLabel, 1);
    labels->addWidget(m_addLabel);
    body()->addLayout(labels);

    connect(m_add, &QPushButton::clicked, this, &MultiValueEditor::addRow);
    connect(m_delete, &QPushButton::clicked, this, &MultiValueEditor::deleteRows);
    connect(m_addLabel, &QPushButton::clicked, this, &MultiValueEditor::addCustomLabel);
    connect(m_customLabel, &QLineEdit::returnPressed, this, &MultiValueEditor::addCustomLabel);
    connect(m_table, &QTableWidget::cellChanged, this, &MultiValueEditor::cellEdited);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &MultiValueEditor::selectionChanged);
    connect(m_label, &QComboBox::activated, this, [this] {
        const int row = m_table->currentRow();
        if (m_list && m_list->setLabel(row, EditorFields::labelOfCombo(m_label))) {
            reloadTable();
            m_table->selectRow(row);
            fieldChanged();
        }
    });
}

QString MultiValueEditor::field() const
{
    return EditorRoster::fieldOfType(context().type);
}

void MultiValueEditor::fillFields()
{
    if (ZRPerson *p = person())
        m_list = MultiValueList::fromRecord(*p, field());
    else
        m_list = MultiValueList(field(), {});
    m_columns = m_list->columns();
    reloadTable();
    reloadLabels();
    if (m_table->rowCount() > 0)
        m_table->selectRow(0);
}

void MultiValueEditor::reloadTable()
{
    m_reloading = true;
    m_table->clear();
    m_table->setColumnCount(int(m_columns.size()));
    QStringList titles;
    for (const MultiValueColumn &column : m_columns)
        titles << QCoreApplication::translate("MultiValueList", column.title);
    m_table->setHorizontalHeaderLabels(titles);
    const int rows = m_list ? m_list->count() : 0;
    m_table->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < m_columns.size(); ++c) {
            const MultiValueColumn &column = m_columns.at(c);
            const QString text = m_list->text(r, column.key);
            auto *item
                = new QTableWidgetItem(column.isLabel ? EditorFields::displayLabel(field(), text) : text);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (m_editable && !column.isLabel)
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            m_table->setItem(r, c, item);
        }
    }
    m_reloading = false;
    m_delete->setEnabled(m_editable && m_list && m_list->canDelete());
}

void MultiValueEditor::reloadLabels()
{
    const QSignalBlocker blocker(m_label);
    m_label->clear();
    if (!m_list)
        return;
    for (const QString &label : m_list->labels())
        m_label->addItem(EditorFields::displayLabel(field(), label), label);
    selectionChanged();
}

void MultiValueEditor::selectionChanged()
{
    const int row = m_table->currentRow();
    if (!m_list || row < 0 || row >= m_list->count())
        return;
    const QSignalBlocker blocker(m_label);
    m_label->setCurrentIndex(std::max(0, m_label->findData(m_list->text(row, Key::Label))));
}

void MultiValueEditor::addRow()
{
    if (!m_list)
        return;
    const int row = m_list->add();
    reloadTable();
    m_table->selectRow(row);
    fieldChanged();
}

void MultiValueEditor::deleteRows()
{
    if (!m_list)
        return;
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty() && m_table->currentRow() >= 0)
        rows << m_table->currentRow();
    if (!m_list->remove(rows))
        return;
    reloadTable();
    fieldChanged();
}

void MultiValueEditor::addCustomLabel()
{
    const int row = m_table->currentRow();
    if (!m_list || !m_list->setCustomLabel(row, m_customLabel->text()))
        return;
    m_customLabel->clear();
    reloadTable();
    reloadLabels();
    m_table->selectRow(row);
    fieldChanged();
}

void MultiValueEditor::cellEdited(int row, int column)
{
    if (m_reloading || !m_list || column < 0 || column >= m_columns.size())
        return;
    const QTableWidgetItem *item = m_table->item(row, column);
    if (item && m_list->setText(row, m_columns.at(column).key, item->text()))
        fieldChanged();
}

void MultiValueEditor::collectResult(EditorContext &context)
{
    const QVariantList result = m_list ? m_list->result() : QVariantList();
    context.type = field();
    context.value = result;
    context.values = result;
}

void MultiValueEditor::setFieldsEditable(bool editable)
{
    const bool was = m_editable;
    m_editable = editable;
    if (was != editable && m_list)
        reloadTable();
    m_add->setEnabled(editable);
    m_delete->setEnabled(editable && m_list && m_list->canDelete());
    m_label->setEnabled(editable);
    m_customLabel->setEnabled(editable);
    m_addLabel->setEnabled(editable);
}

void MultiValueEditor::clearFields()
{
    m_list.reset();
    reloadTable();
}
