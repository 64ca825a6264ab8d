#include "document/ContactTableText.h"

#include "document/DefaultsKeys.h"
#include "document/DocumentHub.h"
#include "document/SortKeys.h"
#include "document/ViewTypeTables.h"
#include "model/Identifiers.h"
#include "model/TranslatableText.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

constexpr auto CouldNotRead = TranslatableText("ContactTableText", "The file could not be read.");
constexpr auto NoSuchGroup = TranslatableText("ContactTableText", "No group named “%1”.");
constexpr auto NoSuchViewType
    = TranslatableText("ContactTableText", "No view type named “%1”; the view types are: %2.");
constexpr auto NoSuchColumn
    = TranslatableText("ContactTableText", "No column named “%1”; the columns are: %2.");
constexpr auto NoSuchSortKey
    = TranslatableText("ContactTableText", "No sort key named “%1”; the sort keys are: %2.");

// Columns the table can show: the items menu's and the two fixed ones.
bool isKnownColumn(const QString &identifier)
{
    return ViewTypeTables::itemsMenuIdentifiers().contains(identifier)
        || ViewTypeTables::fixedColumns().contains(identifier);
}

} // namespace

namespace ContactTableText {

QString escaped(const QString &cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c == u'\\') {
            out += u"\\\\"_s;
        } else if (c == u'\t') {
            out += u"\\t"_s;
        } else if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            // A CR LF pair is one line break.
            if (c == u'\r' && i + 1 < cell.size() && cell.at(i + 1) == u'\n')
                ++i;
            out += u"\\n"_s;
        } else {
            out += c;
        }
    }
    return out;
}

QString tableText(const ContactsViewController &table)
{
    const QStringList &columns = table.columns();
    QString text = columns.join(u'\t') + u'\n';
    const int rows = int(table.subRows().size());
    for (int row = 0; row < rows; ++row) {
        QStringList cells;
        cells.reserve(columns.size());
        for (const QString &column : columns) {
            const ContactCell cell = table.cell(column, row);
            if (column == ColumnId::Sender)
                cells << (cell.checked ? u"1"_s : u"0"_s);
            else
                cells << escaped(cell.text);
        }
        text += cells.join(u'\t') + u'\n';
    }
    text += escaped(table.summaryText()) + u'\n';
    return text;
}

QStringList sortKeys()
{
    QStringList keys { SortKey::CompositeName, Ident::FirstName, Ident::LastName, Ident::PhoneticFirstName,
        Ident::PhoneticLastName, SortKey::AddressLabel, SortKey::PhoneLabel, SortKey::EmailLabel,
        SortKey::EmailDomain, SortKey::EmailUsername, SortKey::URLLabel, SortKey::InstantMessageLabel,
        SortKey::InstantMessageType, SortKey::InstantMessageUsername, SortKey::SocialNetworkType,
        SortKey::SocialNetworkUsername, SortKey::RelationshipLabel, SortKey::DatesLabel };
    for (const QString &column : ViewTypeTables::itemsMenuIdentifiers()) {
        if (!keys.contains(column))
            keys << column;
    }
    return keys;
}

TableTextResult fromRead(DocumentReadResult read, const QString &path, const QString &typeName,
    const TableTextChoices &choices, UserDefaults &defaults)
{
    DocumentHub::Options options;
    options.writesDefaults = false;
    DocumentHub hub(defaults, options);
    DocumentError error;
    if (!hub.open(std::move(read), path, typeName, &error)) {
        const QString message
            = error.localizedDescription.isEmpty() ? CouldNotRead.text() : error.localizedDescription;
        return { QString(),
            error.recoverySuggestion.isEmpty() ? message : message + u' ' + error.recoverySuggestion };
    }
    if (!choices.group.isEmpty()) {
        const ContactGroupPtr group = hub.groupNamed(choices.group);
        if (!group)
            return { QString(), NoSuchGroup.arg(choices.group) };
        hub.selectGroup(group);
    }
    if (!choices.viewType.isEmpty()) {
        if (!hub.viewTypes().viewTypeDict().contains(choices.viewType))
            return { QString(),
                NoSuchViewType.arg(choices.viewType, hub.viewTypes().viewTypeDict().keys().join(u", "_s)) };
        hub.selectViewType(choices.viewType);
    }
    if (!choices.columns.isEmpty()) {
        for (const QString &column : choices.columns) {
            if (!isKnownColumn(column))
                return { QString(),
                    NoSuchColumn.arg(column, ViewTypeTables::itemsMenuIdentifiers().join(u", "_s)) };
        }
        hub.setColumns(ViewTypeTables::fixedColumns() + choices.columns);
    }
    if (!choices.labels.isEmpty())
        hub.setSelectedLabels(choices.labels);
    if (!choices.sortKey.isEmpty()) {
        if (!sortKeys().contains(choices.sortKey))
            return { QString(), NoSuchSortKey.arg(choices.sortKey, sortKeys().join(u", "_s)) };
        hub.sortBy(SortDescriptor { choices.sortKey, !choices.descending });
    }
    return { tableText(hub.table()), QString() };
}

} // namespace ContactTableText
