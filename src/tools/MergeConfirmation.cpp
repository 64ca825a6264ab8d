#include "tools/MergeConfirmation.h"

#include "document/RecordEdits.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

namespace MergeConfirmation {

const QStringList &replacedIdentifiers()
{
    return RecordEdits::replacedIdentifiers();
}

QList<MergeReplacement> replacementsForPersonByContacts(const ContactTable &from, const ContactTable &to)
{
    QList<MergeReplacement> replacements;
    const qsizetype pairs = std::min(from.size(), to.size());
    for (qsizetype i = 0; i < pairs; ++i) {
        if (!from.at(i) || !to.at(i) || !from.at(i)->person || !to.at(i)->person)
            continue;
        for (auto &[identifier, value] :
            RecordEdits::replacementsForPerson(*from.at(i)->person, *to.at(i)->person))
            replacements.append({ to.at(i)->person, identifier, value });
    }
    return replacements;
}

void applyReplacements(
    const QList<MergeReplacement> &replacements, UndoManager &undo, const ReplaceValueFunction &replace)
{
    if (!replace || replacements.isEmpty())
        return;
    UndoManager::Group group(undo);
    for (const MergeReplacement &r : replacements)
        replace(r.person, r.identifier, r.value);
}

} // namespace MergeConfirmation
