#include "find/ReplaceOperations.h"

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QtDebug>

using namespace Qt::StringLiterals;

namespace ReplaceOperations {

namespace {

const QStringList &namePartIdentifiers()
{
    static const QStringList ids { Ident::FirstName, Ident::MiddleName, Ident::LastName,
        Ident::PreviousFamilyName, Ident::PhoneticFirstName, Ident::PhoneticMiddleName,
        Ident::PhoneticLastName };
    return ids;
}

const QStringList &plainLabeledIdentifiers()
{
    static const QStringList ids { Ident::Phone, Ident::Email, Ident::URL, Ident::Relationship };
    return ids;
}

qsizetype valueCount(ZRPerson &person, const QString &identifier)
{
    const QVariantList *list = person.labeledValues(identifier);
    return list ? list->size() : 0;
}

std::optional<QString> replaced(
    const QString &text, const QString &findText, const QString &replacement, Qt::CaseSensitivity cs)
{
    if (text.isEmpty() && findText.isEmpty())
        return replacement == text ? std::nullopt : std::optional<QString>(replacement);
    // An empty find text matches nowhere: inserting the replacement between every character
    // is never what a user asked for.
    if (findText.isEmpty())
        return std::nullopt;
    QString result = text;
    result.replace(findText, replacement, cs);
    if (result == text)
        return std::nullopt;
    return result;
}

} // namespace

std::optional<QString> replaceRange(const QString &text, const FindRange &range, const QString &replacement)
{
    if (!range.found() || range.location < 0 || range.length < 0 || range.location > text.size()
        || range.length > text.size() - range.location)
        return std::nullopt;
    QString result = text;
    result.replace(range.location, range.length, replacement);
    return result;
}

bool undoReplaceStringWithString(ViewController &vc, const QString &findText, const QString &replacement,
    const QString &identifier, qsizetype index, Qt::CaseSensitivity cs, const ContactEntryPtr &contact)
{
    if (!contact || !contact->person)
        return false;
    ZRPerson &person = *contact->person;

    if (namePartIdentifiers().contains(identifier) || ZRPerson::stringIdentifiers().contains(identifier)) {
        const auto text
            = replaced(person.valueForIdentifier(identifier).toString(), findText, replacement, cs);
        return text && vc.undoReplaceValue(*text, identifier, contact);
    }

    const bool component = ZRPerson::addressIdentifiers().contains(identifier);
    const QString field = component ? Ident::Address : identifier;
    QString key;
    if (plainLabeledIdentifiers().contains(identifier))
        key = Key::Value;
    else if (component)
        key = identifier;
    else if (identifier == Ident::InstantMessage)
        key = CN::InstantMessageAddressUsernameKey;
    else if (identifier == Ident::SocialNetwork)
        key = CN::SocialProfileUsernameKey;
    else
        return false;

    const QVariant labeled = person.labeledValueForIdentifierAtIndex(field, index);
    if (labeled.typeId() != QMetaType::QVariantMap)
        return false;
    QVariantMap entry = labeled.toMap();
    const auto text = replaced(entry.value(key).toString(), findText, replacement, cs);
    if (!text)
        return false;
    entry.insert(key, *text);
    // The user name is also the entry's "value", from which the derived keys are rebuilt.
    if (key != Key::Value && !component)
        entry.insert(Key::Value, *text);
    if (!entry.contains(Key::LabelIndex))
        entry.insert(Key::LabelIndex, index);
    return vc.undoReplaceValue(entry, field, contact);
}

const QStringList &panelReplaceIdentifiers()
{
    static const QStringList ids { Ident::FirstName, Ident::MiddleName, Ident::LastName,
        Ident::PreviousFamilyName, Ident::Renmei, Ident::Company, Ident::PhoneticFirstName,
        Ident::PhoneticMiddleName, Ident::PhoneticLastName, Ident::Email, Ident::Phone, Ident::InstantMessage,
        Ident::SocialNetwork, Ident::URL, Ident::Address, Ident::Nickname, Ident::Relationship, Ident::Suffix,
        Ident::Title, Ident::Department, Ident::JobTitle, Ident::Note };
    return ids;
}

namespace {

QString labeledText(ZRPerson &person, const QString &identifier, qsizetype index, const QString &key)
{
    return person.labeledValueForIdentifierAtIndex(identifier, index).toMap().value(key).toString();
}

} // namespace

int replaceAllInContact(ViewController &vc, const QString &findText, const QString &replacement,
    const QStringList &identifiers, Qt::CaseSensitivity cs, const ContactEntryPtr &contact, bool fromColumns)
{
    if (!contact || !contact->person || findText.isEmpty())
        return 0;
    ZRPerson &person = *contact->person;
    int changed = 0;
    // Most values do not hold the text: look before asking for an edit, reading each name
    // dictionary once (every read derives the display name again).
    std::optional<QVariantMap> name;
    std::optional<QVariantMap> phonetic;
    auto holds = [&](const QString &identifier) {
        QString text;
        if (identifier == Ident::FirstName || identifier == Ident::MiddleName || identifier == Ident::LastName
            || identifier == Ident::PreviousFamilyName) {
            if (!name)
                name = person.readNameValue();
            text = name->value(identifier).toString();
        } else if (identifier == Ident::PhoneticFirstName || identifier == Ident::PhoneticMiddleName
            || identifier == Ident::PhoneticLastName) {
            if (!phonetic)
                phonetic = person.readPhoneticNameValue();
            text = phonetic
                       ->value(identifier == Ident::PhoneticFirstName    ? Ident::FirstName
                               : identifier == Ident::PhoneticMiddleName ? Ident::MiddleName
                                                                         : Ident::LastName)
                       .toString();
        } else if (ZRPerson::stringIdentifiers().contains(identifier)) {
            text = person.stringValues().value(identifier).toString();
        } else {
            return true; // labelled values: the edit itself looks
        }
        return text.contains(findText, cs);
    };
    auto one = [&](const QString &identifier, qsizetype index) {
        if (holds(identifier)
            && undoReplaceStringWithString(vc, findText, replacement, identifier, index, cs, contact))
            ++changed;
    };
    for (const QString &id : identifiers) {
        if (fromColumns && id == Ident::Name) {
            one(Ident::FirstName, 0);
            one(Ident::LastName, 0);
        } else if (fromColumns && id == Ident::PhoneticName) {
            one(Ident::PhoneticFirstName, 0);
            one(Ident::PhoneticLastName, 0);
        } else if (plainLabeledIdentifiers().contains(id) || id == Ident::SocialNetwork
            || id == Ident::InstantMessage) {
            const QString &key = id == Ident::InstantMessage ? CN::InstantMessageAddressUsernameKey
                : id == Ident::SocialNetwork                 ? CN::SocialProfileUsernameKey
                                                             : Key::Value;
            for (qsizetype i = 0, n = valueCount(person, id); i < n; ++i) {
                if (labeledText(person, id, i, key).contains(findText, cs))
                    one(id, i);
            }
        } else if (id == Ident::Address) {
            // One read of each address answers for all its parts; only the parts holding the text
            // are edited (each edit reads the address again, as it stands then).
            for (qsizetype i = 0, n = valueCount(person, Ident::Address); i < n; ++i) {
                const QVariantMap address
                    = person.labeledValueForIdentifierAtIndex(Ident::Address, i).toMap();
                for (const QString &component : ZRPerson::addressIdentifiers()) {
                    if (address.value(component).toString().contains(findText, cs))
                        one(component, i);
                }
            }
        } else if (ZRPerson::addressIdentifiers().contains(id)) {
            qWarning("ERROR");
        } else if (id != Ident::HagakiLayout) {
            one(id, 0);
        }
    }
    return changed;
}

} // namespace ReplaceOperations
