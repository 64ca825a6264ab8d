#pragma once

#include "document/UndoManager.h"
#include "formats/ContactContainer.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

class ZRPerson;

// One value the confirmation writes into a document record.
struct MergeReplacement
{
    std::shared_ptr<ZRPerson> person;
    QString identifier;
    QVariant value;
};

// The window's undoable replace operation, as the window's controller offers it.
using ReplaceValueFunction
    = std::function<void(std::shared_ptr<ZRPerson> person, QString identifier, QVariant value)>;

// Confirming a merge: the values of the edited copies are written into the document's records
// through the window's own undoable operation, all in one undo step.
namespace MergeConfirmation {

// The fields copied, in the order they are written (the photo goes first, by its own rule).
const QStringList &replacedIdentifiers();

// Pairwise from `from` (the edited copies) into `to` (the document's rows): the photo when the
// giving record has one and the receiving record has none or another; then every field whose value
// differs.
QList<MergeReplacement> replacementsForPersonByContacts(const ContactTable &from, const ContactTable &to);

// Runs every replacement through `replace` inside one group of `undo`.
void applyReplacements(
    const QList<MergeReplacement> &replacements, UndoManager &undo, const ReplaceValueFunction &replace);

} // namespace MergeConfirmation
