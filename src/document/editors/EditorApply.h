#pragma once

#include "document/editors/EditorContext.h"

class RecordEdits;
class ViewController;
class ZRPerson;

// The opener's side of the editor protocol: a confirmed editor's result becomes undoable edits.
namespace EditorApply {

// Applies the result to one row; true when the record changed. Nothing happens unless the editor
// confirmed a change ("dirty"). A single address, chat account, social profile or date opened for a new
// entry is added, one opened on an entry replaces it; the joint names are stored as one text, one name
// a line; any other result replaces the field.
bool applyToRow(ViewController &controller, const EditorContext &context, const ContactEntryPtr &row);

// The same rules for a record edited outside the document (the merge sheet's working copies), as one
// step of that editor's own undo. True when the record changed.
bool applyToRecord(RecordEdits &edits, const EditorContext &context, const std::shared_ptr<ZRPerson> &person);

// Applies the result to every row, as one undo step: what the table does when several rows are
// selected. Rows whose record is shared are changed once. True when any record changed.
bool apply(ViewController &controller, const EditorContext &context, const ContactTable &rows);

} // namespace EditorApply
