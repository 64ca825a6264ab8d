#include "PersonTestSupport.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

class ZRPersonRecordTest : public PersonTest
{
};

TEST_F(ZRPersonRecordTest, BlankRecordIsACompletePerson)
{
    ZRPerson p;
    EXPECT_EQ(p.uniqueId().size(), 36);
    EXPECT_NE(p.uniqueId(), ZRPerson().uniqueId());
    EXPECT_TRUE(p.showAsPerson());
    EXPECT_TRUE(p.created());
    EXPECT_EQ(p.compositeName(), LabelText::NoName);
    EXPECT_EQ(p.defaultCountryCode(), u"us"_s);
    EXPECT_EQ(p.defaultNameOrdering(), 1);
    ASSERT_EQ(p.hagakiLayouts().size(), 1);
    EXPECT_EQ(p.hagakiLayouts().first().toMap().value(Key::LabelIndex).toLongLong(), 0);
    EXPECT_TRUE(p.stringValues().isEmpty());
}

TEST_F(ZRPersonRecordTest, ComposedNameFollowsOrderAndFallbacks)
{
    struct Row
    {
        QString first, middle, last;
        int order;
        ContactDefaults::SortOrder system;
        QString expected;
    };
    using S = ContactDefaults::SortOrder;
    const Row rows[] = {
        { u"Taro"_s, u""_s, u"Yamada"_s, 1, S::GivenName, u"Taro Yamada"_s },
        { u"Taro"_s, u""_s, u"Yamada"_s, 2, S::GivenName, u"Yamada Taro"_s },
        // order 0 asks the user's sort order
        { u"Taro"_s, u""_s, u"Yamada"_s, 0, S::FamilyName, u"Yamada Taro"_s },
        { u"Taro"_s, u""_s, u"Yamada"_s, 0, S::GivenName, u"Taro Yamada"_s },
        // the middle name is never joined, only a last resort
        { u"Ann"_s, u"Q"_s, u"Lee"_s, 1, S::GivenName, u"Ann Lee"_s },
        { u""_s, u"Q"_s, u""_s, 1, S::GivenName, u"Q"_s },
        { u""_s, u"Q"_s, u"Lee"_s, 2, S::GivenName, u"Lee"_s },
        { u"Ann"_s, u"Q"_s, u""_s, 2, S::GivenName, u"Ann"_s },
        { u""_s, u""_s, u""_s, 1, S::GivenName, u""_s },
    };
    for (const Row &r : rows) {
        ContactDefaults::overrideForTesting(u"us"_s, r.system);
        const QVariantMap dict { { Ident::FirstName, r.first }, { Ident::MiddleName, r.middle },
            { Ident::LastName, r.last }, { Key::NameOrdering, r.order } };
        EXPECT_EQ(ZRPerson::compositeNameFromNameDict(dict), r.expected) << r.first.toStdString() << r.order;
    }
}

TEST_F(ZRPersonRecordTest, DisplayNameOfPersonAndCompany)
{
    ZRPerson p;
    p.setValueForIdentifier(u"Hanako"_s, Ident::FirstName);
    EXPECT_EQ(p.compositeName(), u"Hanako"_s);
    p.setShowAsPerson(false);
    // A company without a company name shows "No Name" even though it has a personal name.
    EXPECT_EQ(p.compositeName(), LabelText::NoName);
    p.setValueForIdentifier(u"Acme"_s, Ident::Company);
    EXPECT_EQ(p.storedCompositeName(), u"Acme"_s);
    p.setValueForIdentifier(u""_s, Ident::Company);
    EXPECT_FALSE(p.stringValues().contains(Ident::Company));
    EXPECT_EQ(p.storedCompositeName(), LabelText::NoName);
    // The property and the name dictionary agree in both directions.
    EXPECT_FALSE(p.nameValue().value(Key::ShowAsPerson).toBool());
    QVariantMap name = p.valueForIdentifier(Ident::Name).toMap();
    name.insert(Key::ShowAsPerson, true);
    p.setValueForIdentifier(name, Ident::Name);
    EXPECT_TRUE(p.showAsPerson());
    EXPECT_EQ(p.storedCompositeName(), u"Hanako"_s);
}

TEST_F(ZRPersonRecordTest, ValueTypesAndDisplayNamesOfIdentifiers)
{
    EXPECT_EQ(ZRPerson::typeForIdentifier(Ident::Renmei), Ident::StringValueType);
    EXPECT_EQ(ZRPerson::typeForIdentifier(Ident::Phone), Ident::LabeledValueType);
    EXPECT_EQ(ZRPerson::typeForIdentifier(Ident::Birthday), Ident::DictionaryValueType);
    EXPECT_TRUE(ZRPerson::typeForIdentifier(Ident::Photo).isNull());
    EXPECT_TRUE(ZRPerson::typeForIdentifier(u"Bogus"_s).isNull());

    EXPECT_EQ(ZRPerson::allIdentifiers().size(), 19);
    EXPECT_EQ(ZRPerson::labeledIdentifiers().size(), 8);
    EXPECT_EQ(ZRPerson::stringIdentifiers().size(), 8);
    EXPECT_EQ(ZRPerson::CNIdentifiers().size(), 20);
    EXPECT_FALSE(ZRPerson::allIdentifiers().contains(Ident::Renmei));

    EXPECT_EQ(ZRPerson::localizedIdentifierForKey(Ident::Title), u"Prefix"_s);
    EXPECT_EQ(ZRPerson::localizedIdentifierForKey(Ident::ZIP), u"ZIP"_s);
    EXPECT_EQ(ZRPerson::localizedIdentifierForKey(Ident::Renmei), Ident::Renmei);
}

TEST_F(ZRPersonRecordTest, CopyTakesFieldsButNotIdentityJointNamesOrLayouts)
{
    ZRPerson p;
    p.setValueForIdentifier(u"Ichiro"_s, Ident::FirstName);
    p.setValueForIdentifier(u"Suzuki"_s, Ident::LastName);
    p.setValueForIdentifier(u"Jiro"_s, Ident::Renmei);
    p.setValueForIdentifier(u"Acme"_s, Ident::Company);
    p.addLabeledValue(entry(u"mobile"_s, u"090-1111-2222"_s), Ident::Phone);
    p.addLabeledValue(QVariantMap { { Key::Label, u"home"_s }, { Ident::City, u"Kyoto"_s } }, Ident::Address);
    p.setValueForIdentifier(QVariant::fromValue(DateComponents { 1990, 5, 3 }), Ident::Birthday);
    p.setNameOrdering(2);
    p.setChanged(true);
    p.setUniqueId2(u"fingerprint"_s);

    const auto c = p.copy();
    EXPECT_NE(c->uniqueId(), p.uniqueId());
    EXPECT_TRUE(c->created());
    EXPECT_FALSE(c->changed());
    EXPECT_TRUE(c->uniqueId2().isEmpty());
    EXPECT_EQ(c->valueForIdentifier(Ident::Renmei).toString(), u""_s);
    EXPECT_EQ(c->compositeName(), u"Suzuki Ichiro"_s);
    EXPECT_EQ(c->nameOrdering(), 2);
    EXPECT_EQ(c->valueForIdentifier(Ident::Phone), p.valueForIdentifier(Ident::Phone));
    EXPECT_EQ(c->valueForIdentifier(Ident::Address), p.valueForIdentifier(Ident::Address));
    EXPECT_EQ(c->stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0), u"1990.05.03(Thu)"_s);
    EXPECT_EQ(c->valueForIdentifier(Ident::Company).toString(), u"Acme"_s);
    // Copies are independent.
    c->setValueForIdentifier(u"Other"_s, Ident::Company);
    EXPECT_EQ(p.valueForIdentifier(Ident::Company).toString(), u"Acme"_s);
}

TEST_F(ZRPersonRecordTest, MadeUpUniqueIdIsKept)
{
    ZRPerson p;
    p.setUniqueId(QString());
    p.setValueForIdentifier(u"Mia"_s, Ident::FirstName);
    const QString id = p.uniqueId();
    EXPECT_TRUE(id.startsWith(u"Mia+"_s)) << id.toStdString();
    EXPECT_EQ(p.uniqueId(), id);

    ZRPerson nameless;
    nameless.setUniqueId(QString());
    EXPECT_TRUE(nameless.uniqueId().startsWith(PersonUniqueIdFallbackName + u'+'));
}

TEST_F(ZRPersonRecordTest, PlaceholderThumbnailsForPersonAndCompany)
{
    ZRPerson p;
    EXPECT_TRUE(p.photo().isNull());
    EXPECT_TRUE(p.valueForIdentifier(Ident::Photo).isNull());
    const QImage person = p.thumbnail();
    p.setShowAsPerson(false);
    const QImage company = p.thumbnail();
    ASSERT_FALSE(person.isNull());
    ASSERT_FALSE(company.isNull());
    EXPECT_NE(person, company);

    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    p.setValueForIdentifier(red, Ident::Photo);
    EXPECT_FALSE(p.imageData().isEmpty());
    EXPECT_EQ(p.photo().pixel(1, 1), red.pixel(1, 1));
    EXPECT_EQ(p.thumbnail().size(), QSize(4, 4));
    p.setValueForIdentifier(QVariant(), Ident::Photo);
    EXPECT_TRUE(p.imageData().isEmpty());
    // Bytes that are no image give no photo rather than a crash.
    p.setImageData("not an image");
    EXPECT_TRUE(p.photo().isNull());
    EXPECT_TRUE(p.valueForIdentifier(Ident::Photo).isNull());
    EXPECT_FALSE(p.thumbnail().isNull());
}

TEST_F(ZRPersonRecordTest, ShowAsPersonAndNameOrderingTakeEffectAtOnce)
{
    ZRPerson person;
    person.setValueForIdentifier(QStringLiteral("Ann"), Ident::FirstName);
    person.setValueForIdentifier(QStringLiteral("Lee"), Ident::LastName);
    person.setValueForIdentifier(QStringLiteral("ACME"), Ident::Company);
    person.setShowAsPerson(false);
    EXPECT_FALSE(person.showAsPerson());
    EXPECT_EQ(person.storedCompositeName(), QStringLiteral("ACME"));
    EXPECT_FALSE(person.nameValue().value(Key::ShowAsPerson).toBool());
    person.setShowAsPerson(true);
    person.setNameOrdering(2);
    EXPECT_EQ(person.nameOrdering(), 2);
    EXPECT_EQ(person.storedCompositeName(), QStringLiteral("Lee Ann"));
}
