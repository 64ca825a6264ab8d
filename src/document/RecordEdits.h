#pragma once

#include "document/UndoManager.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class ZRPerson;

// The undoable value edits of a record: the one place that knows how each kind of field is replaced,
// appended to and deleted from, and what its inverse is. Every edit registers its inverse (an edit of
// the same family with the old value) with the given undo manager, marks the record changed, and
// reports the change to the observer; so do the inverses when undo and redo run them. The window's
// controller and the merge sheet's working copies both edit through this class.
class RecordEdits
{
public:
    // Told of every change a call made: which record and which field (for an address part, "Address").
    using Observer = std::function<void(const std::shared_ptr<ZRPerson> &person, const QString &field)>;

    explicit RecordEdits(UndoManager &undo, Observer observer = {});
    RecordEdits(const RecordEdits &) = delete;
    RecordEdits &operator=(const RecordEdits &) = delete;

    UndoManager &undoManager() { return m_undo; }

    // Replaces a field's value by identifier; true exactly when something changed.
    // - a labelled field: a list replaces the whole list, a labelled value (with its "labelIndex") the
    //   entry carrying that number; no value is an error and changes nothing;
    // - an address part ("ZIP", ...): the address value replaces the address carrying its "labelIndex";
    // - "Name", "Phonetic Name", "Birthday": a dictionary replaces the value, no value deletes it;
    // - a part of the name or of the phonetic name: a text, taken only when it differs;
    // - "Photo": an image or encoded image bytes replace the photo (and drop a thumbnail made from the
    //   old one), no value deletes both; undo gives back the very bytes of both;
    // - "HagakiLayout": a layout with "labelIndex" replaces that layout, a list all of them;
    // - the record's other text fields: set as given.
    bool replaceValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    // Appends a labelled value (a dictionary) to a labelled field or sets the birthday; true when done.
    bool addLabeledValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    // Deletes the labelled value with the given value's "labelIndex"; true when there was one.
    bool deleteLabeledValue(
        const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);

private:
    bool replace(const QVariant &value, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    bool replacePhoto(const QVariant &value, const std::shared_ptr<ZRPerson> &person);
    void setPhotoData(
        const QByteArray &image, const QByteArray &thumbnail, const std::shared_ptr<ZRPerson> &person);
    void registerReplace(
        const QVariant &oldValue, const QString &identifier, const std::shared_ptr<ZRPerson> &person);
    void changed(const std::shared_ptr<ZRPerson> &person, const QString &field);

    UndoManager &m_undo;
    Observer m_observer;
};
