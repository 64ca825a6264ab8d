#include "PersonTestSupport.h"
#include "model/StoreKeys.h"

#include <QDate>

using namespace Qt::StringLiterals;

class ZRPersonValuesTest : public PersonTest
{
};

TEST_F(ZRPersonValuesTest, LabelIndexesSurviveDeletionAndSorting)
{
    ZRPerson p;
    for (const char *number : { "300", "100", "200" })
        p.addLabeledValue(entry(u"home"_s, QString::fromLatin1(number)), Ident::Phone);
    EXPECT_EQ(labelIndexes(p.phoneValues()), (QList<qlonglong> { 0, 1, 2 }));

    p.deleteLabeledValueForIdentifierAtLabelIndex(Ident::Phone, 0);
    EXPECT_EQ(labelIndexes(p.phoneValues()), (QList<qlonglong> { 1, 2 }));
    EXPECT_EQ(
        p.labeledValueForIdentifierAtIndex(Ident::Phone, 0).toMap().value(Key::LabelIndex).toLongLong(), 1);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Phone, 2), u"200"_s);

    p.sortLabeledValueForSortDescriptor(Ident::Phone, false);
    EXPECT_EQ(labelIndexes(p.phoneValues()), (QList<qlonglong> { 2, 1 }));
    p.sortLabeledValueForSortDescriptor(Ident::Phone, true);
    EXPECT_EQ(labelIndexes(p.phoneValues()), (QList<qlonglong> { 1, 2 }));

    // Misses change nothing.
    for (qsizetype bad : { qsizetype(0), qsizetype(-1), ZRPerson::NotFound })
        p.deleteLabeledValueForIdentifierAtLabelIndex(Ident::Phone, bad);
    for (qsizetype bad : { qsizetype(2), qsizetype(-1), ZRPerson::NotFound })
        p.deleteLabeledValueForIdentifierAtIndex(Ident::Phone, bad);
    p.deleteLabeledValueForIdentifierAtIndex(Ident::Company, 0);
    EXPECT_EQ(p.phoneValues().size(), 2);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Phone, 7), u""_s);
    EXPECT_TRUE(p.labeledValueForIdentifierAtIndex(Ident::Phone, 2).isNull());
    EXPECT_TRUE(p.labeledValueForIdentifierAtLabelIndex(Ident::Phone, 0).isNull());
}

TEST_F(ZRPersonValuesTest, AddingNumbersAfterTheHighest)
{
    ZRPerson p;
    p.addLabeledValue(entry(u"work"_s, u"a@x"_s), Ident::Email);
    EXPECT_EQ(labelIndexes(p.emailValues()), (QList<qlonglong> { 0 }));
    p.replaceLabeledValueAtIndex(
        QVariantList { entry(u"home"_s, u"a"_s, 0), entry(u"home"_s, u"b"_s, 5) }, Ident::Email, 0);
    p.addLabeledValue(entry(u"home"_s, u"c"_s, 99), Ident::Email);
    EXPECT_EQ(labelIndexes(p.emailValues()), (QList<qlonglong> { 0, 5, 6 }));
    p.addLabeledValue(u"not an entry"_s, Ident::Email);
    p.addLabeledValue(entry(u"home"_s, u"x"_s), Ident::Company);
    EXPECT_EQ(p.emailValues().size(), 3);
}

TEST_F(ZRPersonValuesTest, WholeFieldReplacementNumbersNewEntries)
{
    ZRPerson p;
    p.replaceLabeledValueAtLabelIndex(
        QVariantList { entry(u""_s, u"111"_s), entry(u"mobile"_s, u"222"_s), u"junk"_s }, Ident::Phone, 42);
    const QVariantList &phones = p.phoneValues();
    ASSERT_EQ(phones.size(), 2);
    EXPECT_EQ(labelIndexes(phones), (QList<qlonglong> { 1, 2 }));
    EXPECT_EQ(phones[0].toMap().value(Key::StringValue).toString(), u"111"_s);
    EXPECT_EQ(phones[0].toMap().value(Key::Label).toString(), LabelText::NoLabel);

    // Entries without any number are numbered too, rather than colliding at 0.
    p.replaceLabeledValueAtIndex(
        QVariantList { entry(u"home"_s, u"1"_s, 3), entry(u"home"_s, u"2"_s, -2) }, Ident::URL, 0);
    EXPECT_EQ(labelIndexes(p.urlValues()), (QList<qlonglong> { 3, 4 }));
}

TEST_F(ZRPersonValuesTest, ReplacingOneEntryByNumberOrPosition)
{
    ZRPerson p;
    p.addLabeledValue(entry(u"home"_s, u"1"_s), Ident::Phone);
    p.addLabeledValue(entry(u"work"_s, u"2"_s), Ident::Phone);
    p.deleteLabeledValueForIdentifierAtLabelIndex(Ident::Phone, 0);

    QVariantMap e = p.labeledValueForIdentifierAtIndex(Ident::Phone, 0).toMap();
    e.insert(Key::Value, u"22"_s);
    p.replaceLabeledValueAtLabelIndex(e, Ident::Phone, 1);
    // The stored entry's display text is current at once, not only on the next read.
    EXPECT_EQ(p.phoneValues()[0].toMap().value(Key::StringValue).toString(), u"22"_s);

    e.insert(Key::Value, u"33"_s);
    p.replaceLabeledValueAtLabelIndex(e, Ident::Phone, 0); // no such number
    p.replaceLabeledValueAtIndex(e, Ident::Phone, 1); // no such position
    p.replaceLabeledValueAtIndex(42, Ident::Phone, 0); // not an entry
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"22"_s);
    p.replaceLabeledValueAtIndex(e, Ident::Phone, 0);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"33"_s);
    EXPECT_EQ(p.phoneValues().size(), 1);
}

TEST_F(ZRPersonValuesTest, NewAddressesGetPairedLayouts)
{
    ZRPerson p;
    QVariantMap home { { Key::Label, u"home"_s }, { Ident::City, u"Osaka"_s }, { Key::LabelIndex, 0 } };
    QVariantMap work { { Key::Label, u"work"_s }, { Ident::City, u"Kobe"_s }, { Key::LabelIndex, -1 } };
    QVariantMap other { { Key::Label, u"other"_s }, { Ident::City, u"Nara"_s }, { Key::LabelIndex, -1 } };
    p.setValueForIdentifier(QVariantList { home, work, other }, Ident::Address);
    EXPECT_EQ(labelIndexes(p.addressValues()), (QList<qlonglong> { 0, 1, 2 }));
    // The blank record's layout 0 pairs with the first address; the new ones get their own numbers.
    ASSERT_EQ(p.hagakiLayouts().size(), 3);
    EXPECT_EQ(labelIndexes(p.hagakiLayouts()), (QList<qlonglong> { 0, 1, 2 }));
    EXPECT_EQ(p.hagakiLayouts()[2].toMap().value(Key::Label).toString(), u"other"_s);
    EXPECT_FALSE(p.stringValueForIdentifierAtLabelIndex(Ident::Address, 1).isEmpty());
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::City, 2), u"Nara"_s);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::City, 9), u""_s);
}

TEST_F(ZRPersonValuesTest, HagakiLayoutsByString)
{
    ZRPerson p;
    p.replaceLabeledValueAtLabelIndex(u"3;rn:{{1,2},{3,4}};"_s, Ident::HagakiLayout, 2);
    ASSERT_EQ(p.hagakiLayouts().size(), 3);
    const QVariantMap layout = p.labeledValueForIdentifierAtLabelIndex(Ident::HagakiLayout, 2).toMap();
    EXPECT_EQ(layout.value(Key::StringValue).toString(), u"3;rn:{{1,2},{3,4}};"_s);
    EXPECT_TRUE(layout.value(Key::Sender).toBool());
    EXPECT_TRUE(layout.value(Key::Company).toBool());
    EXPECT_FALSE(layout.value(Key::Renmei).toBool());
    EXPECT_EQ(layout.value(Key::ReceiverName).toString(), u"{{1,2},{3,4}}"_s);

    // Null and absurd numbers change nothing (and never grow the list without bound).
    p.replaceLabeledValueAtLabelIndex(QVariant(), Ident::HagakiLayout, 0);
    p.replaceLabeledValueAtLabelIndex(u"1;"_s, Ident::HagakiLayout, ZRPerson::NotFound);
    p.replaceLabeledValueAtLabelIndex(u"1;"_s, Ident::HagakiLayout, -1);
    EXPECT_EQ(p.hagakiLayouts().size(), 3);

    p.setValueForIdentifier(QVariantList { QVariantMap { { Key::LabelIndex, 0 } } }, Ident::HagakiLayout);
    EXPECT_EQ(p.hagakiLayouts().size(), 1);
    EXPECT_EQ(p.valueForIdentifier(Ident::HagakiLayout).toList().size(), 1);
}

TEST_F(ZRPersonValuesTest, DerivationsPerField)
{
    struct Row
    {
        const char *what;
        QString identifier;
        QVariantMap in;
        QVariantMap expected; // keys that must have these values
        QStringList absent; // keys that must not be there
    };
    const QString user = CN::SocialProfileUsernameKey;
    const QString service = CN::SocialProfileServiceKey;
    const Row rows[] = {
        { "email split at the first @", Ident::Email, { { Key::Value, u"taro@ex@ample.jp"_s } },
            { { Key::Username, u"taro"_s }, { Key::Domain, u"ex@ample.jp"_s },
                { Key::Label, LabelText::NoLabel } },
            {} },
        { "email ending with @ gets neither part", Ident::Email,
            { { Key::Value, u"taro@"_s }, { Key::Username, u"stale"_s } },
            { { Key::StringValue, u"taro@"_s } }, { Key::Username, Key::Domain } },
        { "email starting with @ has only a domain", Ident::Email, { { Key::Value, u"@x"_s } },
            { { Key::Domain, u"x"_s } }, { Key::Username } },
        { "social network without label", Ident::SocialNetwork, { { Key::Value, u"tw"_s } },
            { { Key::Label, LabelText::NoService }, { service, LabelText::NoService }, { user, u"tw"_s },
                { Key::StringValue, u"tw"_s } },
            {} },
        { "social network with an empty label keeps it", Ident::SocialNetwork, { { Key::Label, u""_s } },
            { { Key::Label, u""_s }, { user, u""_s }, { Key::StringValue, u""_s } }, {} },
        { "instant message joins service and user", Ident::InstantMessage,
            { { CN::InstantMessageAddressServiceKey, u"Skype"_s }, { Key::Value, u"bob"_s } },
            { { Key::StringValue, u"Skype:bob"_s }, { Key::Label, LabelText::NoLabel } }, {} },
        { "instant message with nothing", Ident::InstantMessage, {}, { { Key::StringValue, u""_s } }, {} },
        { "date from a QDate", Ident::Dates, { { Key::Value, QDate(2024, 2, 29) } },
            { { Key::Value, QVariant::fromValue(DateComponents { 2024, 2, 29 }) },
                { Key::StringValue, u"2024.02.29(Thu)"_s } },
            {} },
        { "date given as text has no display text", Ident::Dates, { { Key::Value, u"2024-01-01"_s } },
            { { Key::StringValue, u""_s } }, {} },
        { "impossible date", Ident::Dates,
            { { Key::Value, QVariant::fromValue(DateComponents { 2023, 2, 29 }) } },
            { { Key::StringValue, u""_s } }, {} },
        { "year-less date", Ident::Dates,
            { { Key::Value, QVariant::fromValue(DateComponents { 0, 12, 24 }) } },
            { { Key::StringValue, u"12.24"_s } }, {} },
        { "relationship", Ident::Relationship, { { Key::Value, u"Ken"_s }, { Key::Label, u"son"_s } },
            { { Key::StringValue, u"Ken"_s }, { Key::Label, u"son"_s } }, {} },
    };
    for (const Row &r : rows) {
        QVariantMap e = r.in;
        ZRPerson::deriveEntry(e, r.identifier);
        for (auto it = r.expected.cbegin(); it != r.expected.cend(); ++it)
            EXPECT_EQ(e.value(it.key()), it.value()) << r.what << ": " << it.key().toStdString();
        for (const QString &k : r.absent)
            EXPECT_FALSE(e.contains(k)) << r.what << ": " << k.toStdString();
    }
}

TEST_F(ZRPersonValuesTest, BirthdayFromEveryKindOfValue)
{
    ZRPerson p;
    p.setValueForIdentifier(QDate(2000, 1, 1), Ident::Birthday);
    EXPECT_EQ(p.birthdayValue().value(Key::Value).value<DateComponents>(), (DateComponents { 2000, 1, 1 }));
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0), u"2000.01.01(Sat)"_s);

    p.setValueForIdentifier(
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { 1985, 7, 7 }) } }, Ident::Birthday);
    EXPECT_EQ(p.birthdayValue().value(Key::StringValue).toString(), u"1985.07.07(Sun)"_s);

    p.setValueForIdentifier(u"yesterday"_s, Ident::Birthday);
    EXPECT_EQ(p.birthdayValue(), (QVariantMap { { Key::StringValue, u""_s } }));

    p.setValueForIdentifier(QVariant(), Ident::Birthday);
    EXPECT_TRUE(p.contactFromCache().birthday == std::nullopt);
    EXPECT_TRUE(p.birthdayValue().isEmpty());

    p.setValueForIdentifier(QDate(2000, 1, 1), Ident::Birthday);
    p.deleteValueForIdentifier(Ident::Birthday);
    EXPECT_EQ(p.birthdayValue(), (QVariantMap { { Key::StringValue, u""_s } }));
}

TEST_F(ZRPersonValuesTest, NamePartsAndPhoneticName)
{
    ZRPerson p;
    p.setValueForIdentifier(u"Yamada"_s, Ident::LastName);
    p.setValueForIdentifier(u"Taro"_s, Ident::FirstName);
    p.setNameOrdering(2);
    EXPECT_EQ(p.compositeName(), u"Yamada Taro"_s);
    p.setValueForIdentifier(u"taro"_s, Ident::PhoneticFirstName);
    p.setValueForIdentifier(u"yamada"_s, Ident::PhoneticLastName);
    p.setValueForIdentifier(u"x"_s, Ident::PhoneticMiddleName);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::PhoneticName, 0), u"yamada taro"_s);

    p.deleteValueForIdentifier(Ident::PhoneticFirstName);
    EXPECT_EQ(p.valueForIdentifier(Ident::PhoneticFirstName).toString(), u""_s);
    EXPECT_EQ(p.valueForIdentifier(Ident::PhoneticLastName).toString(), u"yamada"_s);
    EXPECT_EQ(p.phoneticNameValue().value(Key::StringValue).toString(), u"yamada"_s);

    p.deleteValueForIdentifier(Ident::FirstName);
    EXPECT_EQ(p.storedCompositeName(), u"Yamada"_s);
    p.setShowAsPerson(false);
    p.deleteValueForIdentifier(Ident::Name);
    EXPECT_TRUE(p.showAsPerson());
    EXPECT_EQ(p.storedCompositeName(), LabelText::NoName);

    // Values of the wrong kind leave the record as it was.
    p.setValueForIdentifier(u"Eve"_s, Ident::FirstName);
    p.setValueForIdentifier(42, Ident::FirstName);
    p.setValueForIdentifier(u"not a dictionary"_s, Ident::Name);
    p.setValueForIdentifier(42, Ident::Company);
    p.setValueForIdentifier(u"x"_s, u"Bogus"_s);
    EXPECT_EQ(p.valueForIdentifier(Ident::FirstName).toString(), u"Eve"_s);
    EXPECT_FALSE(p.stringValues().contains(Ident::Company));
    EXPECT_TRUE(p.valueForIdentifier(u"Bogus"_s).isNull());
}

TEST_F(ZRPersonValuesTest, ReadsAreCopiesAndGettersAreTheStore)
{
    ZRPerson p;
    p.addLabeledValue(entry(u"home"_s, u"1"_s), Ident::Phone);
    QVariantList copy = p.valueForIdentifier(Ident::Phone).toList();
    copy.clear();
    EXPECT_EQ(p.phoneValues().size(), 1);
    p.phoneValues().clear();
    EXPECT_TRUE(p.valueForIdentifier(Ident::Phone).toList().isEmpty());
    p.setValueForIdentifier(u"Jiro"_s, Ident::Renmei);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Renmei, 0), u"Jiro"_s);
    p.setValueForIdentifier(QVariant(), Ident::Renmei);
    EXPECT_FALSE(p.stringValues().contains(Ident::Renmei));
}
