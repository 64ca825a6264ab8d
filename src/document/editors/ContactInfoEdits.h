#pragma once

#include "document/editors/ContactInfoRows.h"
#include "document/editors/EditorContext.h"

#include <QByteArray>
#include <optional>

class ViewController;

// The information panel's edits of its contact, each one undo step through the window's controller.
// Each returns true when the record changed (the panel then tells the other views).
namespace ContactInfoEdits {

// Text typed into a row's cell; an empty text counts as "".
bool textFieldCellChanged(
    ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row, const QString &text);
// A title chosen from a row's pop-up: the name ordering, the name display or an entry's label.
bool popupButtonCellChanged(
    ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row, const QString &title);

// Add Item of a row's context menu: either an entry added at once, or the editor to open for a new
// entry (addresses, chat, social profiles, dates, the birthday).
struct InsertResult
{
    bool changed = false;
    std::optional<EditorContext> openEditor;
};
InsertResult insertItem(ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row);
// Delete Item: the row's entry, the birthday or phonetic name, or a text field's text.
bool deleteItem(ViewController &controller, const ContactEntryPtr &contact, const InfoRow &row);

// What a dragged row carries besides its contact's card.
struct DraggedField
{
    QByteArray vCard;
    QString identifier;
    qsizetype labelIndex = 0;
};
// A row of another panel dropped on a row of this one: the target row's field is copied from the
// dragged contact. onRow: dropped on the row (replace) rather than between rows (insert).
bool dropField(ViewController &controller, const ContactEntryPtr &contact, const InfoRow &target,
    const DraggedField &dragged, bool onRow);

} // namespace ContactInfoEdits
