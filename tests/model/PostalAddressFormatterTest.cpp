#include "model/PostalAddressFormatter.h"

#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/StoreContact.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

StorePostalAddress postal(const QString &code, const QString &street, const QString &city,
    const QString &state, const QString &zip, const QString &country)
{
    StorePostalAddress a;
    a.isoCountryCode = code;
    a.street = street;
    a.city = city;
    a.state = state;
    a.postalCode = zip;
    a.country = country;
    return a;
}

class PostalAddressFormatterTest : public ::testing::Test
{
protected:
    void SetUp() override { ContactDefaults::overrideForTesting(u"jp"_s, ContactDefaults::SortOrder::None); }
    void TearDown() override
    {
        ContactDefaults::overrideForTesting(QString(), ContactDefaults::SortOrder::None);
    }
};

} // namespace

TEST_F(PostalAddressFormatterTest, FollowsEachCountrysConvention)
{
    const struct
    {
        const char *what;
        StorePostalAddress address;
        QString expected;
    } rows[] = {
        { "Japan: postal mark, then big to small",
            postal(u"JP"_s, u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u"100-0001"_s, u"日本"_s),
            u"〒100-0001\n東京都千代田区千代田1-1\n日本"_s },
        { "United States", postal(u"US"_s, u"1 Main St"_s, u"Springfield"_s, u"IL"_s, u"62701"_s, u"USA"_s),
            u"1 Main St\nSpringfield, IL 62701\nUSA"_s },
        { "Germany", postal(u"DE"_s, u"Hauptstraße 5"_s, u"Berlin"_s, u""_s, u"10115"_s, u"Deutschland"_s),
            u"Hauptstraße 5\n10115 Berlin\nDeutschland"_s },
        { "United Kingdom", postal(u"GB"_s, u"10 Downing St"_s, u"London"_s, u""_s, u"SW1A 2AA"_s, u"UK"_s),
            u"10 Downing St\nLondon\nSW1A 2AA\nUK"_s },
        { "China", postal(u"CN"_s, u"中关村大街1号"_s, u"海淀区"_s, u"北京市"_s, u"100080"_s, u"中国"_s),
            u"中国\n北京市海淀区\n中关村大街1号\n100080"_s },
        { "Korea", postal(u"KR"_s, u"세종대로 209"_s, u"종로구"_s, u"서울특별시"_s, u"03154"_s, u""_s),
            u"서울특별시 종로구\n세종대로 209\n03154"_s },
        { "Taiwan", postal(u"TW"_s, u"重慶南路一段122號"_s, u"中正區"_s, u"臺北市"_s, u"100"_s, u""_s),
            u"100\n臺北市中正區重慶南路一段122號"_s },
        { "France", postal(u"FR"_s, u"1 rue de Rivoli"_s, u"Paris"_s, u""_s, u"75001"_s, u"France"_s),
            u"1 rue de Rivoli\n75001 Paris\nFrance"_s },
        { "code in lower case", postal(u"de"_s, u"Weg 1"_s, u"Bonn"_s, u""_s, u"53111"_s, u""_s),
            u"Weg 1\n53111 Bonn"_s },
    };
    for (const auto &row : rows)
        EXPECT_EQ(AddressFormats::shared().mailingAddress(row.address), row.expected) << row.what;
}

TEST_F(PostalAddressFormatterTest, MissingPartsLeaveNoBlankLinesOrDanglingSeparators)
{
    const struct
    {
        const char *what;
        StorePostalAddress address;
        QString expected;
    } rows[] = {
        { "US without state", postal(u"US"_s, u"1 Main"_s, u"Springfield"_s, u""_s, u"62701"_s, u""_s),
            u"1 Main\nSpringfield, 62701"_s },
        { "US without city", postal(u"US"_s, u"1 Main"_s, u""_s, u"IL"_s, u"62701"_s, u""_s),
            u"1 Main\nIL 62701"_s },
        { "US without postal code", postal(u"US"_s, u"1 Main"_s, u"Springfield"_s, u"IL"_s, u""_s, u""_s),
            u"1 Main\nSpringfield, IL"_s },
        { "Japan without postal code drops the mark",
            postal(u"JP"_s, u"千代田1-1"_s, u"千代田区"_s, u"東京都"_s, u""_s, u""_s),
            u"東京都千代田区千代田1-1"_s },
        { "street of two lines, blank ones dropped",
            postal(u"US"_s, u"  1 Main St \r\n\n Apt 2 "_s, u"Springfield"_s, u"IL"_s, u"62701"_s, u""_s),
            u"1 Main St\nApt 2\nSpringfield, IL 62701"_s },
        { "spaces only count as empty", postal(u"DE"_s, u"   "_s, u" "_s, u""_s, u"10115"_s, u"  "_s),
            u"10115"_s },
        { "nothing", postal(u"US"_s, {}, {}, {}, {}, {}), QString() },
    };
    for (const auto &row : rows)
        EXPECT_EQ(AddressFormats::shared().mailingAddress(row.address), row.expected) << row.what;

    StorePostalAddress withExtras
        = postal(u"US"_s, u"1 Main"_s, u"Springfield"_s, u"IL"_s, u"62701"_s, u""_s);
    withExtras.subLocality = u"Suite 100"_s;
    withExtras.subAdministrativeArea = u"PO Box 7"_s;
    EXPECT_EQ(AddressFormats::shared().mailingAddress(withExtras),
        u"1 Main\nSuite 100\nPO Box 7\nSpringfield, IL 62701"_s);
}

TEST_F(PostalAddressFormatterTest, ConventionComesFromCodeThenNameThenTheUsersCountry)
{
    const AddressFormats &formats = AddressFormats::shared();
    EXPECT_EQ(formats.conventionCountryCode(postal(u"fr"_s, {}, {}, {}, {}, u"Japan"_s)), u"FR"_s);
    EXPECT_EQ(formats.conventionCountryCode(postal({}, {}, {}, {}, {}, u"Germany"_s)), u"DE"_s);
    EXPECT_EQ(formats.conventionCountryCode(postal({}, {}, {}, {}, {}, u"Nowhere"_s)), u"JP"_s);
    // An unknown code takes the generic template.
    EXPECT_EQ(
        AddressFormats::shared().mailingAddress(postal(u"XQ"_s, u"St 1"_s, u"C"_s, u"S"_s, u"Z"_s, u"Q"_s)),
        u"St 1\nC S Z\nQ"_s);
}

TEST(PostalAddressFormatterRender, TemplatesWithOddCharactersRenderLiterally)
{
    const StorePostalAddress a = postal({}, u"St"_s, u"C"_s, u""_s, u"Z"_s, u""_s);
    EXPECT_EQ(PostalAddressFormatter::render(u"100%% %A"_s, a), u"100% St"_s);
    EXPECT_EQ(PostalAddressFormatter::render(u"%Q %A%"_s, a), u"%Q St%"_s);
    EXPECT_EQ(PostalAddressFormatter::render(u"(%S) %C [%Z]"_s, a), u"C [Z]"_s);
    EXPECT_EQ(PostalAddressFormatter::render(u"\n\n%S\n"_s, a), QString());
    EXPECT_EQ(PostalAddressFormatter::render(QString(), a), QString());
}
