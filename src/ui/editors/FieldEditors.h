#pragma once

#include "document/editors/EditorContext.h"

#include <QRect>
#include <functional>

struct ChangeNotice;
class DocumentHub;
class EditorPopover;
class FieldEditor;
class ViewController;
class QWidget;

// Where the field editors are opened from: one road for the table, the information panel and the find
// panel. Each opens the editor in a popover at the anchor (global coordinates) and, when the popover
// closes with a confirmed change, applies it through the undoable edits.
namespace FieldEditors {

// Whether the notice took every one of rows out of the document (deleted, or added and the addition
// undone). Rows of the table are looked up by their records: they carry no deleted mark of their own.
bool rowsGone(const ViewController &controller, const ChangeNotice &notice, const ContactTable &rows);

// A new editor of that kind (not yet given a context); null for None.
FieldEditor *createEditor(EditorKind kind, QWidget *parent = nullptr);

// Shows an editor (given its context) in a popover at the anchor; whenDone runs once when the editor is
// done, in the popover or in the window it was torn off into, and reads the editor's result.
EditorPopover *showEditor(FieldEditor *editor, const QRect &anchor, const QSize &size, QWidget *parent,
    const std::function<void()> &whenDone);

// Opens the editor the context asks for (wholeList: the list editor of the field) and applies its
// result to every row of `rows` as one undo step when it closes. `done` is told whether anything
// changed. Returns the popover (it deletes itself when closed); null when no editor serves the field.
EditorPopover *openEditor(ViewController &controller, const EditorContext &context, const ContactTable &rows,
    const QRect &anchor, QWidget *parent, bool wholeList = false,
    std::function<void(bool changed)> done = {});

// The table's entry point: the editor of the column `identifier` for the table row `row`, at the
// position `position` of its field (-1: a new entry), applied to the selected rows (the row itself when
// it is not selected).
EditorPopover *openEditorForRow(DocumentHub &hub, int row, const QString &identifier, qsizetype position,
    const QRect &anchor, QWidget *parent, bool wholeList = false);

// The find panel's date editor: a labelled date ("Dates", the context's value) or the birthday, in a
// popover of its own size; `confirmed` gets the context with the result. Nothing is applied here.
EditorPopover *openDateEditor(const EditorContext &context, const QRect &anchor, QWidget *parent,
    std::function<void(const EditorContext &result)> confirmed);

} // namespace FieldEditors
