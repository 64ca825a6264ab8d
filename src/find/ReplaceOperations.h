#pragma once

#include "find/FindMatch.h"

#include <QStringList>
#include <optional>

class ViewController;

// Replacing text inside contact values, always through the ViewController's undoable edits.
namespace ReplaceOperations {

// `text` with `range` replaced; nothing when the range does not lie inside the text.
std::optional<QString> replaceRange(const QString &text, const FindRange &range, const QString &replacement);

// Every occurrence of findText in the value replaced; both empty means "the value becomes the
// replacement". True when the value changed (and one undoable edit was made).
bool undoReplaceStringWithString(ViewController &vc, const QString &findText, const QString &replacement,
    const QString &identifier, qsizetype index, Qt::CaseSensitivity cs, const ContactEntryPtr &contact);

// The fields Replace All walks when only the information panel's contact is changed.
const QStringList &panelReplaceIdentifiers();

// Replace All over one contact's fields (table columns or the panel's list); the number of values changed.
int replaceAllInContact(ViewController &vc, const QString &findText, const QString &replacement,
    const QStringList &identifiers, Qt::CaseSensitivity cs, const ContactEntryPtr &contact, bool fromColumns);

} // namespace ReplaceOperations
