#include "tools/PhoneNormalizeCommand.h"

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

namespace PhoneNormalizeCommand {

int normalizePhoneNumber(ViewController &controller, const ContactTable &rows,
    NormalizePhoneNumber::Layout layout, NormalizePhoneNumber &formatter)
{
    int changed = 0;
    {
        UndoManager::Group step(controller.undoManager());
        for (const ContactEntryPtr &row : rows) {
            if (!row || !row->person)
                continue;
            QVariantMap entry
                = row->person->labeledValueForIdentifierAtIndex(Ident::Phone, row->labelIndex).toMap();
            if (entry.isEmpty())
                continue;
            const std::optional<QString> result
                = formatter.replacementForValue(entry.value(Key::Value).toString(), layout);
            if (!result)
                continue;
            entry.insert(Key::Value, *result);
            if (controller.undoReplaceValue(entry, Ident::Phone, row))
                ++changed;
        }
    }
    // The group closed: the controller has marked the window edited and told the table.
    return changed;
}

int normalizePhoneNumber(
    ViewController &controller, const ContactTable &rows, NormalizePhoneNumber::Layout layout)
{
    NormalizePhoneNumber formatter;
    return normalizePhoneNumber(controller, rows, layout, formatter);
}

ContactTable phoneRowsOf(const ContactTable &contacts)
{
    ContactTable rows;
    for (const ContactEntryPtr &contact : contacts) {
        if (!contact || !contact->person || contact->deleted)
            continue;
        const qsizetype count = contact->person->phoneValues().size();
        for (qsizetype i = 0; i < count; ++i) {
            auto row = std::make_shared<ContactEntry>(*contact);
            row->labelIndex = i;
            rows.append(row);
        }
    }
    return rows;
}

} // namespace PhoneNormalizeCommand
