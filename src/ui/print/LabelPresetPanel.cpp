#include "ui/print/LabelPresetPanel.h"

#include "print/LabelPresetEditor.h"
#include "ui/print/LabelPresetTableModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

LabelPresetPanel::LabelPresetPanel(LabelPresetEditor &editor, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("labelPresetPanel"));
    setWindowTitle(tr("Label Presets"));
    // Closing only hides it: the settings keep it for the next time.
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *layout = new QVBoxLayout(this);
    m_model = new LabelPresetTableModel(m_editor, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("presetTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    // The titles are the longest texts: the lengths take what they need and the title the rest.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->setMinimumSize(620, 220);
    layout->addWidget(m_table, 1);

    auto *row = new QHBoxLayout;
    auto *add = new QPushButton(tr("Add"), this);
    add->setObjectName(QStringLiteral("addPresetButton"));
    auto *remove = new QPushButton(tr("Remove"), this);
    remove->setObjectName(QStringLiteral("removePresetButton"));
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("presetUnitPopup"));
    m_unit->addItem(tr("points"), int(PrintUnits::Unit::Points));
    m_unit->addItem(tr("mm"), int(PrintUnits::Unit::Millimeters));
    m_unit->addItem(tr("inches"), int(PrintUnits::Unit::Inches));
    auto *done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("presetDoneButton"));
    row->addWidget(add);
    row->addWidget(remove);
    row->addSpacing(12);
    row->addWidget(new QLabel(tr("Unit:"), this));
    row->addWidget(m_unit);
    row->addStretch();
    row->addWidget(done);
    layout->addLayout(row);

    connect(add, &QPushButton::clicked, this, &LabelPresetPanel::addPreset);
    connect(remove, &QPushButton::clicked, this, &LabelPresetPanel::removePreset);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    connect(m_unit, &QComboBox::activated, this,
        [this] { setUnit(PrintUnits::Unit(m_unit->currentData().toInt())); });

    // An edit is announced once the table shows it, with the row it was made in: a title shared by
    // two presets, or one just changed, cannot find the row again.
    connect(&m_editor, &LabelPresetEditor::labelAttributeChanged, this,
        [this](const QString &name) { m_changedName = name; });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &topLeft) {
        if (!m_adding)
            emit labelAttributeChanged(m_changedName, topLeft.row());
    });
    connect(&m_editor, &LabelPresetEditor::presetsChanged, this, [this] {
        m_model->reload();
        emit presetsRemoved();
    });
}

QString LabelPresetPanel::selectedPreset() const
{
    return m_editor.presetName(selectedRow());
}

int LabelPresetPanel::selectedRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void LabelPresetPanel::selectRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_table->selectRow(row);
    else
        m_table->clearSelection();
}

void LabelPresetPanel::setUnit(PrintUnits::Unit unit)
{
    m_unit->setCurrentIndex(m_unit->findData(int(unit)));
    m_editor.setUnit(unit);
    m_model->reload();
}

PrintUnits::Unit LabelPresetPanel::unit() const
{
    return m_editor.unit();
}

void LabelPresetPanel::addPreset()
{
    m_adding = true;
    const int row = m_editor.addPreset();
    m_adding = false;
    if (row < 0)
        return;
    m_model->reload();
    selectRow(row);
    m_table->scrollTo(m_model->index(row, 0));
    emit labelAttributeChanged(m_changedName, row);
}

void LabelPresetPanel::removePreset()
{
    const int row = selectedRow();
    if (row >= 0)
        m_editor.removePreset(row);
}
