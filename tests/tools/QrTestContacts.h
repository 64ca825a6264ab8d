#pragma once

#include "formats/ContactContainer.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QVariantMap>

// Contacts the QR and merge tests share: one with Japanese data, one with Western data.
namespace QrTestContacts {

inline QVariantMap labeled(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

inline QVariantMap address(const QString &label, const QString &street, const QString &city,
    const QString &state, const QString &zip, const QString &country, const QString &code)
{
    return { { Key::Label, label }, { Ident::Street, street }, { Ident::City, city }, { Ident::State, state },
        { Ident::ZIP, zip }, { Ident::Country, country }, { CN::PostalAddressISOCountryCodeKey, code } };
}

inline void setName(ZRPerson &person, const QString &first, const QString &last, int ordering)
{
    person.setValueForIdentifier(QVariantMap { { Ident::FirstName, first }, { Ident::LastName, last },
                                     { Key::NameOrdering, ordering }, { Key::ShowAsPerson, true } },
        Ident::Name);
}

inline ContactEntryPtr entryFor(const std::shared_ptr<ZRPerson> &person)
{
    auto entry = std::make_shared<ContactEntry>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    return entry;
}

// 山田 太郎, family name first, with a reading, a mobile phone, a home e-mail and a Tokyo address.
inline std::shared_ptr<ZRPerson> japanese()
{
    auto p = ZRPerson::create();
    setName(*p, QStringLiteral("太郎"), QStringLiteral("山田"), 2);
    p->setValueForIdentifier(QVariantMap { { Ident::FirstName, QStringLiteral("たろう") },
                                 { Ident::LastName, QStringLiteral("やまだ") } },
        Ident::PhoneticName);
    p->addLabeledValue(labeled(QStringLiteral("mobile"), QStringLiteral("090-1234-5678")), Ident::Phone);
    p->addLabeledValue(labeled(QStringLiteral("home"), QStringLiteral("taro@example.jp")), Ident::Email);
    p->addLabeledValue(address(QStringLiteral("home"), QStringLiteral("千代田1-1"),
                           QStringLiteral("千代田区"), QStringLiteral("東京都"), QStringLiteral("100-0001"),
                           QStringLiteral("日本"), QStringLiteral("jp")),
        Ident::Address);
    p->setValueForIdentifier(QStringLiteral("山田商事"), Ident::Company);
    p->setValueForIdentifier(QStringLiteral("営業部"), Ident::Department);
    p->setValueForIdentifier(QStringLiteral("部長"), Ident::JobTitle);
    return p;
}

// John Smith, given name first, work phone and e-mail, an office address and a home page.
inline std::shared_ptr<ZRPerson> western()
{
    auto p = ZRPerson::create();
    setName(*p, QStringLiteral("John"), QStringLiteral("Smith"), 1);
    p->addLabeledValue(labeled(QStringLiteral("work"), QStringLiteral("+1 555 0100")), Ident::Phone);
    p->addLabeledValue(labeled(QStringLiteral("work"), QStringLiteral("john@example.com")), Ident::Email);
    p->addLabeledValue(
        address(QStringLiteral("work"), QStringLiteral("1 Main St"), QStringLiteral("Springfield"),
            QStringLiteral("IL"), QStringLiteral("62701"), QStringLiteral("USA"), QStringLiteral("us")),
        Ident::Address);
    p->addLabeledValue(labeled(QStringLiteral("home page"), QStringLiteral("example.com/john")), Ident::URL);
    p->setValueForIdentifier(QStringLiteral("Acme"), Ident::Company);
    return p;
}

} // namespace QrTestContacts
