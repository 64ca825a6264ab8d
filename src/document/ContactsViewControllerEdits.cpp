// What the user does in the contact table's cells: typing, choosing a label, ticking a box, double
// clicks that open editors, the editors' results, and moving with Return and Tab. Every change goes
// through the window's controller inside one undo group; the table updates on the controller's notice.

#include "document/ContactsViewController.h"
#include "document/DefaultsKeys.h"
#include "document/TableColumns.h"
#include "document/ViewController.h"
#include "document/editors/EditorApply.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/TranslatableText.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

using namespace TableColumns;

constexpr auto SameLabelQuestion
    = TranslatableText("ContactsViewController", "Do you want to set the same label in the selected rows");
constexpr auto SameValueQuestion
    = TranslatableText("ContactsViewController", "Do you want to set the same value in the selected rows");

// The editor popover a column opens; None for columns edited in place.
EditorPanel panelForColumn(const QString &identifier)
{
    if (identifier == Ident::Name)
        return EditorPanel::Name;
    if (identifier == Ident::PhoneticName)
        return EditorPanel::PhoneticName;
    if (identifier == Ident::Address || isAddressPart(identifier))
        return EditorPanel::Address;
    if (identifier == Ident::SocialNetwork)
        return EditorPanel::SocialProfile;
    if (identifier == Ident::InstantMessage)
        return EditorPanel::InstantMessage;
    if (identifier == Ident::Dates || identifier == Ident::Birthday)
        return EditorPanel::Date;
    if (identifier == Ident::Renmei)
        return EditorPanel::Renmei;
    return EditorPanel::None;
}

} // namespace

QList<int> ContactsViewController::rowsForEdit(int row) const
{
    if (m_selectedRows.contains(row))
        return m_selectedRows;
    return { row };
}

bool ContactsViewController::hasValueAtIndex(const QString &identifier, int row) const
{
    if (isLabelled(fieldOf(identifier)))
        return !valueAtIndex(identifier, row).isEmpty();
    // Joint names show on every row; the other single-valued fields on a contact's first row.
    return identifier == Ident::Renmei || isFirstOfContact(row);
}

bool ContactsViewController::textFieldCellChanged(const QString &identifier, int row, const QString &text)
{
    // A locked table's cells take no edits, whoever asks.
    if (!editState() || !m_subRows.contains(row) || opensEditor(identifier))
        return false;
    const QList<int> rows = rowsForEdit(row);
    if (rows.size() == 1 && text == editText(identifier, row))
        return false;

    bool changed = false;
    UndoManager::Group step(m_delegate.undoManager());
    for (int r : rows) {
        const ContactEntryPtr &sub = m_subRows.row(r);
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
    return changed;
}

bool ContactsViewController::popupLabelCellChanged(
    const QString &identifier, int row, const QString &label, const Confirm &confirm)
{
    if (!editState() || !m_subRows.contains(row))
        return false;
    if (valueAtIndex(identifier, row).value(Key::Label).toString() == label)
        return false;
    QList<int> rows = m_selectedRows;
    if (!rows.contains(row))
        rows.append(row);
    if (rows.size() > 1 && !(confirm && confirm(SameLabelQuestion.text())))
        return false;

    bool changed = false;
    UndoManager::Group step(m_delegate.undoManager());
    for (int r : rows) {
        QVariantMap value = valueAtIndex(identifier, r);
        if (value.isEmpty())
            continue;
        value.insert(Key::Label, label);
        changed |= m_delegate.undoReplaceValue(value, fieldOf(identifier), m_subRows.row(r));
    }
    return changed;
}

bool ContactsViewController::checkBoxCellChanged(const QString &identifier, int row, bool checked)
{
    if (!editState() || !m_subRows.contains(row))
        return false;
    if (identifier != ColumnId::Sender && identifier != Ident::Company && identifier != Ident::Renmei)
        return false;
    const ContactEntryPtr sub = m_subRows.row(row);
    const ContactEntryPtr previous = m_delegate.senderInHagakiView();
    UndoManager::Group step(m_delegate.undoManager());
    if (valueAtIndex(Ident::Address, row).isEmpty()) {
        const QVariantMap home { { Key::Label, LabelName::Home }, { Key::LabelIndex, 1 } };
        m_delegate.undoAddLabeledValue(home, Ident::Address, sub);
    }
    QVariantMap address = valueAtIndex(Ident::Address, row);
    if (address.isEmpty())
        return false;
    const QString flag = identifier == ColumnId::Sender ? Key::Sender : identifier;
    address.insert(flag, checked);
    m_delegate.undoReplaceValue(address, Ident::Address, sub);

    if (identifier == ColumnId::Sender) {
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
    return true;
}

QVariantMap ContactsViewController::newAddressValue()
{
    QVariantMap address { { Ident::ZIP, u"123"_s }, { Key::Label, LabelName::Home },
        { Key::LabelIndex, -1 } };
    ZRPerson::deriveEntry(address, Ident::Address);
    // Deriving numbers nothing here: a new value has no number until it is added.
    address.insert(Key::LabelIndex, -1);
    return address;
}

CellAction ContactsViewController::editTableViewCellOrShowPopover(const QString &identifier, int row) const
{
    CellAction action;
    if (!m_subRows.contains(row))
        return action;
    action.identifier = identifier;
    action.row = row;
    action.rows = { row };
    action.panel = panelForColumn(identifier);
    if (action.panel == EditorPanel::None) {
        // Sender boxes are ticked, not typed into.
        if (identifier != ColumnId::Sender)
            action.kind = CellAction::Kind::EditInPlace;
        return action;
    }
    action.kind = CellAction::Kind::OpenEditor;
    const QVariantMap value = valueAtIndex(identifier, row);
    if (identifier == Ident::Birthday)
        action.labelIndex = 0;
    else if (isLabelled(fieldOf(identifier)))
        action.labelIndex = value.isEmpty() ? -1 : value.value(Key::LabelIndex).toLongLong();
    else
        action.labelIndex = m_subRows.row(row)->labelIndex;
    if (action.panel == EditorPanel::Address)
        action.labeledValue = value.isEmpty() ? newAddressValue() : value;
    return action;
}

CellAction ContactsViewController::doubleClick(
    const QString &identifier, int row, bool commandHeld, const Confirm &confirm)
{
    CellAction nothing;
    if (!m_subRows.contains(row))
        return nothing;
    if (!editState()) {
        if (identifier == Ident::Name) {
            CellAction info = editTableViewCellOrShowPopover(identifier, row);
            info.panel = EditorPanel::ContactInfo;
            return info;
        }
        const bool hasText = !cellText(identifier, row).isEmpty();
        const bool multi = identifier == Ident::Address || identifier == Ident::SocialNetwork
            || identifier == Ident::InstantMessage;
        if (hasText && multi) {
            CellAction action = editTableViewCellOrShowPopover(identifier, row);
            if (commandHeld)
                action.panel = EditorPanel::MultiValue;
            return action;
        }
        if (hasText
            && (identifier == Ident::PhoneticName || identifier == Ident::Dates
                || identifier == Ident::Birthday || identifier == Ident::Renmei))
            return editTableViewCellOrShowPopover(identifier, row);
        if (!commandHeld)
            return nothing;
    }
    // The rows the result will reach: the selected ones that hold a value here, and the clicked one.
    QList<int> rows;
    for (int r : std::as_const(m_selectedRows)) {
        if (r != row && hasValueAtIndex(identifier, r))
            rows.append(r);
    }
    rows.append(row);
    std::sort(rows.begin(), rows.end());
    if (rows.size() < 2) {
        setSelection({ row });
        return editTableViewCellOrShowPopover(identifier, row);
    }
    if (!confirm || !confirm(SameValueQuestion.text()))
        return nothing;
    setSelection(rows);
    CellAction action = editTableViewCellOrShowPopover(identifier, row);
    action.rows = rows;
    return action;
}

bool ContactsViewController::applyEditorResult(const EditorResult &result, const QList<int> &rows)
{
    if (!result.dirty || result.type.isEmpty())
        return false;
    // The editors' own rules decide between adding and replacing; the table only names the rows.
    EditorContext context;
    context.type = result.type;
    context.labelIndex = EditorContext::NewEntry; // a single entry without its index is a new one
    context.dirty = true;
    context.value = result.value;
    for (const QString &name : result.values)
        context.values.append(name);
    ContactTable targets;
    for (int r : rows) {
        if (m_subRows.contains(r))
            targets.append(m_subRows.row(r));
    }
    return EditorApply::apply(m_delegate, context, targets);
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
            : isFirstOfContact(next);
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
        move.edit = identifier != ColumnId::Sender;
    return move;
}
