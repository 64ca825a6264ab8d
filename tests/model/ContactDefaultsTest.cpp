#include "model/ContactDefaults.h"

#include "model/StoreContact.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ContactDefaults::NameOrder;
using ContactDefaults::SortOrder;

namespace {

// Starts and ends each test with no settings and no override.
class ContactDefaultsSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ContactDefaults::overrideForTesting(QString(), SortOrder::None);
        ContactDefaults::configure({});
    }
    void TearDown() override
    {
        ContactDefaults::configure({});
        ContactDefaults::overrideForTesting(QString(), SortOrder::None);
    }
};

StoreContact named(const QString &given, const QString &family)
{
    StoreContact contact;
    contact.givenName = given;
    contact.familyName = family;
    return contact;
}

} // namespace

TEST_F(ContactDefaultsSettings, CountryCodeComesFromOverrideSettingsOrLocale)
{
    const QString fromLocale = ContactDefaults::countryCode();
    EXPECT_EQ(fromLocale.size(), 2);
    EXPECT_EQ(fromLocale, fromLocale.toLower());

    ContactDefaults::configure({ u"JP"_s, {} });
    EXPECT_EQ(ContactDefaults::countryCode(), u"jp"_s);

    // Values that are not a two-letter code are ignored rather than spread into every address.
    for (const QString &bad : { u"japan"_s, u"j"_s, u"1x"_s, u"日本"_s, u""_s }) {
        ContactDefaults::configure({ bad, {} });
        EXPECT_EQ(ContactDefaults::countryCode(), fromLocale) << bad.toStdString();
    }

    ContactDefaults::overrideForTesting(u"DE"_s, SortOrder::None);
    EXPECT_EQ(ContactDefaults::countryCode(), u"de"_s);
    ContactDefaults::overrideForTesting(QString(), SortOrder::None);
    EXPECT_EQ(ContactDefaults::countryCode(), fromLocale);
}

TEST_F(ContactDefaultsSettings, SortOrderComesFromOverrideSettingsOrLocale)
{
    const SortOrder fromLocale = ContactDefaults::sortOrder();
    EXPECT_NE(fromLocale, SortOrder::None);

    ContactDefaults::configure({ {}, u"Family"_s });
    EXPECT_EQ(ContactDefaults::sortOrder(), SortOrder::FamilyName);
    ContactDefaults::configure({ {}, u"given"_s });
    EXPECT_EQ(ContactDefaults::sortOrder(), SortOrder::GivenName);
    ContactDefaults::configure({ {}, u"sideways"_s });
    EXPECT_EQ(ContactDefaults::sortOrder(), fromLocale);

    ContactDefaults::overrideForTesting(QString(), SortOrder::FamilyName);
    EXPECT_EQ(ContactDefaults::sortOrder(), SortOrder::FamilyName);
}

TEST(ContactDefaultsNameOrder, ScriptOfTheNameThenTheLocale)
{
    const struct
    {
        const char *what;
        StoreContact contact;
        QString language;
        NameOrder expected;
    } rows[] = {
        { "kanji", named(u"太郎"_s, u"山田"_s), u"en"_s, NameOrder::FamilyNameFirst },
        { "hiragana given name only", named(u"はなこ"_s, u""_s), u"en"_s, NameOrder::FamilyNameFirst },
        { "katakana", named(u""_s, u"スミス"_s), u"de"_s, NameOrder::FamilyNameFirst },
        { "hangul", named(u"민준"_s, u"김"_s), u"en"_s, NameOrder::FamilyNameFirst },
        { "Han outside the BMP", named(u"𠮷"_s, u"Smith"_s), u"en"_s, NameOrder::FamilyNameFirst },
        { "latin, English locale", named(u"John"_s, u"Smith"_s), u"en"_s, NameOrder::GivenNameFirst },
        { "latin, Hungarian locale", named(u"János"_s, u"Kovács"_s), u"hu"_s, NameOrder::FamilyNameFirst },
        { "latin, Japanese locale", named(u"John"_s, u"Smith"_s), u"ja"_s, NameOrder::FamilyNameFirst },
        { "latin, Vietnamese locale", named(u"An"_s, u"Nguyen"_s), u"vi"_s, NameOrder::FamilyNameFirst },
        { "Cyrillic", named(u"Иван"_s, u"Иванов"_s), u"ru"_s, NameOrder::GivenNameFirst },
        { "no name", named(u""_s, u""_s), u"fr"_s, NameOrder::GivenNameFirst },
    };
    for (const auto &row : rows)
        EXPECT_EQ(ContactDefaults::nameOrderForContact(row.contact, row.language), row.expected) << row.what;
}
