#include "ui/dialogs/ImportListModel.h"

#include "model/PlaceholderImages.h"
#include "model/ZRPerson.h"

#include <QPixmap>
#include <QSize>

namespace {

constexpr int IconSide = ImportListModel::RowHeight - 2;

QIcon iconFromImage(const QImage &image)
{
    return QIcon(QPixmap::fromImage(
        image.scaled(IconSide, IconSide, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)));
}

// One generic person for every contact without a photo.
const QIcon &personIcon()
{
    static const QIcon icon = iconFromImage(PlaceholderImages::person());
    return icon;
}

} // namespace

ImportListModel::ImportListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void ImportListModel::setNameTable(const ContactTable &nameTable)
{
    beginResetModel();
    m_entries = nameTable;
    m_icons.clear();
    endResetModel();
}

int ImportListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QString ImportListModel::displayName(const ContactEntry &entry)
{
    const QString name = entry.person ? entry.person->compositeName() : QString();
    return name.isEmpty() ? tr("No name") : name;
}

QIcon ImportListModel::iconFor(int row) const
{
    const auto cached = m_icons.constFind(row);
    if (cached != m_icons.constEnd())
        return *cached;
    const ContactEntryPtr &entry = m_entries.at(row);
    const QImage photo = entry->person ? entry->person->photo() : QImage();
    const QIcon icon = photo.isNull() ? personIcon() : iconFromImage(photo);
    m_icons.insert(row, icon);
    return icon;
}

QVariant ImportListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ContactEntryPtr &entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return entry ? displayName(*entry) : QString();
    case Qt::DecorationRole:
        return entry ? iconFor(index.row()) : QIcon();
    case Qt::SizeHintRole:
        return QSize(-1, RowHeight);
    default:
        return {};
    }
}
