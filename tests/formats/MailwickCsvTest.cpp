#include "formats/MailwickCsv.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

ZRPerson &person(const MailwickCsv::Result &result, int row)
{
    return *result.entries.at(row)->person;
}

} // namespace

TEST(MailwickCsvTest, HeaderNamesTheColumnsAndShortLinesFillOnlyTheirFields)
{
    const auto result = MailwickCsv::contactsFromMailwickCSV(
        u"Name,Company,ZIP,State&City,Street,Phone,Email,Note,Extra\r\n"
        "山田太郎,山田商事,100-0001,東京都千代田区,千代田1-1,03-1234-5678,,memo,x\r\n"
        "\r\n"
        "鈴木花子\r\n"_s);
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->headerMissing);
    ASSERT_EQ(result->entries.size(), 2);

    ZRPerson &taro = person(*result, 0);
    EXPECT_EQ(taro.valueForIdentifier(Ident::LastName).toString(), u"山田太郎"_s);
    EXPECT_EQ(taro.valueForIdentifier(Ident::FirstName).toString(), QString());
    EXPECT_EQ(taro.compositeName(), u"山田太郎"_s);
    EXPECT_EQ(taro.valueForIdentifier(Ident::Company).toString(), u"山田商事"_s);
    const QVariantMap address = taro.valueForIdentifier(Ident::Address).toList().value(0).toMap();
    EXPECT_EQ(address.value(Ident::ZIP).toString(), u"100-0001"_s);
    EXPECT_EQ(address.value(Ident::State).toString(), u"東京都千代田区"_s);
    EXPECT_EQ(address.value(Ident::Street).toString(), u"千代田1-1"_s);
    EXPECT_EQ(taro.valueForIdentifier(Ident::Phone).toList().size(), 1);
    EXPECT_TRUE(taro.valueForIdentifier(Ident::Email).toList().isEmpty()); // an empty field adds nothing
    EXPECT_EQ(taro.valueForIdentifier(Ident::Note).toString(), u"memo"_s); // the note is not dropped
    EXPECT_EQ(result->entries.first()->extra.value(u"Extra"_s).toString(), u"x"_s);
    EXPECT_EQ(result->entries.first()->uniqueId, taro.uniqueId());

    ZRPerson &hanako = person(*result, 1);
    EXPECT_EQ(hanako.compositeName(), u"鈴木花子"_s);
    EXPECT_TRUE(hanako.valueForIdentifier(Ident::Phone).toList().isEmpty());
}

TEST(MailwickCsvTest, WithoutHeaderTheFixedOrderReadsTheFirstLineAsData)
{
    const auto result = MailwickCsv::contactsFromMailwickCSV(
        u"田中一郎,花子,田中工業,530-0001,大阪府大阪市北区,梅田1-1,\"3;rn:{{108,80},{82,270}};\",a@example.jp,06-1111-2222,n\n"_s);
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->headerMissing);
    ASSERT_EQ(result->entries.size(), 1);
    ZRPerson &ichiro = person(*result, 0);
    EXPECT_EQ(ichiro.valueForIdentifier(Ident::Renmei).toString(), u"花子"_s);
    const QVariantMap address = ichiro.valueForIdentifier(Ident::Address).toList().value(0).toMap();
    EXPECT_TRUE(address.value(Key::Sender).toBool());
    EXPECT_TRUE(address.value(Key::Company).toBool());
    EXPECT_EQ(address.value(Key::ReceiverName).toString(), u"{{108,80},{82,270}}"_s);
    EXPECT_EQ(ichiro.valueForIdentifier(Ident::Email).toList().value(0).toMap().value(Key::Value).toString(),
        u"a@example.jp"_s);
}

TEST(MailwickCsvTest, QuotedFieldsSpanLinesAndKeepCommasAndQuotes)
{
    const auto result
        = MailwickCsv::contactsFromMailwickCSV(u"Name,Street,Company\n"
                                               "\"Ann, Jr.\",\"1 Main St\nApt 2\",\"say \"\"hi\"\"\"\n"
                                               "Bob,2 High St,\n"
                                               "Carl,\"never closed\n"_s);
    ASSERT_TRUE(result.has_value());
    ASSERT_EQ(result->entries.size(), 3);
    ZRPerson &ann = person(*result, 0);
    EXPECT_EQ(ann.compositeName(), u"Ann, Jr."_s);
    EXPECT_EQ(
        ann.valueForIdentifier(Ident::Address).toList().value(0).toMap().value(Ident::Street).toString(),
        u"1 Main St\nApt 2"_s);
    EXPECT_EQ(ann.valueForIdentifier(Ident::Company).toString(), u"say \"hi\""_s);
    EXPECT_EQ(person(*result, 1).compositeName(), u"Bob"_s);
    EXPECT_EQ(person(*result, 2)
                  .valueForIdentifier(Ident::Address)
                  .toList()
                  .value(0)
                  .toMap()
                  .value(Ident::Street)
                  .toString(),
        u"never closed"_s);
}

TEST(MailwickCsvTest, NoLinesGiveNothing)
{
    EXPECT_FALSE(MailwickCsv::contactsFromMailwickCSV(QString()).has_value());
    EXPECT_FALSE(MailwickCsv::contactsFromMailwickCSV(u""_s).has_value());
    EXPECT_TRUE(MailwickCsv::contactsFromMailwickCSV(u"\n"_s)->entries.isEmpty());
}
