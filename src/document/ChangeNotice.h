#pragma once

#include "formats/ContactContainer.h"

#include <QFlags>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class ZRPerson;

// What one user action changed, said once when the action is over: after the outermost undo group
// closes, and after each undo and redo. Views update what it names: the rows of changed records, or
// everything when the structure changed.
struct ChangeNotice
{
    enum class Cause { Edit, Undo, Redo, View };

    // Changes that move, add or remove rows, or change what the rows are made of.
    enum class Structure {
        None = 0,
        RowsAdded = 0x1, // contacts added to (or restored in) the shown group
        RowsRemoved = 0x2, // contacts deleted from the shown group
        Resorted = 0x4, // the sort order changed
        GroupChanged = 0x8, // another group is shown
        ViewChanged = 0x10, // columns, view type or labels
        GroupList = 0x20, // groups added, deleted or renamed
        GroupContents = 0x40, // contacts added to or deleted from a group not shown
    };
    Q_DECLARE_FLAGS(StructureChanges, Structure)

    Cause cause = Cause::Edit;
    StructureChanges structure;
    // Records whose values changed, each once, in the order first changed.
    std::vector<std::shared_ptr<ZRPerson>> records;
    QSet<const ZRPerson *> recordSet; // the same records, for lookups
    // The fields that changed in any of them ("Address" for address parts).
    QSet<QString> fields;
    // Contacts to select once the rows are rebuilt (added ones), and the row to select otherwise.
    ContactTable rowsToSelect;
    std::optional<int> rowToSelect;

    bool isEmpty() const { return structure == Structure::None && records.empty(); }
    // Whether the rows must be rebuilt rather than updated where they are.
    bool changesRows() const
    {
        return structure
            & (StructureChanges(Structure::RowsAdded) | Structure::RowsRemoved | Structure::Resorted
                | Structure::GroupChanged | Structure::ViewChanged);
    }
    bool touches(const QString &field) const { return fields.contains(field); }
    bool touches(const ZRPerson *person) const { return recordSet.contains(person); }

    // Adds a changed field of a record to this notice.
    void noteRecord(const std::shared_ptr<ZRPerson> &person, const QString &field);
};
Q_DECLARE_OPERATORS_FOR_FLAGS(ChangeNotice::StructureChanges)
Q_DECLARE_METATYPE(ChangeNotice)
