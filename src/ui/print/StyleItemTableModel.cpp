#include "ui/print/StyleItemTableModel.h"

#include "print/AddressListItems.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QCoreApplication>
#include <QHash>
#include <QMimeData>

namespace {

// The titles the item table is created with; a title not listed shows as stored.
const QHash<QString, const char *> &titleTexts()
{
    static const QHash<QString, const char *> texts {
        { QStringLiteral("Name"), QT_TRANSLATE_NOOP("StyleItems", "Name") },
        { QStringLiteral("Address"), QT_TRANSLATE_NOOP("StyleItems", "Address") },
        { QStringLiteral("Email"), QT_TRANSLATE_NOOP("StyleItems", "Email") },
        { QStringLiteral("Social Network"), QT_TRANSLATE_NOOP("StyleItems", "Social Network") },
        { QStringLiteral("Instant Message"), QT_TRANSLATE_NOOP("StyleItems", "Instant Message") },
        { QStringLiteral("Phone"), QT_TRANSLATE_NOOP("StyleItems", "Phone") },
        { QStringLiteral("URL"), QT_TRANSLATE_NOOP("StyleItems", "URL") },
        { QStringLiteral("Nickname"), QT_TRANSLATE_NOOP("StyleItems", "Nickname") },
        { QStringLiteral("Company"), QT_TRANSLATE_NOOP("StyleItems", "Company") },
        { QStringLiteral("Department"), QT_TRANSLATE_NOOP("StyleItems", "Department") },
        { QStringLiteral("Job Title"), QT_TRANSLATE_NOOP("StyleItems", "Job Title") },
        { QStringLiteral("Suffix"), QT_TRANSLATE_NOOP("StyleItems", "Suffix") },
        { QStringLiteral("Relationship"), QT_TRANSLATE_NOOP("StyleItems", "Relationship") },
        { QStringLiteral("Phonetic Name"), QT_TRANSLATE_NOOP("StyleItems", "Phonetic Name") },
        { QStringLiteral("Birthday"), QT_TRANSLATE_NOOP("StyleItems", "Birthday") },
        { QStringLiteral("Dates"), QT_TRANSLATE_NOOP("StyleItems", "Dates") },
        { QStringLiteral("Note"), QT_TRANSLATE_NOOP("StyleItems", "Note") },
    };
    return texts;
}

QVariantMap record(const QVariantList &items, int row)
{
    return items.value(row).toMap();
}

} // namespace

QString StyleItemTableModel::displayTitle(const QString &title)
{
    const auto found = titleTexts().find(title);
    return found == titleTexts().end() ? title : QCoreApplication::translate("StyleItems", found.value());
}

void StyleItemTableModel::setItems(const QVariantList &items)
{
    beginResetModel();
    m_items = items;
    endResetModel();
}

int StyleItemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant StyleItemTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const QVariantMap item = record(m_items, index.row());
    switch (role) {
    case Qt::DisplayRole:
        return displayTitle(PrintOptions::text(item.value(PrintKey::ItemTitle)));
    case Qt::CheckStateRole:
        return PrintOptions::flag(item.value(PrintKey::ItemState)) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool StyleItemTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    // Views hand the state over as the enumeration, scripts and tests as a number.
    const bool on = value.metaType() == QMetaType::fromType<Qt::CheckState>()
        ? value.value<Qt::CheckState>() == Qt::Checked
        : value.toInt() == int(Qt::Checked);
    if (!AddressListItems::setItemState(m_items, index.row(), on))
        return false;
    emit dataChanged(index, index, { Qt::CheckStateRole });
    emit itemsEdited();
    return true;
}

Qt::ItemFlags StyleItemTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsUserCheckable;
    // The name always prints: its box shows on and cannot be switched.
    if (PrintOptions::flag(record(m_items, index.row()).value(PrintKey::ItemEnabled), true))
        flags |= Qt::ItemIsEnabled;
    return flags;
}

Qt::DropActions StyleItemTableModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList StyleItemTableModel::mimeTypes() const
{
    return { RowMimeType };
}

QMimeData *StyleItemTableModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(RowMimeType, QByteArray::number(indexes.first().row()));
    return data;
}

bool StyleItemTableModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction action, int, int, const QModelIndex &) const
{
    return data && action == Qt::MoveAction && data->hasFormat(RowMimeType);
}

bool StyleItemTableModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    // A drop onto a row puts the item above it; a drop below the last row, at the end.
    const int dropRow = row >= 0 ? row : (parent.isValid() ? parent.row() : int(m_items.size()));
    QVariantList items = m_items;
    if (!AddressListItems::moveItemFromDrag(items, QString::fromUtf8(data->data(RowMimeType)), dropRow))
        return false;
    setItems(items);
    emit itemsEdited();
    // The move is done here; the view must not remove the dragged row as well.
    return false;
}
