#include "ui/info/ContactInfoModel.h"

#include "document/DefaultsKeys.h"
#include "document/ViewController.h"
#include "document/editors/ContactInfoEdits.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"
#include "ui/editors/EditorFields.h"

#include <QFont>
#include <QPixmap>

namespace {

struct Title
{
    const QString &identifier;
    const char *text;
};

const QList<Title> &titles()
{
    static const QList<Title> table {
        { Ident::Name, QT_TRANSLATE_NOOP("ContactInfoModel", "Name") },
        { Ident::Photo, QT_TRANSLATE_NOOP("ContactInfoModel", "Photo") },
        { Ident::Renmei, QT_TRANSLATE_NOOP("ContactInfoModel", "Joint Names") },
        { Ident::Company, QT_TRANSLATE_NOOP("ContactInfoModel", "Company") },
        { Ident::Address, QT_TRANSLATE_NOOP("ContactInfoModel", "Address") },
        { ColumnId::Groups, QT_TRANSLATE_NOOP("ContactInfoModel", "Groups") },
        { ColumnId::NameOrdering, QT_TRANSLATE_NOOP("ContactInfoModel", "Name Ordering") },
        { ColumnId::NameDisplay, QT_TRANSLATE_NOOP("ContactInfoModel", "Name Display") },
        { Ident::PhoneticName, QT_TRANSLATE_NOOP("ContactInfoModel", "Phonetic Name") },
        { Ident::Email, QT_TRANSLATE_NOOP("ContactInfoModel", "Email") },
        { Ident::Phone, QT_TRANSLATE_NOOP("ContactInfoModel", "Phone") },
        { Ident::InstantMessage, QT_TRANSLATE_NOOP("ContactInfoModel", "Instant Message") },
        { Ident::SocialNetwork, QT_TRANSLATE_NOOP("ContactInfoModel", "Social Network") },
        { Ident::URL, QT_TRANSLATE_NOOP("ContactInfoModel", "URL") },
        { Ident::Nickname, QT_TRANSLATE_NOOP("ContactInfoModel", "Nickname") },
        { Ident::Birthday, QT_TRANSLATE_NOOP("ContactInfoModel", "Birthday") },
        { Ident::Relationship, QT_TRANSLATE_NOOP("ContactInfoModel", "Relationship") },
        { Ident::Suffix, QT_TRANSLATE_NOOP("ContactInfoModel", "Suffix") },
        { Ident::Title, QT_TRANSLATE_NOOP("ContactInfoModel", "Title") },
        { Ident::Department, QT_TRANSLATE_NOOP("ContactInfoModel", "Department") },
        { Ident::JobTitle, QT_TRANSLATE_NOOP("ContactInfoModel", "Job Title") },
        { Ident::Dates, QT_TRANSLATE_NOOP("ContactInfoModel", "Dates") },
        { Ident::Note, QT_TRANSLATE_NOOP("ContactInfoModel", "Note") },
        { Ident::FirstName, QT_TRANSLATE_NOOP("ContactInfoModel", "First") },
        { Ident::MiddleName, QT_TRANSLATE_NOOP("ContactInfoModel", "Middle") },
        { Ident::LastName, QT_TRANSLATE_NOOP("ContactInfoModel", "Last") },
        { Ident::PreviousFamilyName, QT_TRANSLATE_NOOP("ContactInfoModel", "Maiden") },
    };
    return table;
}

bool isPopup(const InfoRow &row)
{
    return row.type == ColumnId::NameOrdering || row.type == ColumnId::NameDisplay;
}

} // namespace

ContactInfoModel::ContactInfoModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QString ContactInfoModel::fieldTitle(const QString &identifier)
{
    for (const Title &title : titles()) {
        if (title.identifier == identifier)
            return QCoreApplication::translate("ContactInfoModel", title.text);
    }
    return identifier;
}

void ContactInfoModel::setEditable(bool editable)
{
    if (m_editable == editable)
        return;
    m_editable = editable;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, 1));
}

void ContactInfoModel::setPhotoSize(int size)
{
    m_photoSize = std::clamp(size, 16, 512);
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows.at(r).type == Ident::Photo)
            emit dataChanged(index(r, 0), index(r, 1));
    }
}

void ContactInfoModel::setContact(const ContactEntryPtr &contact, const QStringList &rowOrder)
{
    beginResetModel();
    m_contact = contact;
    m_rows = ContactInfoRows::tableFromContact(contact, rowOrder);
    endResetModel();
}

int ContactInfoModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ContactInfoModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QString ContactInfoModel::labelText(const InfoRow &row) const
{
    if (row.type == Ident::Name || row.type == Ident::PhoneticName) {
        const QString part = fieldTitle(row.label);
        return row.type == Ident::Name ? part : fieldTitle(Ident::PhoneticName) + u' ' + part;
    }
    if (row.isLabeled()) {
        const QString label = EditorFields::displayLabel(row.type, row.label);
        return label.isEmpty() || row.label == LabelText::NoLabel ? fieldTitle(row.type) : label;
    }
    return fieldTitle(row.type);
}

QVariant ContactInfoModel::data(const QModelIndex &index, int role) const
{
    const InfoRow *row = rowAt(index.row());
    if (!row || !m_contact || !m_contact->person)
        return QVariant();
    ZRPerson &person = *m_contact->person;
    if (index.column() == LabelColumn) {
        switch (role) {
        case Qt::DisplayRole:
            return labelText(*row);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignTop);
        case Qt::ForegroundRole:
            return QColor(Qt::darkGray);
        case Qt::EditRole:
            return row->label;
        case ChoicesRole:
            return row->isLabeled() ? Labels::labelsForIdentifier(row->type) : QStringList();
        case ChoiceTitlesRole: {
            QStringList shown;
            for (const QString &label : Labels::labelsForIdentifier(row->type))
                shown << EditorFields::displayLabel(row->type, label);
            return shown;
        }
        default:
            return QVariant();
        }
    }
    switch (role) {
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (row->type == ColumnId::Groups)
            return m_groupNames ? m_groupNames(m_contact).join(QStringLiteral(", ")) : QString();
        return ContactInfoRows::displayText(person, *row);
    case Qt::DecorationRole:
        if (row->type == Ident::Photo) {
            const QImage image = person.thumbnail().isNull() ? person.photo() : person.thumbnail();
            if (!image.isNull())
                return QPixmap::fromImage(
                    image.scaled(m_photoSize, m_photoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
        return QVariant();
    case Qt::SizeHintRole:
        if (row->type == Ident::Photo)
            return QSize(m_photoSize, m_photoSize + 4);
        return QVariant();
    case ChoicesRole:
    case ChoiceTitlesRole:
        return row->choices;
    default:
        return QVariant();
    }
}

Qt::ItemFlags ContactInfoModel::flags(const QModelIndex &index) const
{
    const InfoRow *row = rowAt(index.row());
    if (!row)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags
        = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (!isEditable())
        return flags;
    if (index.column() == LabelColumn && row->isLabeled() && row->type != Ident::SocialNetwork)
        flags |= Qt::ItemIsEditable;
    if (index.column() == ValueColumn && (ContactInfoRows::isTextEditable(*row) || isPopup(*row)))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ContactInfoModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const InfoRow *row = rowAt(index.row());
    if (role != Qt::EditRole || !row || !isEditable())
        return false;
    const InfoRow target = *row;
    const QString text = value.toString();
    bool changed = false;
    if (index.column() == LabelColumn || isPopup(target))
        changed = ContactInfoEdits::popupButtonCellChanged(*m_controller, m_contact, target, text);
    else
        changed = ContactInfoEdits::textFieldCellChanged(*m_controller, m_contact, target, text);
    if (changed) {
        emit dataChanged(index, index);
        emit contactEdited();
    }
    return changed;
}
