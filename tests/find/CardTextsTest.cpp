#include "find/CardTexts.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char16_t Separator = u'|';

struct Read
{
    CardTexts::Reading reading;
    QString texts;
};

Read read(const QByteArray &lines)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\n" + lines + "END:VCARD\r\n";
    std::u16string out = u"before|";
    const CardTexts::Reading reading = CardTexts::append(card, Separator, out);
    return { reading, QString::fromStdU16String(out) };
}

} // namespace

TEST(CardTextsTest, PlainCardsGiveTheirValuesAndEscapedOnesBothWays)
{
    const Read plain = read("N:Müller;Anna;;;\r\nitem1.TEL;TYPE=CELL:+49 30 1234\r\nitem1.X-ABLabel:Boat\r\n"
                            "UID:1234-abcd\r\nCATEGORIES:Friends\r\n");
    EXPECT_EQ(plain.reading, CardTexts::Reading::Texts);
    EXPECT_EQ(plain.texts, u"before|Müller;Anna;;;|+49 30 1234|"_s)
        << "values only, after what was there; no label, id or group is searched";

    // Where a parameter may become a value, the whole line, and without quotes left inside.
    const Read profile = read("X-SOCIALPROFILE;TYPE=twitter;x-user=\"shiv\"_ob:http://twitter.com/s\r\n");
    EXPECT_TRUE(profile.texts.contains(u"x-user=\"shiv\"_ob"_s));
    EXPECT_TRUE(profile.texts.contains(u"x-user=shiv_ob"_s));
    // With every colon inside quotes, the reader cuts at the first and drops the quote left in the value.
    const Read cut = read("X-SOCIALPROFILE;TYPE=\"Qp:h\" x\r\n");
    EXPECT_EQ(cut.reading, CardTexts::Reading::Texts);
    EXPECT_TRUE(cut.texts.contains(u"h x"_s)) << cut.texts.toStdString();
    // An address's box and extended address join its street, a line each.
    const Read address = read("ADR;TYPE=home:Box 7;;Main\\; Street 1;City;;00000;Land\r\n");
    EXPECT_TRUE(address.texts.contains(u"Box 7\nMain; Street 1|"_s)) << address.texts.toStdString();

    // The values as the record has them, escapes undone; lines of other properties also as written,
    // for any reader that keeps them so.
    const Read escaped = read("NOTE:eins\\nzwei\\, drei\r\nORG:A\\;B;C\r\nX-OTHER:a\\,b\r\n");
    EXPECT_EQ(escaped.reading, CardTexts::Reading::Texts);
    EXPECT_EQ(escaped.texts, u"before|eins\nzwei, drei|A;B;C|X-OTHER:a\\,b|X-OTHER:a,b|"_s);

    // A picture's data is no text anyone searches, folded over lines or not.
    const Read picture
        = read("PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRg\r\n AAQSkZJRgABAQ\r\nNOTE:after\r\n");
    EXPECT_EQ(picture.reading, CardTexts::Reading::Texts);
    EXPECT_EQ(picture.texts, u"before|after|"_s);
}

// Values a record makes of a line's pieces rather than takes as written: each must be one text of
// its own, or a search for it whole would rule its contact out.
TEST(CardTextsTest, ValuesTheRecordPutsTogetherAreGivenWhole)
{
    // The box and extended address trimmed, as the record trims every component.
    const Read address = read("ADR: Box 7 ;\tHof 2 ; Main 1;City;;;\r\n");
    EXPECT_TRUE(address.texts.contains(u"|Box 7\nHof 2\nMain 1|"_s)) << address.texts.toStdString();
    // White space around a property's name is no part of it.
    const Read spaced = read("ADR ;TYPE=home:Box;Ext;Main Street \r\n");
    EXPECT_TRUE(spaced.texts.contains(u"|Box\nExt\nMain Street|"_s)) << spaced.texts.toStdString();
    // A label with no address beside it is a street: its lines trimmed, the empty ones gone.
    const Read label = read("LABEL;TYPE=home: Main 1 \\n\\n  Springfield\r\n");
    EXPECT_TRUE(label.texts.contains(u"|Main 1\nSpringfield|"_s)) << label.texts.toStdString();
    // A profile's user name from the end of its address, without quotes or line breaks.
    const Read profile = read("X-SOCIALPROFILE;TYPE=x:http://x.example/an\\n\"na\"\r\n");
    EXPECT_TRUE(profile.texts.contains(u"an na|"_s)) << profile.texts.toStdString();
    for (const Read &r : { address, spaced, label, profile })
        EXPECT_EQ(r.reading, CardTexts::Reading::Texts);

    // Up to five components a name's parts are pieces of its value; an escaped separator is none.
    EXPECT_EQ(read("N:Doe;Jane;Q;Dr.;Jr.\r\n").reading, CardTexts::Reading::Texts);
    EXPECT_EQ(read("N:Doe;Jane;Q;Dr.;Jr.\\;III\r\n").reading, CardTexts::Reading::Texts);
}

TEST(CardTextsTest, CardsWhoseRecordsMayHoldOtherTextsAreLeftToThem)
{
    const QByteArray cases[] = {
        "NOTE;ENCODING=QUOTED-PRINTABLE:caf=C3=A9\r\n", "NOTE;QUOTED-PRINTABLE:caf=C3=A9\r\n",
        "NOTE;CHARSET=ISO-8859-1:caf\xe9\r\n", "NOTE;ENCODING=b:Y2Fmw6k=\r\n", "NOTE:folded te\r\n xt\r\n",
        "NOTE:folded te\r\n\txt\r\n", "IMPP:xmpp:anna%40example.org\r\n",
        "NOTE:caf\xc3\r\n", // not UTF-8
        "N;SORT-AS=\"Ando;Lloyd\":安藤;ロイド;;;\r\n", // readings from a parameter
        "NOTE:one\r\nNOTE:two\r\n", // notes joined into one
        "NOTE:one\rTEL:555\r\n", // lines ended by a carriage return alone
        "NOTE:first\\\r\nsecond\r\n", // a line the reader joins to the one before
        "N:Doe;Jane;;;;Smith;\r\n", // components past the fifth join the family name or the suffix
        "UID:1\r\nX-SOCIALPROFILE;TYPE\r\n x:http://x.example/u\r\n", // a head given its colon by a fold
    };
    for (const QByteArray &lines : cases) {
        const Read r = read(lines);
        EXPECT_EQ(r.reading, CardTexts::Reading::NeedsRecord) << lines.constData();
        EXPECT_EQ(r.texts, u"before|"_s) << "nothing appended for " << lines.constData();
    }
}

TEST(CardTextsTest, CardsThatMayHoldDatesSaySo)
{
    const QByteArray dated[] = {
        "BDAY:1980-07-14\r\n",
        "item1.X-ABDATE:2020-01-02\r\nitem1.X-ABLabel:_$!<Anniversary>!$_\r\n",
        "ANNIVERSARY:--0714\r\n",
        "X-ANNIVERSARY:2001-02-03\r\n",
        "X-ANDROID-CUSTOM:vnd.android.cursor.item/contact_event;1999-12-31;1;;\r\n",
        "X-FCENCODED-582D46432D4F7468657244617465733A616E6E6976657273617279:2001-02-03\r\n",
    };
    for (const QByteArray &lines : dated)
        EXPECT_EQ(read(lines).reading, CardTexts::Reading::DatedTexts) << lines.constData();
    EXPECT_EQ(read("NOTE:the date is 1980-07-14\r\n").reading, CardTexts::Reading::Texts)
        << "a date in a note stays the note's text";
}

TEST(CardTextsTest, PiecesOfDatesAsRecordsWriteThem)
{
    const QString monday = QLocale().dayName(1, QLocale::ShortFormat);
    for (const QString &piece : { u"1980.07.14("_s + monday + u')', u"07.14"_s, u"0"_s, u"12345.01"_s,
             u"-44.03"_s, u"("_s + monday, monday + u')', u"."_s }) {
        EXPECT_TRUE(CardTexts::mayBeInDate(piece, Qt::CaseSensitive)) << piece.toStdString();
    }
    EXPECT_TRUE(CardTexts::mayBeInDate(monday.toUpper(), Qt::CaseInsensitive));
    if (monday.toUpper() != monday) {
        EXPECT_FALSE(CardTexts::mayBeInDate(monday.toUpper(), Qt::CaseSensitive));
    }
    for (const QString &other : { u"Qxzmarker"_s, u"07-14"_s, u"1980.07.14 "_s, u"0)"_s, u"+49"_s })
        EXPECT_FALSE(CardTexts::mayBeInDate(other, Qt::CaseInsensitive)) << other.toStdString();
}
