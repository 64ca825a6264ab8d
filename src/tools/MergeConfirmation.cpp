#include "tools/MergeConfirmation.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QImage>

namespace {

// A record without a birthday reads as an empty dictionary, its copy as one with an empty text;
// both mean "no birthday", and writing one over the other would only be an empty undo step.
bool sameValue(const QString &identifier, const QVariant &a, const QVariant &b)
{
    if (identifier == Ident::Birthday)
        return a.toMap().value(Key::StringValue).toString() == b.toMap().value(Key::StringValue).toString();
    return a == b;
}

} // namespace

namespace MergeConfirmation {

const QStringList &replacedIdentifiers()
{
    static const QStringList identifiers { Ident::Name, Ident::Renmei, Ident::Email, Ident::Phone,
        Ident::Address, Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::PhoneticName,
        Ident::Nickname, Ident::Birthday, Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Company,
        Ident::Department, Ident::JobTitle, Ident::Dates, Ident::Note };
    return identifiers;
}

QList<MergeReplacement> replacementsForPersonByContacts(const ContactTable &from, const ContactTable &to)
{
    QList<MergeReplacement> replacements;
    const qsizetype pairs = std::min(from.size(), to.size());
    for (qsizetype i = 0; i < pairs; ++i) {
        if (!from.at(i) || !to.at(i) || !from.at(i)->person || !to.at(i)->person)
            continue;
        const std::shared_ptr<ZRPerson> &giving = from.at(i)->person;
        const std::shared_ptr<ZRPerson> &receiving = to.at(i)->person;
        if (!giving->imageData().isEmpty() && giving->imageData() != receiving->imageData())
            replacements.append({ receiving, Ident::Photo, giving->photo() });
        for (const QString &identifier : replacedIdentifiers()) {
            const QVariant value = giving->valueForIdentifier(identifier);
            if (!sameValue(identifier, value, receiving->valueForIdentifier(identifier)))
                replacements.append({ receiving, identifier, value });
        }
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
