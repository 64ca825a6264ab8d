#include "document/ContactsViewController.h"

#include "document/SubRowBuilder.h"
#include "document/SubRowSort.h"
#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/TranslatableText.h"
#include "model/ZRPerson.h"

#include <QFontMetricsF>
#include <QSet>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString NotFirstRowKey = u"notFirstRow"_s;
const QString NumLinesKey = u"numLines"_s;
const QString SenderColumn = u"Sender"_s;
constexpr auto SummaryFormat = TranslatableText("ContactsViewController", "%1: total %2 contacts");
constexpr auto SameLabelQuestion
    = TranslatableText("ContactsViewController", "Do you want to set the same label in the selected rows");
const QString HomeLabel = u"home"_s;
// The record keeps "No Name" in English for a contact without a name; the table shows it translated.
constexpr auto NoNameText = TranslatableText("ContactsViewController", "No Name");

bool isAddressPart(const QString &identifier)
{
    return ZRPerson::addressIdentifiers().contains(identifier);
}

QString fieldOf(const QString &identifier)
{
    return isAddressPart(identifier) ? Ident::Address : identifier;
}

bool isLabelled(const QString &identifier)
{
    return ZRPerson::labeledIdentifiers().contains(identifier);
}

// Columns whose values are edited in their editor panels, never in the cell.
bool opensEditor(const QString &identifier)
{
    static const QStringList ids { Ident::Name, Ident::PhoneticName, Ident::Address, Ident::InstantMessage,
        Ident::Birthday, Ident::Dates };
    return ids.contains(identifier);
}

bool isFirstSubRow(const ContactEntry &row)
{
    return !row.extra.value(NotFirstRowKey).toBool();
}

} // namespace

ContactsViewController::ContactsViewController(ViewController &delegate, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
{
    m_rowHeight = rowHeightForFont(m_font);
}

void ContactsViewController::setContactTable(const ContactTable &table)
{
    m_contactTable = table;
}

void ContactsViewController::setColumns(const QStringList &identifiers)
{
    m_columns = identifiers;
}

void ContactsViewController::setSelectedLabels(const QStringList &labels)
{
    m_selectedLabels = labels.isEmpty() ? QStringList { LabelText::All } : labels;
}

void ContactsViewController::setSortDescriptor(const std::optional<SortDescriptor> &descriptor)
{
    m_sort = descriptor;
}

void ContactsViewController::setSelectedFont(const QFont &font)
{
    m_font = font;
    m_rowHeight = rowHeightForFont(font);
}

void ContactsViewController::setFindString(const QString &text, bool caseSensitive)
{
    m_findString = text;
    m_findCaseSensitive = caseSensitive;
}

bool ContactsViewController::isShownLabel(const QString &label) const
{
    return m_selectedLabels.contains(LabelText::All) || m_selectedLabels.contains(label);
}

bool ContactsViewController::shows(const QVariantMap &value) const
{
    return !value.isEmpty() && isShownLabel(value.value(Key::Label).toString());
}

ContactTable ContactsViewController::createSubContactsFromContact(
    const ContactEntryPtr &contact, const QStringList &identifiers, const QStringList &labels)
{
    ContactTable rows;
    SubRowBuilder(identifiers, labels).append(contact, rows);
    return rows;
}

void ContactsViewController::updateSubContactTable()
{
    m_subRows.clear();
    m_subRows.reserve(m_contactTable.size());
    const SubRowBuilder builder(m_columns, m_selectedLabels);
    QSet<const ContactEntry *> senders;
    for (const ContactEntryPtr &entry : m_contactTable) {
        if (entry->deleted || !entry->person)
            continue;
        builder.append(entry, m_subRows, &senders);
    }
    if (m_sort)
        SubRowSort::sortBy(
            m_subRows, [](const ContactEntryPtr &row) -> const ContactEntry & { return *row; }, *m_sort);

    // Rows are new, so their extra columns are empty: continuation rows share one marked dictionary.
    static const QVariantMap notFirstRow { { NotFirstRowKey, true } };
    ContactEntryPtr sender;
    for (qsizetype i = 0; i < m_subRows.size(); ++i) {
        ContactEntry &row = *m_subRows[i];
        if (i > 0 && m_subRows[i - 1]->uniqueId == row.uniqueId) {
            if (row.extra.isEmpty())
                row.extra = notFirstRow;
            else
                row.extra.insert(NotFirstRowKey, true);
        } else {
            row.extra.remove(NotFirstRowKey);
        }
        // The first sender row in display order is the one the postcard view shows.
        if (!sender && senders.contains(&row))
            sender = m_subRows[i];
    }
    if (sender) {
        m_delegate.changeSenderInHagakiView(sender);
        emit senderRowFound(sender);
    }
}

void ContactsViewController::updateTable()
{
    QString rememberedId;
    qsizetype rememberedIndex = 0;
    QString rememberedAddress;
    const bool hadSelection = !m_selectedRows.isEmpty() && m_selectedRows.first() < m_subRows.size();
    if (hadSelection) {
        const ContactEntry &row = *m_subRows.at(m_selectedRows.first());
        rememberedId = row.uniqueId;
        rememberedIndex = row.labelIndex;
        if (m_sort)
            rememberedAddress = row.person->labeledValueForIdentifierAtIndex(Ident::Address, row.labelIndex)
                                    .toMap()
                                    .value(Key::StringValue)
                                    .toString();
    }
    const QList<int> oldSelection = m_selectedRows;
    updateSubContactTable();

    QList<int> selection;
    if (hadSelection) {
        for (qsizetype i = 0; i < m_subRows.size(); ++i) {
            const ContactEntry &row = *m_subRows.at(i);
            if (row.uniqueId != rememberedId)
                continue;
            const bool same = m_sort
                ? row.person->labeledValueForIdentifierAtIndex(Ident::Address, row.labelIndex)
                        .toMap()
                        .value(Key::StringValue)
                        .toString()
                    == rememberedAddress
                : row.labelIndex == rememberedIndex;
            if (same) {
                selection = { int(i) };
                break;
            }
        }
        if (selection.isEmpty()) {
            for (int old : oldSelection) {
                if (old < m_subRows.size())
                    selection.append(old);
            }
        }
    } else if (!m_subRows.isEmpty()) {
        selection = { 0 };
    }
    m_selectedRows = selection;
    emit tableReloaded();
    emit selectionRestored(selection);
}

int ContactsViewController::numberOfRows() const
{
    return m_subRows.isEmpty() ? 0 : int(m_subRows.size()) + 1;
}

QString ContactsViewController::summaryText() const
{
    return SummaryFormat.arg(ContainerText::displayName(m_groupName)).arg(m_contactTable.size());
}

QVariantMap ContactsViewController::valueAtIndex(const QString &identifier, int row) const
{
    if (row < 0 || row >= m_subRows.size())
        return {};
    const ContactEntry &sub = *m_subRows.at(row);
    return sub.person->labeledValueForIdentifierAtIndex(fieldOf(identifier), sub.labelIndex).toMap();
}

ContactCell ContactsViewController::cell(const QString &identifier, int row) const
{
    ContactCell cell;
    if (row < 0 || row >= m_subRows.size())
        return cell;
    const ContactEntry &sub = *m_subRows.at(row);
    ZRPerson &person = *sub.person;
    const bool first = isFirstSubRow(sub);

    if (identifier == SenderColumn) {
        cell.kind = ContactCell::Kind::Checkbox;
        cell.checked = valueAtIndex(Ident::Address, row).value(Key::Sender).toBool();
        cell.editable = m_editState;
        return cell;
    }
    if (identifier == Ident::Name) {
        cell.kind = ContactCell::Kind::ImageAndText;
        if (first) {
            const QString name = person.compositeName();
            cell.text = name.isEmpty() || name == LabelText::NoName ? NoNameText.text() : name;
            cell.bold = true;
            cell.showsThumbnail = true;
        }
        return cell;
    }
    if (identifier == Ident::Company || identifier == Ident::Renmei) {
        cell.kind = ContactCell::Kind::CheckboxAndText;
        cell.text = person.valueForIdentifier(identifier).toString();
        cell.editable = m_editState && identifier == Ident::Company;
        cell.hasCheckbox = !cell.text.isEmpty();
        cell.checked = valueAtIndex(Ident::Address, row).value(identifier).toBool();
        return cell;
    }
    if (isLabelled(identifier) || isAddressPart(identifier)) {
        const QVariantMap value = valueAtIndex(identifier, row);
        if (!shows(value))
            return cell;
        cell.kind = ContactCell::Kind::PopupAndText;
        cell.text = isAddressPart(identifier) ? value.value(identifier).toString()
                                              : value.value(Key::StringValue).toString();
        cell.label = value.value(Key::Label).toString();
        cell.labels = Labels::labelsForIdentifier(fieldOf(identifier));
        cell.localizedLabels = Labels::localizedLabelsForIdentifier(fieldOf(identifier));
        cell.labelIndex = value.value(Key::LabelIndex).toLongLong();
        cell.editable = m_editState && !opensEditor(identifier);
        return cell;
    }
    if (!first)
        return cell;
    if (identifier == Ident::PhoneticName || identifier == Ident::Birthday) {
        const QString text = person.stringValueForIdentifierAtLabelIndex(identifier, 0);
        if (identifier == Ident::Birthday && text.isEmpty())
            return cell;
        cell.kind = ContactCell::Kind::Text;
        cell.text = text;
        return cell;
    }
    cell.kind = ContactCell::Kind::Text;
    cell.text = person.valueForIdentifier(identifier).toString();
    cell.editable = m_editState;
    return cell;
}

QString ContactsViewController::cellText(const QString &identifier, int row) const
{
    if (row < 0 || row >= m_subRows.size())
        return {};
    const ContactEntry &sub = *m_subRows.at(row);
    if (isAddressPart(identifier))
        return valueAtIndex(identifier, row).value(identifier).toString();
    if (isLabelled(identifier))
        return valueAtIndex(identifier, row).value(Key::StringValue).toString();
    if (identifier == Ident::Renmei)
        return sub.person->valueForIdentifier(identifier).toString();
    if (!isFirstSubRow(sub))
        return {};
    if (identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Birthday)
        return sub.person->stringValueForIdentifierAtLabelIndex(identifier, 0);
    const QVariant value = sub.person->valueForIdentifier(identifier);
    return value.metaType().id() == QMetaType::QString ? value.toString() : QString();
}

int ContactsViewController::numLines(int row) const
{
    int lines = 1;
    const QFontMetricsF metrics(m_font);
    for (const QString &identifier : m_columns) {
        const QString text = cellText(identifier, row);
        lines = std::max(lines, int(text.count(u'\n')) + 1);
        const double width = m_columnWidths.value(identifier, 0);
        if (!m_findString.isEmpty() && width > 72 && !text.isEmpty())
            lines = std::max(lines, int(metrics.horizontalAdvance(text) / (width - 72)) + 1);
    }
    if (row >= 0 && row < m_subRows.size())
        m_subRows.at(row)->extra.insert(NumLinesKey, lines);
    return lines;
}

double ContactsViewController::heightOfRow(int row) const
{
    if (isSummaryRow(row))
        return m_rowHeight;
    return m_rowHeight * numLines(row);
}

double ContactsViewController::rowHeightForFont(const QFont &font)
{
    const QFontMetricsF metrics(font);
    double height = std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()) + 4;
    const double bySize = std::ceil(font.pointSizeF() * 1.42);
    if (bySize > height)
        height = bySize + 4;
    return std::max(24.0, height);
}

void ContactsViewController::setSelectedRows(const QList<int> &rows)
{
    m_selectedRows.clear();
    for (int row : rows) {
        if (row >= 0 && row < m_subRows.size() && !m_selectedRows.contains(row))
            m_selectedRows.append(row);
    }
    std::sort(m_selectedRows.begin(), m_selectedRows.end());
    m_delegate.rowSelectionDidChange(selectedSubContacts());
}

ContactTable ContactsViewController::selectedSubContacts() const
{
    ContactTable rows;
    for (int row : m_selectedRows)
        rows.append(m_subRows.at(row));
    return rows;
}

ContactTable ContactsViewController::selectedContacts() const
{
    ContactTable contacts;
    QSet<QString> seen;
    for (int row : m_selectedRows) {
        const QString &id = m_subRows.at(row)->uniqueId;
        if (seen.contains(id))
            continue;
        seen.insert(id);
        for (const ContactEntryPtr &entry : m_contactTable) {
            if (entry->uniqueId == id) {
                contacts.append(entry);
                break;
            }
        }
    }
    return contacts;
}

void ContactsViewController::selectRowIndexesWithContacts(const ContactTable &contacts)
{
    QSet<QString> ids;
    for (const ContactEntryPtr &entry : contacts)
        ids.insert(entry->uniqueId);
    QList<int> rows;
    for (qsizetype i = 0; i < m_subRows.size(); ++i) {
        if (ids.contains(m_subRows.at(i)->uniqueId))
            rows.append(int(i));
    }
    setSelectedRows(rows);
    emit selectionRestored(m_selectedRows);
}

QList<int> ContactsViewController::rowsForEdit(int row) const
{
    if (m_selectedRows.contains(row))
        return m_selectedRows;
    return { row };
}

bool ContactsViewController::textFieldCellChanged(const QString &identifier, int row, const QString &text)
{
    if (row < 0 || row >= m_subRows.size() || opensEditor(identifier))
        return false;
    const QList<int> rows = rowsForEdit(row);
    if (rows.size() == 1 && text == cellText(identifier, row))
        return false;

    bool changed = false;
    {
        UndoManager::Group step(m_delegate.undoManager());
        for (int r : rows) {
            const ContactEntryPtr &sub = m_subRows.at(r);
            if (isAddressPart(identifier) || isLabelled(identifier)) {
                QVariantMap value = valueAtIndex(identifier, r);
                if (value.isEmpty())
                    continue; // this row has no value here to change
                value.insert(isAddressPart(identifier) ? identifier : Key::Value, text);
                changed |= m_delegate.undoReplaceValue(value, fieldOf(identifier), sub);
            } else {
                changed |= m_delegate.undoReplaceValue(text, identifier, sub);
            }
        }
    }
    if (changed) {
        m_delegate.setDocumentEdited(true);
        updateTable();
    }
    return changed;
}

bool ContactsViewController::popupLabelCellChanged(
    const QString &identifier, int row, const QString &label, const Confirm &confirm)
{
    if (row < 0 || row >= m_subRows.size())
        return false;
    if (valueAtIndex(identifier, row).value(Key::Label).toString() == label)
        return false;
    QList<int> rows = m_selectedRows;
    if (!rows.contains(row))
        rows.append(row);
    if (rows.size() > 1 && !(confirm && confirm(SameLabelQuestion)))
        return false;

    bool changed = false;
    {
        UndoManager::Group step(m_delegate.undoManager());
        for (int r : rows) {
            QVariantMap value = valueAtIndex(identifier, r);
            if (value.isEmpty())
                continue;
            value.insert(Key::Label, label);
            changed |= m_delegate.undoReplaceValue(value, fieldOf(identifier), m_subRows.at(r));
        }
    }
    if (changed) {
        m_delegate.setDocumentEdited(true);
        updateTable();
    }
    return changed;
}

bool ContactsViewController::checkBoxCellChanged(const QString &identifier, int row, bool checked)
{
    if (row < 0 || row >= m_subRows.size())
        return false;
    if (identifier != SenderColumn && identifier != Ident::Company && identifier != Ident::Renmei)
        return false;
    const ContactEntryPtr sub = m_subRows.at(row);
    const ContactEntryPtr previous = m_delegate.senderInHagakiView();
    {
        UndoManager::Group step(m_delegate.undoManager());
        if (valueAtIndex(Ident::Address, row).isEmpty()) {
            const QVariantMap home { { Key::Label, HomeLabel }, { Key::LabelIndex, 1 } };
            m_delegate.undoAddLabeledValue(home, Ident::Address, sub);
        }
        QVariantMap address = valueAtIndex(Ident::Address, row);
        if (address.isEmpty())
            return false;
        const QString flag = identifier == SenderColumn ? Key::Sender : identifier;
        address.insert(flag, checked);
        m_delegate.undoReplaceValue(address, Ident::Address, sub);

        if (identifier == SenderColumn) {
            // One sender per document: the previous one gives up its mark in the same step.
            const bool previousHere = previous && previous->person
                && std::any_of(m_contactTable.cbegin(), m_contactTable.cend(),
                    [&](const ContactEntryPtr &e) { return e->person == previous->person; });
            const bool sameAddress
                = previous && previous->person == sub->person && previous->labelIndex == sub->labelIndex;
            if (checked && previousHere && !sameAddress) {
                QVariantMap old
                    = previous->person->labeledValueForIdentifierAtIndex(Ident::Address, previous->labelIndex)
                          .toMap();
                if (!old.isEmpty()) {
                    old.insert(Key::Sender, false);
                    m_delegate.undoReplaceValue(old, Ident::Address, previous);
                }
            }
            m_delegate.changeSenderInHagakiView(checked ? sub : nullptr);
        }
    }
    m_delegate.setDocumentEdited(true);
    updateTable();
    return true;
}

ContactsViewController::Move ContactsViewController::moveForReturn(int column, int row) const
{
    Move move;
    const int count = int(m_subRows.size());
    if (column < 0 || column >= m_columns.size() || count == 0)
        return move;
    const QString identifier = m_columns.at(column);
    move.column = column;
    if (opensEditor(identifier)) {
        move.row = (row + 1) % count;
        return move;
    }
    for (int step = 1; step <= count; ++step) {
        const int next = (row + step) % count;
        const bool fits = (isLabelled(identifier) || isAddressPart(identifier))
            ? !valueAtIndex(identifier, next).isEmpty()
            : isFirstSubRow(*m_subRows.at(next));
        if (fits) {
            move.row = next;
            move.edit = true;
            return move;
        }
    }
    return move;
}

ContactsViewController::Move ContactsViewController::moveForTab(int column, int row) const
{
    Move move;
    const int count = int(m_subRows.size());
    if (count == 0 || m_columns.isEmpty())
        return move;
    move.row = row;
    move.column = column + 1;
    if (move.column >= m_columns.size()) {
        move.column = std::min(1, int(m_columns.size()) - 1);
        move.row = (row + 1) % count;
    }
    const QString identifier = m_columns.at(move.column);
    if (opensEditor(identifier))
        return move;
    if (isLabelled(identifier) || isAddressPart(identifier))
        move.edit = !valueAtIndex(identifier, move.row).isEmpty();
    else
        move.edit = identifier != SenderColumn;
    return move;
}
