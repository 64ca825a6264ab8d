#include "document/ContactTableModel.h"

#include "document/ContactTransfer.h"
#include "document/ContactsViewController.h"
#include "document/DefaultsKeys.h"
#include "model/ZRPerson.h"

#include <QDir>
#include <QMimeData>
#include <QSize>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Room a cell of each kind keeps beside its text: check box, pop-up, thumbnail and margins.
double decorationWidth(ContactCell::Kind kind, double rowHeight)
{
    switch (kind) {
    case ContactCell::Kind::PopupAndText:
        return 72;
    case ContactCell::Kind::CheckboxAndText:
        return 28;
    case ContactCell::Kind::ImageAndText:
        return rowHeight + 8;
    default:
        return 8;
    }
}

} // namespace

ContactTableModel::ContactTableModel(ContactsViewController &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
    connect(&m_table, &ContactsViewController::tableAboutToReload, this, [this] { beginResetModel(); });
    connect(&m_table, &ContactsViewController::tableReloaded, this, [this] {
        m_thumbnails.clear();
        endResetModel();
    });
    connect(&m_table, &ContactsViewController::rowsChanged, this, [this](int first, int last) {
        const int columns = columnCount();
        if (columns > 0 && first <= last && last < rowCount())
            emit dataChanged(index(first, 0), index(last, columns - 1));
    });
}

int ContactTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.numberOfRows();
}

int ContactTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.columns().size());
}

QString ContactTableModel::identifierOfColumn(int column) const
{
    return m_table.columns().value(column);
}

void ContactTableModel::setColumnWidth(int column, double width)
{
    const QString identifier = identifierOfColumn(column);
    if (!identifier.isEmpty())
        m_table.setColumnWidth(identifier, width);
}

QVariant ContactTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int row = index.row();
    if (m_table.isSummaryRow(row)) {
        switch (role) {
        case Qt::DisplayRole:
            return index.column() == 0 ? QVariant(m_table.summaryText()) : QVariant();
        case SummaryRowRole:
            return true;
        case Qt::SizeHintRole:
            return QSize(
                int(m_table.columnWidth(identifierOfColumn(index.column()))), int(m_table.rowHeight()));
        default:
            return {};
        }
    }
    const QString identifier = identifierOfColumn(index.column());
    switch (role) {
    case FirstRowOfContactRole:
        return m_table.isFirstOfContact(row);
    case SummaryRowRole:
        return false;
    case LineCountRole:
        return m_table.numLines(row);
    case Qt::SizeHintRole:
        return QSize(int(m_table.columnWidth(identifier)), int(m_table.heightOfRow(row)));
    case UniqueIdRole:
        return m_table.subRows().row(row)->uniqueId;
    case HighlightRole:
        return QVariant::fromValue(m_table.highlights(identifier, row));
    case Qt::EditRole:
        return m_table.editText(identifier, row);
    default:
        break;
    }
    const ContactCell cell = m_table.cell(identifier, row);
    switch (role) {
    case Qt::DisplayRole:
        return cell.kind == ContactCell::Kind::Checkbox ? QVariant() : QVariant(cell.text);
    case Qt::CheckStateRole:
        if (cell.kind == ContactCell::Kind::Checkbox || cell.hasCheckbox)
            return cell.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DecorationRole:
        return cell.showsThumbnail ? thumbnail(row) : QVariant();
    case Qt::ToolTipRole:
        return toolTip(cell, index.column());
    case CellKindRole:
        return int(cell.kind);
    case BoldRole:
        return cell.bold;
    case LabelRole:
        return cell.kind == ContactCell::Kind::PopupAndText ? QVariant(cell.label) : QVariant();
    case LabelListRole:
        return cell.kind == ContactCell::Kind::PopupAndText ? QVariant(cell.labels) : QVariant();
    case LocalizedLabelListRole:
        return cell.kind == ContactCell::Kind::PopupAndText ? QVariant(cell.localizedLabels) : QVariant();
    case CurrentLabelRole:
        return cell.kind == ContactCell::Kind::PopupAndText ? QVariant(int(cell.labels.indexOf(cell.label)))
                                                            : QVariant();
    case LabelIndexRole:
        return qlonglong(cell.kind == ContactCell::Kind::PopupAndText ? cell.labelIndex : -1);
    default:
        return {};
    }
}

QVariant ContactTableModel::thumbnail(int row) const
{
    const std::shared_ptr<ZRPerson> &person = m_table.subRows().row(row)->person;
    const QByteArray image = person->imageData();
    const QByteArray small = person->thumbnailImageData();
    // Decoding is the costly part; a cached image stands while the record keeps the same bytes.
    if (const Thumbnail *cached = m_thumbnails.object(person.get())) {
        if (cached->image.constData() == image.constData()
            && cached->thumbnail.constData() == small.constData())
            return cached->decoded;
    }
    auto entry = std::make_unique<Thumbnail>();
    entry->image = image;
    entry->thumbnail = small;
    entry->decoded = person->thumbnail();
    const QImage decoded = entry->decoded;
    m_thumbnails.insert(person.get(), entry.release());
    return decoded;
}

QVariant ContactTableModel::toolTip(const ContactCell &cell, int column) const
{
    if (cell.text.isEmpty())
        return {};
    const double width = m_table.columnWidth(identifierOfColumn(column));
    if (width <= 0)
        return {};
    const double room = width - decorationWidth(cell.kind, m_table.rowHeight());
    const QStringList lines = cell.text.split(u'\n');
    const bool cutOff = std::any_of(lines.cbegin(), lines.cend(),
        [&](const QString &line) { return m_table.textMetrics().width(line) > room; });
    return cutOff ? QVariant(cell.text) : QVariant();
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const QString identifier = identifierOfColumn(section);
    // The sender column is a narrow column of check boxes without a title.
    if (identifier == ColumnId::Sender)
        return QString();
    return ZRPerson::localizedIdentifierForKey(identifier);
}

Qt::ItemFlags ContactTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_table.isSummaryRow(index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    const ContactCell cell = m_table.cell(identifierOfColumn(index.column()), index.row());
    if (cell.editable && cell.kind != ContactCell::Kind::Checkbox)
        flags |= Qt::ItemIsEditable;
    if (m_table.editState() && (cell.kind == ContactCell::Kind::Checkbox || cell.hasCheckbox))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ContactTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || m_table.isSummaryRow(index.row()) || !m_table.editState())
        return false;
    const QString identifier = identifierOfColumn(index.column());
    switch (role) {
    case Qt::CheckStateRole:
        return m_table.checkBoxCellChanged(identifier, index.row(), value.toInt() == Qt::Checked);
    case Qt::EditRole:
        return m_table.textFieldCellChanged(identifier, index.row(), value.toString());
    case LabelRole:
        return m_table.popupLabelCellChanged(identifier, index.row(), value.toString(), m_confirm);
    default:
        return false;
    }
}

QHash<int, QByteArray> ContactTableModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractTableModel::roleNames();
    names.insert(CellKindRole, "cellKind");
    names.insert(LabelRole, "label");
    names.insert(LabelListRole, "labelList");
    names.insert(LocalizedLabelListRole, "localizedLabelList");
    names.insert(CurrentLabelRole, "currentLabel");
    names.insert(LabelIndexRole, "labelIndex");
    names.insert(HighlightRole, "highlights");
    names.insert(BoldRole, "bold");
    names.insert(FirstRowOfContactRole, "firstRowOfContact");
    names.insert(SummaryRowRole, "summaryRow");
    names.insert(LineCountRole, "lineCount");
    names.insert(UniqueIdRole, "uniqueId");
    return names;
}

QStringList ContactTableModel::mimeTypes() const
{
    return { u"text/plain"_s, ContactTransfer::VCardMimeType, ContactTransfer::RowIndexesMimeType,
        u"text/uri-list"_s };
}

QMimeData *ContactTableModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && !m_table.isSummaryRow(index.row()) && !rows.contains(index.row()))
            rows.append(index.row());
    }
    if (rows.isEmpty())
        return nullptr;
    std::sort(rows.begin(), rows.end());
    ContactTable subRows;
    for (int row : std::as_const(rows))
        subRows.append(m_table.subRows().row(row));
    return ContactTransfer::dragData(subRows, rows, QDir::tempPath());
}
