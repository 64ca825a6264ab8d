#pragma once

#include "formats/ContactContainer.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// What an opener hands a field editor and what the editor hands back. The opener fills the first
// block; the editor fills the second only when the user confirmed a change.
struct EditorContext
{
    ContactEntryPtr contact; // the row being edited; its person is the record
    QString type; // the field identifier ("Name", "Address", "Renmei" ...)
    qsizetype labelIndex = 0; // which labelled value; NewEntry asks for a new one
    bool editEnabled = false; // whether the editor opens unlocked
    // The address editor's entry: the address with the label index, or a fresh one for a new address.
    QVariantMap labeledValue;
    // The labels the editor offers; empty: every label of the field.
    QStringList labels;

    bool dirty = false;
    QVariant value;
    QVariantList values;

    static constexpr qsizetype NewEntry = -1;
    bool isNewEntry() const { return labelIndex == NewEntry; }
};

// The editors, by the field they serve.
enum class EditorKind {
    None,
    Name,
    PhoneticName,
    MultiValue, // the whole list of a labelled field
    Address, // one address
    InstantMessage, // one chat account
    SocialNetwork, // one social profile
    Dates, // one labelled date
    Birthday,
    Renmei, // the joint names
};

namespace EditorRoster {

// The editor that serves a field; wholeList asks for the list editor of a field that also has a
// one-entry editor (Address, Instant Message, Social Network). Address parts are served as "Address".
EditorKind editorForField(const QString &identifier, bool wholeList = false);
// The field an editor result is applied to: address parts become "Address".
QString fieldOfType(const QString &identifier);
// The content size of the editor's popover, in points.
QSize popoverContentSize(const QString &identifier);
// The size of the find panel's date editor.
QSize datePopoverContentSize();
// A context for an entry of a row's record: for a new address (labelIndex NewEntry) a fresh address
// with "ZIP" "123" and "label" "home", derived as addresses are.
EditorContext contextFor(
    const ContactEntryPtr &contact, const QString &identifier, qsizetype labelIndex, bool editEnabled);

} // namespace EditorRoster

namespace EditorRoster {
// The own number ("labelIndex") of the entry at a position of a labelled field: a table row knows the
// position of the value it shows, the editors and the edits go by the entry's number. NewEntry when
// there is no entry there.
qsizetype labelIndexAtPosition(const ContactEntryPtr &contact, const QString &identifier, qsizetype position);
} // namespace EditorRoster
