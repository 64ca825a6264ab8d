#include "find/CellCommands.h"

#include "document/ContactsViewController.h"
#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSet>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isPlainLabeled(const QString &id)
{
    return id == Ident::Phone || id == Ident::Email || id == Ident::URL || id == Ident::Relationship;
}

QStringList labelsWithoutAll(const QString &identifier)
{
    QStringList labels = ZRPerson::labelsForIdentifier(identifier);
    labels.removeAll(LabelText::All);
    return labels;
}

std::optional<QVariantMap> labeledAt(ZRPerson &person, const QString &identifier, qsizetype L)
{
    const QVariant v = person.labeledValueForIdentifierAtLabelIndex(identifier, L);
    if (v.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    QVariantMap map = v.toMap();
    map.insert(Key::LabelIndex, L);
    return map;
}

// The text a labelled value shows for editing: its own text, or the derived one for structured values.
QString editableText(const QVariantMap &entry)
{
    const QVariant value = entry.value(Key::Value);
    return value.typeId() == QMetaType::QString ? value.toString() : entry.value(Key::StringValue).toString();
}

} // namespace

CellCommands::CellCommands(ViewController &vc, ContactsViewController &table)
    : m_vc(vc)
    , m_table(table)
{
}

ReplacePanelRequest CellCommands::panelForMode(const QString &mode, const QString &identifier)
{
    using namespace ReplacePanelText;
    ReplacePanelRequest r;
    r.type = mode;
    r.identifier = identifier;
    if (mode == AddLabelAndText) {
        r.message = AddMessage.arg(identifier);
        r.okTitle = Add;
        r.labelEnabled = true;
    } else if (mode == ReplaceLabelAndText) {
        r.message = ReplaceLabelMessage.arg(identifier);
        r.okTitle = Replace;
        r.labelEnabled = true;
    } else if (mode == PrependText) {
        r.message = PrependMessage.arg(identifier);
        r.okTitle = Prepend;
    } else if (mode == AppendText) {
        r.message = AppendMessage.arg(identifier);
        r.okTitle = Append;
    } else {
        r.message = ReplaceMessage.arg(identifier);
        r.okTitle = Replace;
    }
    return r;
}

ContactTable CellCommands::rowsFor(int clickedRow) const
{
    QList<int> indexes = m_table.selectedRows();
    if (clickedRow >= 0 && !indexes.contains(clickedRow))
        indexes.append(clickedRow);
    std::sort(indexes.begin(), indexes.end());
    ContactTable rows;
    const ContactTable &sub = m_table.subContactTable();
    for (int i : indexes) {
        if (i >= 0 && i < sub.size() && sub.at(i) && sub.at(i)->person)
            rows.append(sub.at(i));
    }
    return rows;
}

bool CellCommands::deleteItem(const QString &column, int clickedRow, const Confirm &confirm)
{
    if (column.isEmpty() || clickedRow < 0)
        return false;
    if (confirm
        && !confirm(ReplacePanelText::DeleteQuestion.arg(column), ReplacePanelText::DeleteInformative))
        return false;
    const ContactTable rows = rowsFor(clickedRow);
    bool changed = false;
    {
        UndoManager::Group group(m_vc.undoManager());
        // From the last row up: deleting a value renumbers only the values after it.
        for (qsizetype i = rows.size() - 1; i >= 0; --i) {
            const ContactEntryPtr &row = rows.at(i);
            ZRPerson &person = *row->person;
            const bool component = ZRPerson::addressIdentifiers().contains(column);
            if (ZRPerson::labeledIdentifiers().contains(column) || component) {
                const QString field = component ? Ident::Address : column;
                if (const auto entry = labeledAt(person, field, row->labelIndex)) {
                    m_vc.undoDeleteLabeledValue(*entry, field, row);
                    changed = true;
                }
            } else if (column == Ident::Birthday || column == Ident::PhoneticName
                || ZRPerson::stringIdentifiers().contains(column)) {
                changed = m_vc.undoReplaceValue(QVariant(), column, row) || changed;
            }
        }
    }
    return changed;
}

bool CellCommands::replaceItem(
    const QString &mode, const QString &column, int clickedRow, const AskPanel &ask)
{
    using namespace ReplacePanelText;
    const ContactTable &sub = m_table.subContactTable();
    if (column.isEmpty() || clickedRow < 0 || clickedRow >= sub.size() || !ask)
        return false;
    const ContactEntryPtr clicked = sub.at(clickedRow);
    ZRPerson &clickedPerson = *clicked->person;
    const bool component = ZRPerson::addressIdentifiers().contains(column);
    const bool labeled = ZRPerson::labeledIdentifiers().contains(column);
    const bool single = ZRPerson::stringIdentifiers().contains(column);

    ReplacePanelRequest request = panelForMode(mode, column);
    if (labeled || component) {
        const QString field = component ? Ident::Address : column;
        request.labels = labelsWithoutAll(field);
        if (const auto entry = labeledAt(clickedPerson, field, clicked->labelIndex)) {
            request.label = entry->value(Key::Label).toString();
            request.replaceString = component ? entry->value(column).toString() : editableText(*entry);
        }
    } else if (single) {
        request.replaceString = clickedPerson.valueForIdentifier(column).toString();
    } else {
        return false;
    }
    const auto answer = ask(request);
    if (!answer)
        return false;

    const bool setLabel = mode == ReplaceLabelAndText || mode == AddLabelAndText;
    auto newText = [&](const QString &old) {
        if (mode == PrependText)
            return answer->replaceString + old;
        if (mode == AppendText)
            return old + answer->replaceString;
        return answer->replaceString;
    };
    bool changed = false;
    {
        UndoManager::Group group(m_vc.undoManager());
        for (const ContactEntryPtr &row : rowsFor(clickedRow)) {
            ZRPerson &person = *row->person;
            if (labeled) {
                auto entry = labeledAt(person, column, row->labelIndex);
                if (!entry)
                    continue; // no value at this row's position
                const QString text = newText(editableText(*entry));
                entry->insert(Key::StringValue, text);
                entry->insert(Key::Value, text);
                if (setLabel && !answer->label.isEmpty())
                    entry->insert(Key::Label, answer->label);
                changed = m_vc.undoReplaceValue(*entry, column, row);
            } else if (component) {
                auto entry = labeledAt(person, Ident::Address, row->labelIndex);
                if (!entry)
                    continue;
                entry->insert(column, newText(entry->value(column).toString()));
                if (setLabel && !answer->label.isEmpty())
                    entry->insert(Key::Label, answer->label);
                ZRPerson::updateAddressValue(*entry, 1);
                changed = m_vc.undoReplaceValue(*entry, Ident::Address, row);
            } else {
                const QString old = person.valueForIdentifier(column).toString();
                const QString text = newText(old);
                if (text != old)
                    changed = m_vc.undoReplaceValue(text, column, row);
            }
        }
    }
    return changed;
}

CellCommands::InsertResult CellCommands::insertItem(const QString &column, int clickedRow)
{
    if (column.isEmpty() || clickedRow < 0)
        return InsertResult::Nothing;
    if (!isPlainLabeled(column)) {
        const bool editor = column == Ident::Address || ZRPerson::addressIdentifiers().contains(column)
            || column == Ident::SocialNetwork || column == Ident::InstantMessage || column == Ident::Dates
            || column == Ident::Birthday || ZRPerson::stringIdentifiers().contains(column);
        return editor ? InsertResult::NeedsEditor : InsertResult::Nothing;
    }
    QVariantMap value;
    if (column == Ident::Phone)
        value = { { Key::Label, LabelName::Home }, { Key::Value, u"123"_s } };
    else if (column == Ident::Relationship)
        value = { { Key::Label, LabelName::Friend }, { Key::Value, u"new"_s } };
    else
        value = { { Key::Label, LabelName::Home }, { Key::Value, u"new"_s } };

    const ContactTable rows = rowsFor(clickedRow);
    QList<int> selection;
    for (const ContactEntryPtr &row : rows)
        selection.append(int(m_table.subContactTable().indexOf(row)));
    m_table.setSelectedRows(selection);
    QSet<const ZRPerson *> done;
    {
        UndoManager::Group group(m_vc.undoManager());
        for (const ContactEntryPtr &row : rows) {
            if (done.contains(row->person.get()))
                continue; // one new value per contact, however many of its rows are selected
            done.insert(row->person.get());
            m_vc.undoAddLabeledValue(value, column, row);
        }
    }
    return InsertResult::Added;
}
