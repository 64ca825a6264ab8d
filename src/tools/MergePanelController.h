#pragma once

#include "document/RecordEdits.h"
#include "document/UndoManager.h"
#include "formats/ContactContainer.h"
#include "tools/MergeRows.h"

#include <QMimeData>
#include <memory>

// What the merge sheet is given and hands back.
struct MergeContext
{
    ContactTable contacts; // the selected rows of the contact table; the first two take part
    QString documentType = MergeText::DefaultDocumentType;
    ContactTable newContacts; // on confirmation with changes: the two edited working copies
};

// How the sheet's buttons and separator look: locked (not editable) or open for changes.
struct MergeSheetLook
{
    bool editable = false;
    QString editButtonTitle = MergeText::Edit;
    bool editButtonOn = false;
    QString confirmButtonTitle = MergeText::Done;
    bool confirmButtonEnabled = true;
    bool cancelHidden = true;
    bool separatorRed = false;
    double separatorBorderWidth = 0.0;
};

// The merge sheet without its widgets: two working copies side by side, rows dragged from one to the
// other (moved, or copied with Option held), its own undo stack with a count of changes, and the
// confirmation. The document's records are not touched here; see MergeConfirmation.
class MergePanelController
{
public:
    enum class Side { Left, Right };
    enum class DropOperation { None, Copy, Move };
    // On a row, or between rows (above the given one).
    enum class DropPosition { On, Above };

    MergePanelController();
    MergePanelController(const MergePanelController &) = delete;
    MergePanelController &operator=(const MergePanelController &) = delete;

    // Starts from fresh copies of the first two contacts; false (and nothing to merge) with fewer.
    bool setContextInfo(const MergeContext &context, bool editable);
    const MergeContext &context() const { return m_context; }

    const ContactEntryPtr &contact(Side side) const { return side == Side::Left ? m_left : m_right; }
    const MergeRows &table(Side side) const { return side == Side::Left ? m_tableLeft : m_tableRight; }
    QString textForRow(Side side, int row) const;
    QStringList nameOrderingLabels() const { return m_nameOrderingLabels; }

    int changeCount() const { return m_changeCount; }
    const MergeSheetLook &look() const { return m_look; }
    // The Edit/Lock button; turning it off is refused (it stays on) while changes are pending.
    void setEditButtonOn(bool on);

    // Starts a drag of the rows (the first is the one dragged); nullptr when no row is valid.
    std::unique_ptr<QMimeData> writeRowsWithIndexes(Side side, const QList<int> &rows);
    DropOperation validateDrop(Side target, int row, DropPosition position, bool optionHeld) const;
    // Carries the dragged row over; true when something changed.
    bool acceptDrop(Side target, int row, DropPosition position, bool optionHeld);
    void endDrag() { m_dragSide.reset(); }

    // The sheet's own undo stack; every new step (a drop, or a cell edit through edits()) raises the
    // change count, every undo lowers it and every redo raises it again.
    UndoManager &undoManager() { return m_undo; }
    RecordEdits &edits() { return m_edits; }
    void undo() { m_undo.undo(); }
    void redo() { m_undo.redo(); }

    // Done/Change: 1 with "newContacts" set when the sheet made changes, else 0; the look is locked again.
    int confirm();
    // Cancel: 0; the working copies are dropped.
    int cancel();

private:
    void setEditableLook(bool editable);
    void reloadTables();
    void undoStackDidChange();

    MergeContext m_context;
    ContactEntryPtr m_left;
    ContactEntryPtr m_right;
    MergeRows m_tableLeft;
    MergeRows m_tableRight;
    QStringList m_nameOrderingLabels;
    int m_changeCount = 0;
    int m_undoSteps = 0; // the stack's size when last seen
    MergeSheetLook m_look;
    std::optional<Side> m_dragSide;
    int m_dragRow = -1;
    UndoManager m_undo;
    RecordEdits m_edits { m_undo };
};
