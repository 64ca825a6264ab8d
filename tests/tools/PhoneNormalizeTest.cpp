#include "tools/NormalizePhoneNumber.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Layout = NormalizePhoneNumber::Layout;

namespace {

QList<CountryNumber> smallTable()
{
    return NormalizePhoneNumber::arrayFromCountryNumbersString(
        u"number,country,name,area\n1,US,a,b\n33,FR,a,b\n44,GB,a,b\n49,DE,a,b\n81,JP,a,b\n852,HK,a,b\n"_s);
}

struct LayoutCase
{
    const char *input;
    Layout layout;
    const char *expected; // "" when the layout gives nothing
    const char *why;
};

} // namespace

TEST(PhoneNormalize, LayoutsOverDomesticInternationalAndExtensions)
{
    const LayoutCase cases[] = {
        { "03-1234-5678", Layout::FourPlusFour, "(03) 1234-5678", "ten digits, 4+4" },
        { "03-1234-5678", Layout::ThreePlusFour, "(031) 234-5678", "ten digits, 3+4" },
        { "03-1234-5678", Layout::TwoPlusFour, "(0312) 34-5678", "ten digits, 2+4" },
        { "03-1234-5678", Layout::QuadTwo, "(03) 12 34 56 78", "ten digits, four pairs" },
        { "090 1234 5678", Layout::FourPlusFour, "(090) 1234-5678", "spaces go, eleven digits" },
        { "012-345-678", Layout::FourPlusFour, "(0) 1234-5678", "nine digits still take 4+4" },
        { "12345678", Layout::FourPlusFour, "(1234) 5678", "eight digits fall back to two groups" },
        { "12345678", Layout::ThreePlusFour, "(1) 234-5678", "eight digits reach 3+4" },
        { "1234567", Layout::QuadTwo, "(1) 23 45 67", "seven digits give three pairs" },
        { "12345", Layout::QuadTwo, "(1) 23 45", "five digits give two pairs" },
        { "12345", Layout::TwoPlusFour, "(1) 2345", "five digits, two groups" },
        { "1234", Layout::FourPlusFour, "1234", "under five digits stay as they are" },
        { "+81312345678", Layout::FourPlusFour, "+81 (3) 1234-5678", "known code kept in front" },
        { "+81 90-1234-5678", Layout::QuadTwo, "+81 (90) 12 34 56 78", "code, then pairs from the right" },
        { "+1 (212) 555-0123", Layout::ThreePlusFour, "+1 (212) 555-0123", "already in the layout" },
        { "+44 20 7946 0958", Layout::TwoPlusFour, "+44 (2079) 46-0958", "UK number" },
        { "+852 2123 4567", Layout::FourPlusFour, "+852 (2123) 4567", "three-digit code, eight digits" },
        { "+9991234567890", Layout::FourPlusFour, "(+99912) 3456-7890", "unknown code grouped as a whole" },
        { "+5678", Layout::FourPlusFour, "+5678", "short number keeps its plus, no empty group" },
        { "+1234", Layout::FourPlusFour, "+1 234", "a code with few digits after it" },
        { "123-4567ext.89", Layout::ThreePlusFour, "(123) 4567 x89", "ext. marker" },
        { "03-1234-5678 ext 12", Layout::FourPlusFour, "(03) 1234-5678 x12", "ext marker with a space" },
        { "03-1234-5678x9", Layout::FourPlusFour, "(03) 1234-5678 x9", "x marker" },
        { "+81-3-1234-5678 x123", Layout::FourPlusFour, "+81 (3) 1234-5678 x123", "code and extension" },
        { "03-1234-5678 (office)", Layout::FourPlusFour, "(03) 1234-5678",
            "text after the digits is dropped" },
        { "03.1234.5678x1", Layout::FourPlusFour, "", "dots beside an extension: left alone" },
        { "Tel: 03-1234-5678", Layout::FourPlusFour, "", "no leading digit: nothing" },
        { "", Layout::QuadTwo, "", "empty" },
        { "+", Layout::QuadTwo, "", "a lone plus" },
        { "x12", Layout::FourPlusFour, "", "an extension without a number" },
        { "０３１２３４５６７８", Layout::FourPlusFour, "", "full-width digits are not ASCII digits" },
    };
    NormalizePhoneNumber formatter(smallTable());
    for (const LayoutCase &c : cases) {
        formatter.setPhoneNumber(QString::fromUtf8(c.input));
        EXPECT_EQ(formatter.layout(c.layout).toStdString(), c.expected) << c.input << " — " << c.why;
    }
}

TEST(PhoneNormalize, CleaningKeepsPlusDigitsAndExtension)
{
    const struct
    {
        const char *input, *cleaned;
    } cases[] = {
        { "(03) 1234-5678", "0312345678" }, { "+81-3-1234-5678", "+81312345678" },
        { "123-4567ext.89", "1234567x89" }, { "123-4567ext89", "1234567x89" }, { "1234567x89", "1234567x89" },
        { "12.34", "12" }, { "abc", "" }, { "+abc", "" },
        { "1234567 exten", "1234567" }, // "ext" needs a digit right after it
    };
    NormalizePhoneNumber formatter(smallTable());
    for (const auto &c : cases) {
        formatter.setPhoneNumber(QString::fromUtf8(c.input));
        EXPECT_EQ(formatter.phoneNumber().toStdString(), c.cleaned) << c.input;
    }
}

TEST(PhoneNormalize, CallingCodeLookup)
{
    NormalizePhoneNumber formatter(smallTable());
    EXPECT_EQ(formatter.countryNumber(u"+81312345678"_s), u"81"_s);
    EXPECT_EQ(formatter.countryNumber(u"+85221234567"_s), u"852"_s);
    EXPECT_EQ(formatter.countryNumber(u"+12125550123"_s), u"1"_s);
    EXPECT_EQ(formatter.countryNumber(u"+81"_s), QString()); // nothing after the code
    EXPECT_EQ(formatter.countryNumber(u"+8"_s), QString());
    EXPECT_EQ(formatter.countryNumber(u"+5512345"_s), QString()); // 5x not in the small table
    EXPECT_EQ(formatter.countryNumber(u"0312345678"_s), QString());
    EXPECT_EQ(formatter.countryNumber(QString()), QString());

    NormalizePhoneNumber empty(QList<CountryNumber> {});
    empty.setPhoneNumber(u"+81312345678"_s);
    EXPECT_EQ(empty.fourPlusFour(), u"(+813) 1234-5678"_s)
        << "without a table the plus stays in the first group";
}

TEST(PhoneNormalize, TableParsingSkipsMalformedLines)
{
    const QList<CountryNumber> rows = NormalizePhoneNumber::arrayFromCountryNumbersString(
        u"number,country,国名,エリア名\r\n81,JP,日本,アジア\r\n\r\nx\n44,GB\n1,US,a,b,c\nabc,XX,a,b\n,,,\n"
        "7,RU,ロシア,ヨーロッパ"_s);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].number, u"81"_s);
    EXPECT_EQ(rows[0].firstDigit, u"8"_s);
    EXPECT_EQ(rows[0].countryNameJa, u"日本"_s);
    EXPECT_EQ(rows[0].areaNameJa, u"アジア"_s);
    EXPECT_EQ(rows[1].country, u"RU"_s);
    EXPECT_TRUE(NormalizePhoneNumber::arrayFromCountryNumbersString(QString()).isEmpty());
}

TEST(PhoneNormalize, ResourceTableHoldsTheCallingCodes)
{
    NormalizePhoneNumber formatter;
    ASSERT_GT(formatter.countryNumbers().size(), 200);
    const auto &rows = formatter.countryNumbers();
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
        [](const CountryNumber &a, const CountryNumber &b) { return a.number < b.number; }));
    // Codes are prefix-free, or a longer one could never be recognised behind a shorter one.
    for (const CountryNumber &a : rows) {
        for (const CountryNumber &b : rows) {
            if (a.number != b.number) {
                EXPECT_FALSE(b.number.startsWith(a.number))
                    << qPrintable(a.number) << " / " << qPrintable(b.number);
            }
        }
    }
    for (const char *number : { "+81312345678", "+12125550123", "+442079460958", "+33142685300",
             "+4930123456", "+8613812345678", "+85221234567", "+35312345678", "+9715012345678" }) {
        const QString text = QString::fromLatin1(number);
        EXPECT_FALSE(formatter.countryNumber(text).isEmpty()) << number;
    }
    EXPECT_EQ(formatter.countryNumber(u"+35312345678"_s), u"353"_s);
    EXPECT_EQ(formatter.countryNumber(u"+9715012345678"_s), u"971"_s);
}

TEST(PhoneNormalize, ReplacementOnlyWhenTheTextChanges)
{
    NormalizePhoneNumber formatter(smallTable());
    EXPECT_EQ(formatter.replacementForValue(u"03-1234-5678"_s, Layout::FourPlusFour), u"(03) 1234-5678"_s);
    EXPECT_EQ(formatter.replacementForValue(u"(03) 1234-5678"_s, Layout::FourPlusFour), std::nullopt);
    EXPECT_EQ(formatter.replacementForValue(u"1234"_s, Layout::FourPlusFour), std::nullopt);
    EXPECT_EQ(formatter.replacementForValue(u"call me"_s, Layout::QuadTwo), std::nullopt);

    EXPECT_EQ(NormalizePhoneNumber::layoutForTitle(u"(12) 34 56 78 90"_s), Layout::QuadTwo);
    EXPECT_EQ(NormalizePhoneNumber::layoutForTitle(u"(1234) 56-7890"_s), Layout::TwoPlusFour);
    EXPECT_EQ(NormalizePhoneNumber::layoutForTitle(u"Normalize"_s), std::nullopt);
    EXPECT_EQ(NormalizePhoneNumber::layoutForName(u"2x4"_s), Layout::QuadTwo);
    EXPECT_EQ(NormalizePhoneNumber::layoutForName(u"3+4"_s), Layout::ThreePlusFour);
    EXPECT_EQ(NormalizePhoneNumber::layoutForName(u"5+5"_s), std::nullopt);
}
