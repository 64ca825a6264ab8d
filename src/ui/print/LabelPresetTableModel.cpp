#include "ui/print/LabelPresetTableModel.h"

#include "print/LabelPresetEditor.h"

#include <QLocale>
#include <cmath>

namespace {

QString columnTitle(int column)
{
    switch (column) {
    case 0:
        return LabelPresetTableModel::tr("Name");
    case 1:
        return LabelPresetTableModel::tr("Width");
    case 2:
        return LabelPresetTableModel::tr("Height");
    case 3:
        return LabelPresetTableModel::tr("Horizontal Gap");
    case 4:
        return LabelPresetTableModel::tr("Vertical Gap");
    default:
        return {};
    }
}

} // namespace

LabelPresetTableModel::LabelPresetTableModel(LabelPresetEditor &editor, QObject *parent)
    : QAbstractTableModel(parent)
    , m_editor(editor)
{
}

int LabelPresetTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_editor.rowCount();
}

int LabelPresetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(LabelPresetEditor::columnIdentifiers().size());
}

QVariant LabelPresetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QVariant value
        = m_editor.valueForColumn(index.row(), LabelPresetEditor::columnIdentifiers().value(index.column()));
    if (index.column() == 0 || role == Qt::EditRole)
        return value;
    // Lengths read best with at most three decimals, in the reader's notation.
    return QLocale().toString(
        std::round(value.toDouble() * 1000.0) / 1000.0, 'g', QLocale::FloatingPointShortest);
}

bool LabelPresetTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    QVariant typed = value;
    if (index.column() > 0 && value.metaType().id() == QMetaType::QString) {
        bool ok = false;
        const double number = QLocale().toDouble(value.toString(), &ok);
        if (ok)
            typed = number;
    }
    if (!m_editor.setValueForColumn(
            index.row(), LabelPresetEditor::columnIdentifiers().value(index.column()), typed))
        return false;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

QVariant LabelPresetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnTitle(section);
}

Qt::ItemFlags LabelPresetTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? QAbstractTableModel::flags(index) | Qt::ItemIsEditable : Qt::NoItemFlags;
}

void LabelPresetTableModel::reload()
{
    beginResetModel();
    endResetModel();
}
