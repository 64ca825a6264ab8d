#include "model/AddressFormats.h"

#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A small table whose orders are easy to read in the expectations.
const QByteArray SmallTable = R"({"AddressFormat": [
  {"CountryCode": "JP", "Country": "JAPAN", "Alpha3": "JPN", "formatString": "ZIP State City Street"},
  {"CountryCode": "US", "Country": "UNITED STATES", "Alpha3": "USA", "formatString": "Street City State ZIP Country"},
  {"CountryCode": "DE", "Country": "GERMANY", "Alpha3": "DEU", "formatString": "Street\u200E ZIP  City\nCountry"},
  {"CountryCode": "XB", "Country": "BLANKLAND", "Alpha3": "XBL", "formatString": "  "}
]})";

AddressFormats smallFormats(const QString &language = u"en"_s)
{
    AddressFormats formats;
    formats.setRegion(u"JP"_s);
    formats.load(SmallTable, language);
    return formats;
}

QVariantMap address(const QString &code, const QString &zip, const QString &state, const QString &city,
    const QString &street, const QString &country = QString())
{
    return { { CN::PostalAddressISOCountryCodeKey, code }, { Ident::ZIP, zip }, { Ident::State, state },
        { Ident::City, city }, { Ident::Street, street }, { Ident::Country, country } };
}

class AddressFormatsDefaults : public ::testing::Test
{
protected:
    void SetUp() override { ContactDefaults::overrideForTesting(u"us"_s, ContactDefaults::SortOrder::None); }
    void TearDown() override
    {
        ContactDefaults::overrideForTesting(QString(), ContactDefaults::SortOrder::None);
    }
};

} // namespace

TEST(AddressFormatsResource, HoldsEnoughDistinctWellFormedCountries)
{
    QFile file(u":/AddressFormat.json"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    ASSERT_TRUE(document.isObject());

    const QVariantList table = AddressFormats::shared().addressFormatTable();
    EXPECT_GE(table.size(), 80);
    EXPECT_EQ(table.size(), document.object().value(u"AddressFormat"_s).toArray().size());

    const QSet<QString> parts { Ident::Street, Ident::City, Ident::State, Ident::ZIP, Ident::Country };
    QSet<QString> codes, alpha3s, names;
    for (const QVariant &value : table) {
        const QVariantMap country = value.toMap();
        const QString code = country.value(AddressFormatKey::CountryCode).toString();
        SCOPED_TRACE(code.toStdString());
        EXPECT_TRUE(code.size() == 2 && code == code.toUpper());
        const QString alpha3 = country.value(AddressFormatKey::Alpha3).toString();
        EXPECT_TRUE(alpha3.size() == 3 && alpha3 == alpha3.toUpper());
        const QString name = country.value(AddressFormatKey::Country).toString();
        EXPECT_TRUE(!name.isEmpty() && name == name.toUpper());
        EXPECT_FALSE(country.value(AddressFormatKey::DisplayName).toString().isEmpty());
        EXPECT_FALSE(country.value(AddressFormatKey::MailingFormat).toString().isEmpty());
        codes.insert(code);
        alpha3s.insert(alpha3);
        names.insert(name);

        // Every token names a part, none twice, and street, city and postal code are never forgotten
        // (countries without postal codes aside).
        const QStringList order = country.value(AddressFormatKey::Order).toStringList();
        EXPECT_EQ(QSet<QString>(order.cbegin(), order.cend()).size(), order.size());
        for (const QString &token : order)
            EXPECT_TRUE(parts.contains(token)) << token.toStdString();
        EXPECT_TRUE(order.contains(Ident::Street));
        EXPECT_TRUE(order.contains(Ident::City));
    }
    EXPECT_EQ(codes.size(), table.size());
    EXPECT_EQ(alpha3s.size(), table.size());
    EXPECT_EQ(names.size(), table.size());

    // The G20 members and the other countries vCards commonly come from.
    for (const char *code : { "AR", "AU", "BR", "CA", "CN", "FR", "DE", "IN", "ID", "IT", "JP", "KR", "MX",
             "RU", "SA", "ZA", "TR", "GB", "US", "ES", "NL", "CH", "SE", "TW", "HK", "SG", "TH", "VN", "PH",
             "MY", "NZ", "IE", "PL", "AT", "BE", "PT", "IL", "AE", "EG", "NG" })
        EXPECT_TRUE(codes.contains(QString::fromLatin1(code))) << code;

    EXPECT_EQ(
        AddressFormats::shared().countryFormat(u"jp"_s).value(AddressFormatKey::FormatString).toString(),
        u"ZIP State City Street"_s);
}

TEST(AddressFormatsOrder, DerivesTokensAndFallsBackToTheDefault)
{
    const AddressFormats formats = smallFormats();
    const QStringList defaultOrder { u"Street"_s, u"City"_s, u"State"_s, u"ZIP"_s, u"Country"_s };

    EXPECT_EQ(formats.orderOfaddressFormats(u"JP"_s),
        (QStringList { u"JP"_s } + QStringList { u"ZIP"_s, u"State"_s, u"City"_s, u"Street"_s }));
    // Lower-case codes find their entry but keep their spelling in element 0.
    EXPECT_EQ(formats.orderOfaddressFormats(u"jp"_s).value(1), u"ZIP"_s);
    EXPECT_EQ(formats.orderOfaddressFormats(u"jp"_s).value(0), u"jp"_s);
    // The left-to-right mark disappears; doubled separators leave an empty token.
    EXPECT_EQ(formats.countryFormat(u"DE"_s).value(AddressFormatKey::Order).toStringList(),
        (QStringList { u"Street"_s, u"ZIP"_s, u""_s, u"City"_s, u"Country"_s }));
    EXPECT_EQ(formats.orderOfaddressFormats(u"XQ"_s), QStringList { u"XQ"_s } + defaultOrder);
    EXPECT_EQ(formats.orderOfaddressFormats(QString()), QStringList { QString() } + defaultOrder);
    // An order of separators only names nothing; it must not leave the address without parts.
    EXPECT_EQ(formats.orderOfaddressFormats(u"XB"_s), QStringList { u"XB"_s } + defaultOrder);
}

TEST(AddressFormatsPrediction, FirstMatchingRuleWins)
{
    const AddressFormats formats = smallFormats(u"de"_s);
    const struct
    {
        QString text;
        QString expected;
    } rows[] = {
        { u"JAPAN"_s, u"JP"_s }, // the English name
        { u"US"_s, u"US"_s }, // the code itself
        { u"DEU"_s, u"DE"_s }, // alpha-3
        { u"日本"_s, u"JP"_s }, // written in Japanese
        { u"FRANÇAISE"_s, u"FR"_s }, // not in the table, still known
        { u"DEUTSCHLAND"_s, u"DE"_s }, // the user's language (German)
        { u"  JAPAN "_s, u"JP"_s }, // stray spaces typed around the name
        { u"ATLANTIS"_s, QString() }, { QString(), QString() },
        { u"japan"_s, QString() }, // callers upper-case; prediction does not guess further
    };
    for (const auto &row : rows)
        EXPECT_EQ(formats.predictCountryCode(row.text), row.expected) << row.text.toStdString();

    // Rules apply in order across the whole table, and within a rule the first entry wins.
    AddressFormats clashing;
    clashing.load(R"({"AddressFormat": [
        {"CountryCode": "AA", "Country": "BB", "Alpha3": "CCC"},
        {"CountryCode": "BB", "Country": "AA", "Alpha3": "AAA"},
        {"CountryCode": "EE", "Country": "BB", "Alpha3": "CCC"}]})",
        u"en"_s);
    EXPECT_EQ(clashing.predictCountryCode(u"BB"_s), u"AA"_s);
    EXPECT_EQ(clashing.predictCountryCode(u"AA"_s), u"BB"_s);
    EXPECT_EQ(clashing.predictCountryCode(u"CCC"_s), u"AA"_s);
    EXPECT_EQ(clashing.predictCountryCode(u"EE"_s), u"EE"_s);

    AddressFormats empty;
    empty.load(QByteArray("{ not json"), u"en"_s);
    EXPECT_TRUE(empty.addressFormatTable().isEmpty());
    EXPECT_EQ(empty.predictCountryCode(u"日本"_s), u"JP"_s);
    EXPECT_EQ(empty.predictCountryCode(u"JAPAN"_s), QString());
    EXPECT_EQ(empty.orderOfaddressFormats(u"JP"_s).value(1), u"Street"_s);
}

TEST(AddressFormatsLoading, MalformedTablesGiveUsableResults)
{
    const QByteArray inputs[] = {
        "",
        "[]",
        R"({"AddressFormat": 7})",
        R"({"AddressFormat": [1, "x", null, {"Country": "NO CODE"}, {"CountryCode": "JP"}]})",
    };
    for (const QByteArray &json : inputs) {
        AddressFormats formats;
        formats.load(json, u"en"_s);
        SCOPED_TRACE(json.toStdString());
        EXPECT_LE(formats.addressFormatTable().size(), 1);
        EXPECT_EQ(formats.orderOfaddressFormats(u"JP"_s).size(), 6);
        QVariantMap entry = address(u"JP"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s);
        EXPECT_EQ(formats.addressFromLabeledValue(entry, AddressFormats::Both), u"4 3 2 1 "_s);
    }
}

TEST(AddressFormatsLocalized, BuildAndRederiveAddLocalizedNames)
{
    AddressFormats english = smallFormats(u"en"_s);
    EXPECT_FALSE(english.countryFormat(u"DE"_s).contains(AddressFormatKey::LocalizedCountry));

    AddressFormats formats = smallFormats(u"de"_s);
    const QVariantMap germany = formats.countryFormat(u"DE"_s);
    EXPECT_EQ(germany.value(AddressFormatKey::LocalizedCountry).toString(), u"Deutschland"_s);
    EXPECT_EQ(germany.value(AddressFormatKey::Language).toString(), u"de"_s);

    // Re-deriving replaces the table's entry in place, keeps extra keys, and adds the language-keyed name;
    // a code the table lacks goes into the dictionary only.
    QVariantMap edited = formats.countryFormat(u"JP"_s);
    edited.insert(AddressFormatKey::FormatString, u"Street City"_s);
    edited.insert(u"EditorNote"_s, u"kept"_s);
    const QVariantMap newcomer { { AddressFormatKey::CountryCode, u"FR"_s },
        { AddressFormatKey::FormatString, u"Street ZIP City"_s } };
    formats.setAddressFormatDict({ edited, newcomer });

    EXPECT_EQ(formats.orderOfaddressFormats(u"JP"_s), (QStringList { u"JP"_s, u"Street"_s, u"City"_s }));
    const QVariantMap japan = formats.addressFormatTable().value(0).toMap();
    EXPECT_EQ(japan.value(u"EditorNote"_s).toString(), u"kept"_s);
    EXPECT_EQ(japan.value(u"Country.de"_s).toString(), u"Japan"_s);
    EXPECT_EQ(formats.addressFormatTable().size(), 4);
    EXPECT_TRUE(formats.addressFormatDict().contains(u"FR"_s));
    EXPECT_EQ(formats.orderOfaddressFormats(u"FR"_s).value(2), u"ZIP"_s);
}

TEST_F(AddressFormatsDefaults, DisplayTextFollowsTheCountryOrderAndOptions)
{
    const AddressFormats formats = smallFormats();
    const struct
    {
        const char *what;
        QVariantMap entry;
        int option;
        QString expected;
    } rows[] = {
        { "no state, option 3", address(u"JP"_s, u"100-0001"_s, u""_s, u"千代田区"_s, u"千代田1-1"_s), 3,
            u"100-0001 千代田区 千代田1-1 "_s },
        { "no state, option 1", address(u"JP"_s, u"100-0001"_s, u""_s, u"千代田区"_s, u"千代田1-1"_s), 1,
            u"千代田区 千代田1-1 "_s },
        { "country name predicts the order",
            address(u""_s, u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田1-1"_s, u"日本"_s), 3,
            u"100-0001 東京都 千代田区 千代田1-1 "_s },
        { "unknown code, default order", address(u"XQ"_s, u"Z1"_s, u"S"_s, u"C"_s, u"St"_s, u"Q"_s), 3,
            u"St C S Z1 Q "_s },
        { "country only with bit 1", address(u"US"_s, u"94105"_s, u"CA"_s, u"SF"_s, u"1 Main"_s, u"USA"_s), 2,
            u"1 Main SF CA 94105 "_s },
        { "neither", address(u"US"_s, u"94105"_s, u"CA"_s, u"SF"_s, u"1 Main"_s, u"USA"_s), 0,
            u"1 Main SF CA "_s },
        { "no code, no country: the user's default (us)", address(u""_s, u"Z"_s, u"S"_s, u"C"_s, u"St"_s), 3,
            u"St C S Z "_s },
        { "empty-token order skips nothing", address(u"DE"_s, u"10115"_s, u""_s, u"Berlin"_s, u"Str. 1"_s), 3,
            u"Str. 1 10115 Berlin "_s },
        { "nothing at all", address(u"US"_s, {}, {}, {}, {}), 3, QString() },
    };
    for (const auto &row : rows) {
        QVariantMap entry = row.entry;
        EXPECT_EQ(formats.addressFromLabeledValue(entry, row.option), row.expected) << row.what;
    }
}

TEST_F(AddressFormatsDefaults, DisplayTextStoresACompleteMailingAddress)
{
    const AddressFormats &formats = AddressFormats::shared();
    QVariantMap entry
        = address(u"JP"_s, u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"千代田1-1"_s, u"日本"_s);
    formats.addressFromLabeledValue(entry, AddressFormats::Both);
    EXPECT_EQ(entry.value(Key::FormattedString).toString(), u"〒100-0001\n東京都千代田区千代田1-1\n日本"_s);

    // Option 0 leaves the country out; the postal code is the entry's current one, not a stale copy.
    StorePostalAddress stale;
    stale.postalCode = u"999-9999"_s;
    stale.subLocality = u"Room 5"_s;
    entry.insert(Key::PostalAddress, QVariant::fromValue(stale));
    formats.addressFromLabeledValue(entry, 0);
    EXPECT_EQ(entry.value(Key::FormattedString).toString(), u"〒100-0001\n東京都千代田区千代田1-1\nRoom 5"_s);
}

TEST_F(AddressFormatsDefaults, RangesCoverTheDisplayTextInUtf16Units)
{
    const AddressFormats formats = smallFormats();

    // An empty state has no room, and the next part starts where the previous one ended.
    const QVariantList ranges = formats.rangeTableFromAddressDictionary(
        address(u"US"_s, u"94105"_s, u""_s, u"SF"_s, u"1 Main"_s, u"USA"_s));
    ASSERT_EQ(ranges.size(), 5);
    const auto at = [&ranges](int i, const QString &key) {
        return ranges.at(i).toMap().value(AddressRangeKey::Range).toMap().value(key).toInt();
    };
    EXPECT_EQ(ranges.at(2).toMap().value(AddressRangeKey::Identifier).toString(), u"State"_s);
    EXPECT_EQ(ranges.at(2).toMap().value(AddressRangeKey::Value).toString(), QString());
    EXPECT_EQ(at(2, AddressRangeKey::Length), 0);
    EXPECT_EQ(at(2, AddressRangeKey::Location), 10);
    EXPECT_EQ(at(3, AddressRangeKey::Location), 10);
    EXPECT_EQ(at(3, AddressRangeKey::Length), 6);

    EXPECT_TRUE(formats.rangeTableFromAddressDictionary(QVariantMap()).isEmpty());

    // Every range cuts its own value out of the display text, whatever the script.
    const QVariantMap entries[] = {
        address(u"JP"_s, u"100-0001"_s, u"東京都"_s, u"千代田区"_s, u"𠮷野家ビル 1-1"_s),
        address(u"US"_s, u"94105"_s, u""_s, u"San Francisco"_s, u"1 Main St\nApt 2"_s, u"USA"_s),
        address(u"DE"_s, u""_s, u""_s, u"Köln"_s, u"Straße 😀 5"_s, u"Deutschland"_s),
        address(u""_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u""_s),
    };
    for (const QVariantMap &entry : entries) {
        QVariantMap copy = entry;
        const QString text = formats.addressFromLabeledValue(copy, AddressFormats::Both);
        qsizetype end = 0;
        for (const QVariant &value : formats.rangeTableFromAddressDictionary(entry)) {
            const QVariantMap range = value.toMap();
            const QVariantMap r = range.value(AddressRangeKey::Range).toMap();
            const int location = r.value(AddressRangeKey::Location).toInt();
            const int length = r.value(AddressRangeKey::Length).toInt();
            EXPECT_EQ(location, end);
            EXPECT_EQ(text.mid(location, length), range.value(AddressRangeKey::Value).toString());
            end = location + length;
        }
        EXPECT_EQ(end, text.size()) << text.toStdString();
    }
}
