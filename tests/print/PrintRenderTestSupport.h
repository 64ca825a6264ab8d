#pragma once

#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"
#include "print/PrintOptions.h"
#include "print/ReceiverRecord.h"

#include <QLocale>
#include <gtest/gtest.h>

// Contacts for printing tests, with the user's country fixed so that address order does not depend on
// the machine running them.
class PrintRenderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        ContactDefaults::overrideForTesting(QStringLiteral("jp"), ContactDefaults::SortOrder::FamilyName);
    }
    void TearDown() override
    {
        ContactDefaults::overrideForTesting(QString(), ContactDefaults::SortOrder::None);
        QLocale::setDefault(QLocale::system());
    }

    struct AddressParts
    {
        QString zip, state, city, street, country, countryCode;
    };

    static std::shared_ptr<ZRPerson> person(const QString &last, const QString &first = {},
        const AddressParts &address = {}, const QString &company = {})
    {
        auto p = ZRPerson::create();
        QVariantMap name = p->nameValue();
        name.insert(Ident::LastName, last);
        name.insert(Ident::FirstName, first);
        p->setValueForIdentifier(name, Ident::Name);
        if (!company.isEmpty())
            p->setValueForIdentifier(company, Ident::Company);
        if (!address.state.isEmpty() || !address.street.isEmpty() || !address.city.isEmpty()) {
            QVariantMap entry { { Key::Label, QStringLiteral("home") }, { Ident::ZIP, address.zip },
                { Ident::State, address.state }, { Ident::City, address.city },
                { Ident::Street, address.street }, { Ident::Country, address.country } };
            if (!address.countryCode.isEmpty())
                entry.insert(CN::PostalAddressISOCountryCodeKey, address.countryCode);
            p->addLabeledValue(entry, Ident::Address);
        }
        return p;
    }

    static ReceiverRecord receiver(const std::shared_ptr<ZRPerson> &p)
    {
        return ReceiverRecord::convertContact(p);
    }

    static QVariantMap englishOptions()
    {
        PrintOptions::FontDefaults fonts;
        fonts.userFontName = QStringLiteral("DejaVu Sans");
        fonts.verticalFamily = QStringLiteral("Noto Sans CJK JP");
        return PrintOptions::initPrintOptions(QStringLiteral("en"), fonts);
    }
};
