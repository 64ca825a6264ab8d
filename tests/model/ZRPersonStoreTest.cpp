#include "PersonTestSupport.h"
#include "model/AddressFormats.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"

using namespace Qt::StringLiterals;

namespace {

StoreContact fullContact()
{
    StoreContact c;
    c.identifier = u"ID-42"_s;
    // Not the order the locale would give a Latin name: the record keeps the contact's own.
    c.nameOrder = StoreContact::NameOrder::FamilyNameFirst;
    c.editExtras().namePrefix = u"Dr."_s;
    c.givenName = u"Taro"_s;
    c.editExtras().middleName = u"Q"_s;
    c.familyName = u"Yamada"_s;
    c.editExtras().previousFamilyName = u"Sato"_s;
    c.editExtras().nameSuffix = u"Jr."_s;
    c.editExtras().nickname = u"Taa"_s;
    c.phoneticGivenName = u"たろう"_s;
    c.editExtras().phoneticMiddleName = u"きゅー"_s;
    c.phoneticFamilyName = u"やまだ"_s;
    c.organizationName = u"Acme"_s;
    c.departmentName = u"R&D"_s;
    c.jobTitle = u"Chief"_s;
    c.note = u"line 1\nline 2"_s;
    c.birthday = DateComponents { 0, 2, 29 };
    c.phoneNumbers = { { CN::LabelHome, u"03-1234-5678"_s },
        { CN::LabelPhoneNumberMobile, u"090-0000-1111"_s }, { u""_s, u"555"_s } };
    c.emailAddresses = { { CN::LabelWork, u"taro@acme.example"_s }, { u"Cousin"_s, u"t@x.example"_s } };
    StorePostalAddress home { u"1-2-3 Chiyoda"_s, u"Chiyoda-ku"_s, u"Tokyo"_s, u"100-0001"_s, u"Japan"_s,
        u"jp"_s, u"Marunouchi"_s, u"PO Box 9"_s };
    c.postalAddresses = { { CN::LabelHome, home },
        { u"Villa"_s, StorePostalAddress { u"5 Rue"_s, u"Nice"_s, {}, {}, {}, {}, {}, {} } } };
    c.urlAddresses = { { CN::LabelURLAddressHomePage, u"https://acme.example"_s } };
    c.editExtras().socialProfiles = { { CN::SocialProfileServiceTwitter,
        StoreSocialProfile {
            u"https://x.example/taro"_s, u"taro"_s, u"12345"_s, CN::SocialProfileServiceTwitter } } };
    c.editExtras().instantMessageAddresses
        = { { CN::LabelWork, StoreInstantMessageAddress { u"taro.y"_s, u"Skype"_s } } };
    c.editExtras().contactRelations = { { CN::LabelContactRelationSon, StoreContactRelation { u"Ken"_s } },
        { u""_s, StoreContactRelation { u"Nobody"_s } } };
    c.editExtras().dates = { { CN::LabelDateAnniversary, DateComponents { 2010, 6, 1 } },
        { u""_s, DateComponents { 0, 1, 2 } } };
    c.editExtras().imageData = QByteArray("image-bytes");
    c.editExtras().thumbnailImageData = QByteArray("thumb-bytes");
    return c;
}

} // namespace

class ZRPersonStoreTest : public PersonTest
{
};

TEST_F(ZRPersonStoreTest, StoreContactSurvivesTheRecordUnchanged)
{
    const StoreContact c = fullContact();
    const auto p = ZRPerson::fromStoreContact(c);
    const StoreContact back = p->contactFromCache(nullptr);
    // Field by field first, so that a failure names the field.
    EXPECT_EQ(back.identifier, c.identifier);
    EXPECT_EQ(back.givenName, c.givenName);
    EXPECT_EQ(back.extras().phoneticMiddleName, c.extras().phoneticMiddleName);
    EXPECT_EQ(back.extras().namePrefix, c.extras().namePrefix);
    EXPECT_EQ(back.birthday, c.birthday);
    EXPECT_EQ(back.phoneNumbers, c.phoneNumbers);
    EXPECT_EQ(back.emailAddresses, c.emailAddresses);
    EXPECT_EQ(back.postalAddresses, c.postalAddresses);
    EXPECT_EQ(back.urlAddresses, c.urlAddresses);
    EXPECT_EQ(back.extras().socialProfiles, c.extras().socialProfiles);
    EXPECT_EQ(back.extras().instantMessageAddresses, c.extras().instantMessageAddresses);
    EXPECT_EQ(back.extras().contactRelations, c.extras().contactRelations);
    EXPECT_EQ(back.extras().dates, c.extras().dates);
    EXPECT_EQ(back.extras().imageData, c.extras().imageData);
    EXPECT_EQ(back.extras().thumbnailImageData, c.extras().thumbnailImageData);
    EXPECT_TRUE(back == c);

    StoreContact org = c;
    org.contactType = StoreContact::Type::Organization;
    EXPECT_TRUE(ZRPerson::fromStoreContact(org)->contactFromCache(nullptr) == org);
}

TEST_F(ZRPersonStoreTest, RecordTakesEveryValueFromTheStore)
{
    const auto p = ZRPerson::fromStoreContact(fullContact());
    EXPECT_FALSE(p->created());
    EXPECT_EQ(p->uniqueId(), u"ID-42"_s);
    EXPECT_EQ(p->defaultCountryCode(), u"us"_s);
    EXPECT_TRUE(p->uniqueId2().isEmpty());
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"090-0000-1111"_s);
    EXPECT_EQ(labelIndexes(p->phoneValues()), (QList<qlonglong> { 0, 1, 2 }));
    const QVariantMap home = p->labeledValueForIdentifierAtLabelIndex(Ident::Phone, 0).toMap();
    EXPECT_EQ(home.value(Key::Label).toString(), u"home"_s);
    EXPECT_EQ(home.value(Key::PhoneNumber).toString(), u"03-1234-5678"_s);
    EXPECT_EQ(p->phoneValues()[2].toMap().value(Key::Label).toString(), LabelText::NoLabel);
    EXPECT_EQ(p->emailValues()[1].toMap().value(Key::Label).toString(), u"Cousin"_s);
    EXPECT_EQ(p->emailValues()[0].toMap().value(Key::Domain).toString(), u"acme.example"_s);
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::ZIP, 0), u"100-0001"_s);
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(CN::PostalAddressISOCountryCodeKey, 0), u"jp"_s);
    EXPECT_FALSE(p->stringValueForIdentifierAtLabelIndex(Ident::Address, 0).isEmpty());
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::SNSusername, 0), u"taro"_s);
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::IMSservicename, 0), u"Skype"_s);
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::InstantMessage, 0), u"Skype:taro.y"_s);
    EXPECT_EQ(p->relationshipValues()[0].toMap().value(Key::Label).toString(), u"son"_s);
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::Dates, 0), u"2010.06.01(Tue)"_s);
    EXPECT_EQ(p->stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0), u"02.29"_s);
    EXPECT_EQ(p->valueForIdentifier(Ident::PhoneticLastName).toString(), u"やまだ"_s);
    EXPECT_EQ(p->valueForIdentifier(Ident::Title).toString(), u"Dr."_s);
    // One layout per address, numbered and labelled like it.
    ASSERT_EQ(p->hagakiLayouts().size(), 2);
    EXPECT_EQ(p->hagakiLayouts()[1].toMap().value(Key::Label).toString(), u"Villa"_s);
    EXPECT_EQ(labelIndexes(p->hagakiLayouts()), (QList<qlonglong> { 0, 1 }));
}

TEST_F(ZRPersonStoreTest, ServicesOrganisationsAndEmptyContacts)
{
    StoreContact c;
    c.contactType = StoreContact::Type::Organization;
    c.organizationName = u"Acme"_s;
    c.departmentName = u"Sales"_s;
    c.phoneNumbers = { { CN::LabelWork, u"123"_s } };
    c.editExtras().socialProfiles
        = { { u"ignored"_s, StoreSocialProfile { {}, u"acme"_s, {}, u"facebook"_s } } };
    const auto org = ZRPerson::fromStoreContact(c);
    EXPECT_FALSE(org->showAsPerson());
    EXPECT_EQ(org->storedCompositeName(), u"Acme"_s);
    EXPECT_EQ(org->snsValues()[0].toMap().value(Key::Label).toString(), CN::SocialProfileServiceFacebook);
    EXPECT_EQ(org->uniqueId2(), u"AcmeSaleswork123Facebookacme"_s);
    EXPECT_EQ(org->contactFromCache().contactType, StoreContact::Type::Organization);

    // An unknown wrapped store label is unwrapped once and then kept as a custom label.
    StoreContact wrapped;
    wrapped.emailAddresses = { { u"_$!<Cousin>!$_"_s, u"c@x"_s } };
    const auto w = ZRPerson::fromStoreContact(wrapped);
    EXPECT_EQ(w->emailValues()[0].toMap().value(Key::Label).toString(), u"Cousin"_s);
    EXPECT_EQ(w->contactFromCache().emailAddresses[0].label, u"Cousin"_s);

    const auto empty = ZRPerson::fromStoreContact(StoreContact {});
    EXPECT_EQ(empty->storedCompositeName(), LabelText::NoName);
    EXPECT_EQ(empty->hagakiLayouts().size(), 1);
    EXPECT_TRUE(empty->phoneValues().isEmpty());
    EXPECT_TRUE(empty->thumbnail() != QImage());
}

TEST_F(ZRPersonStoreTest, BuiltContactFollowsEditsAndDefaults)
{
    StoreContact base = fullContact();
    const auto p = ZRPerson::fromStoreContact(base);
    p->replaceLabeledValueAtIndex(QVariantList { entry(u"home"_s, u""_s) }, Ident::Phone, 0);
    p->replaceLabeledValueAtIndex(
        QVariantList { QVariantMap { { Key::Value, u"anon"_s } } }, Ident::SocialNetwork, 0);
    p->replaceLabeledValueAtIndex(
        QVariantList { QVariantMap { { Key::Value, u"ima"_s }, { Key::Label, u"home"_s } } },
        Ident::InstantMessage, 0);
    p->setValueForIdentifier(u""_s, Ident::Company);
    p->setValueForIdentifier(u"Jiro"_s, Ident::Renmei);

    const StoreContact c = p->contactFromCache(&base);
    EXPECT_TRUE(c.phoneNumbers.isEmpty());
    ASSERT_EQ(c.extras().socialProfiles.size(), 1);
    // A new entry without a service: the label "No service" is its service.
    EXPECT_EQ(c.extras().socialProfiles[0].value.service, LabelText::NoService);
    ASSERT_EQ(c.extras().instantMessageAddresses.size(), 1);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].value.service, CN::InstantMessageServiceAIM);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].label, CN::LabelHome);
    // A cleared company is cleared in the contact, not left as the base had it.
    EXPECT_EQ(c.organizationName, u""_s);
    EXPECT_EQ(c.givenName, base.givenName);

    ZRPerson blank;
    blank.snsValues().append(QVariantMap { { CN::SocialProfileUsernameKey, u"u"_s } });
    blank.relationshipValues().append(QVariantMap { { Key::Value, u"Pat"_s } });
    blank.datesValues().append(
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { 2001, 1, 1 }) } });
    const StoreContact d = blank.contactFromCache();
    EXPECT_EQ(d.extras().socialProfiles.value(0).value.service, CN::SocialProfileServiceTwitter);
    // A related name or date without a label stays without one: no usual kind is made up for it.
    EXPECT_EQ(d.extras().contactRelations.value(0).label, u""_s);
    EXPECT_EQ(d.extras().dates.value(0).label, u""_s);
    // Fields never made are left as the base has them.
    EXPECT_EQ(blank.contactFromCache(&base).emailAddresses, base.emailAddresses);
}

TEST_F(ZRPersonStoreTest, VCardDataCarriesTheRecord)
{
    const auto p = ZRPerson::fromStoreContact(fullContact());
    const QByteArray data = p->vCardData();
    ASSERT_FALSE(data.isEmpty());
    EXPECT_TRUE(data.startsWith("BEGIN:VCARD"));
    EXPECT_TRUE(data.endsWith("\r\nEND:VCARD\r\n"));
    QString error;
    const QList<StoreContact> back = VCardSerialization::contactsWithData(data, &error);
    ASSERT_EQ(back.size(), 1) << error.toStdString();
    EXPECT_EQ(back[0].familyName, u"Yamada"_s);
    EXPECT_EQ(back[0].phoneNumbers.size(), 3);
}

TEST_F(ZRPersonStoreTest, AddressesFromTheStoreAreDerivedOnceAndAgainAfterTheDefaultsChange)
{
    StoreContact c = fullContact();
    c.postalAddresses.append({ CN::LabelWork,
        StorePostalAddress { u"9 Main St"_s, u"Springfield"_s, u"IL"_s, u"62701"_s, {}, {}, {}, {} } });
    // A change of the defaults after filling reaches the record: it reads as one filled under them.
    // (Filling one record first also loads the formats, so that loading them does not count as a change.)
    const QVariantList underUs = ZRPerson::fromStoreContact(c)->addressValues();
    const auto p = ZRPerson::fromStoreContact(c);
    ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::FamilyName);
    const QVariantList underJp = ZRPerson::fromStoreContact(c)->addressValues();
    EXPECT_EQ(p->addressValues(), underJp);
    EXPECT_NE(underJp.last().toMap().value(Key::StringValue), underUs.last().toMap().value(Key::StringValue))
        << "the address without a country follows the default country";

    // Filling derives every address; deriving them once more must change nothing, or the table's first
    // read (which no longer derives them) would show other texts than later reads.
    const auto q = ZRPerson::fromStoreContact(c);
    const QVariantList filled = q->addressValues();
    AddressFormats::formatsChanged();
    EXPECT_EQ(q->addressValues(), filled);
}
