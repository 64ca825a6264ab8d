#pragma once

#include "document/UndoManager.h"

#include <QString>
#include <QVariant>
#include <memory>

class ZRPerson;

// Undoable edits of records outside any window: the merge sheet's working copies. They change a
// record as the window's edits do and register their inverse (an edit of the same family with the
// old value) with the given undo manager, but refresh nothing.
class MergeSheetEdits
{
public:
    explicit MergeSheetEdits(UndoManager &undo)
        : m_undo(undo)
    {
    }

    // Replaces a field's value by identifier; true exactly when something changed.
    bool undoReplaceValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    // Appends a labelled value; true when it was appended.
    bool undoAddLabeledValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    // Deletes the labelled value at the given value's "labelIndex"; true when one was deleted.
    bool undoDeleteLabeledValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);

private:
    bool replaceValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    void registerReplace(
        const QVariant &oldValue, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    bool replacePhotoData(
        const QByteArray &image, const QByteArray &thumbnail, const std::shared_ptr<ZRPerson> &person);

    UndoManager &m_undo;
};
