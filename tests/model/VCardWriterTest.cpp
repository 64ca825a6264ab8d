#include "model/VCardWriter.h"

#include "model/StoreKeys.h"
#include "model/VCardLineReader.h"
#include "model/VCardSerialization.h"
#include "model/VCardTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The one contact of a version 3.0 card holding the given lines, and that contact written and read
// again; blank contacts, and a failure, when either reading does not give exactly one.
std::pair<StoreContact, StoreContact> readAndReadAgain(const QByteArray &lines)
{
    const QList<StoreContact> read = VCardSerialization::contactsWithData(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:X;Y\r\n" + lines + "END:VCARD\r\n");
    if (read.size() != 1) {
        ADD_FAILURE() << "read " << read.size() << " contacts";
        return {};
    }
    const QList<StoreContact> again
        = VCardSerialization::contactsWithData(VCardSerialization::dataWithContacts(read));
    if (again.size() != 1) {
        ADD_FAILURE() << "read " << again.size() << " contacts again";
        return {};
    }
    return { read[0], again[0] };
}

StoreContact fullContact()
{
    StoreContact c;
    c.identifier = u"8F1E-22"_s;
    c.editExtras().namePrefix = u"Dr."_s;
    c.givenName = u"太郎"_s;
    c.editExtras().middleName = u"Q;R"_s;
    c.familyName = u"山田, Jr\\"_s;
    c.editExtras().nameSuffix = u"III"_s;
    c.editExtras().previousFamilyName = u"佐藤"_s;
    c.editExtras().nickname = u"Taro,T"_s;
    c.phoneticGivenName = u"たろう"_s;
    c.editExtras().phoneticMiddleName = u"m"_s;
    c.phoneticFamilyName = u"やまだ"_s;
    c.organizationName = u"株式会社①"_s;
    c.departmentName = u"開発;第二"_s;
    c.jobTitle = u"課長"_s;
    c.note = u"left out"_s;
    c.editExtras().imageData = "left out too";
    c.birthday = DateComponents { 0, 2, 29 };
    c.phoneNumbers = { { CN::LabelPhoneNumberMobile, u"090-1"_s }, { CN::LabelPhoneNumberHomeFax, u"03-2"_s },
        { CN::LabelPhoneNumberWorkFax, u"03-3"_s }, { CN::LabelPhoneNumberOtherFax, u"03-4"_s },
        { CN::LabelPhoneNumberPager, u"5"_s }, { CN::LabelPhoneNumberMain, u"6"_s },
        { CN::LabelPhoneNumberiPhone, u"7"_s }, { CN::LabelHome, u"8"_s }, { u"Ferienhaus"_s, u"9"_s },
        { QString(), u"10"_s }, { CN::LabelContactRelationAssistant, u"11"_s } };
    c.emailAddresses = { { CN::LabelWork, u"a@example.com"_s }, { u"_$!<School>!$_"_s, u"b@example.com"_s } };
    StorePostalAddress home { u"港区\n芝公園4-2-8"_s, u"東京都"_s, u"Tokyo"_s, u"105-0011"_s, u"日本"_s,
        u"jp"_s, u"Annex"_s, u"PO Box 1"_s };
    StorePostalAddress office { u"1 Main St"_s, u"Springfield"_s, u"IL"_s, u"62701"_s, u"USA"_s, QString(),
        QString(), QString() };
    c.postalAddresses = { { CN::LabelHome, home }, { u"Warehouse"_s, office } };
    c.urlAddresses
        = { { CN::LabelURLAddressHomePage, u"https://example.com/a,b;c"_s }, { CN::LabelWork, u"x"_s } };
    c.editExtras().socialProfiles = {
        { QString(), { u"https://twitter.com/taro"_s, u"taro"_s, u"42"_s, CN::SocialProfileServiceTwitter } },
        { u"Fediverse"_s, { u"https://example.social/@t"_s, u"t"_s, QString(), u"My, Service"_s } }
    };
    c.editExtras().instantMessageAddresses
        = { { CN::LabelHome, { u"taro@example.org"_s, CN::InstantMessageServiceJabber } },
              { u"Gaming"_s, { u"t:1"_s, u"Steam"_s } } };
    c.editExtras().contactRelations
        = { { CN::LabelContactRelationMother, { u"花子"_s } }, { QString(), { u"Sam"_s } } };
    c.editExtras().dates
        = { { CN::LabelDateAnniversary, { 2001, 4, 1 } }, { u"Graduation"_s, { 0, 3, 15 } } };
    return c;
}

QList<QByteArray> physicalLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

TEST(VCardWriterTest, EveryFieldButNoteAndImageSurvivesRoundTrip)
{
    const StoreContact original = fullContact();
    const QByteArray text = VCardSerialization::dataWithContacts({ original, original });
    QString error;
    const QList<StoreContact> back = VCardSerialization::contactsWithData(text, &error);
    ASSERT_EQ(back.size(), 2) << error.toStdString();
    StoreContact expected = VCardTestSupport::withoutNoteAndImages(original);
    // The post-office box and the extended address come back as the first lines of the street.
    StorePostalAddress &home = expected.postalAddresses[0].value;
    home.street = u"PO Box 1\nAnnex\n港区\n芝公園4-2-8"_s;
    home.subLocality.clear();
    home.subAdministrativeArea.clear();
    EXPECT_TRUE(back[0] == expected) << VCardTestSupport::describeDifference(back[0], expected) << "\n"
                                     << text.toStdString();
    EXPECT_TRUE(back[1] == expected);

    StoreContact company;
    company.identifier = u"c1"_s;
    company.contactType = StoreContact::Type::Organization;
    company.organizationName = u"Acme"_s;
    company.birthday = DateComponents { 1604, 1, 2 }; // a real year 1604 stays a year
    const QList<StoreContact> companyBack
        = VCardSerialization::contactsWithData(VCardSerialization::dataWithContacts({ company }));
    ASSERT_EQ(companyBack.size(), 1);
    EXPECT_TRUE(companyBack[0] == company) << VCardTestSupport::describeDifference(companyBack[0], company);
}

TEST(VCardWriterTest, WritesVersionThreeWithCrLfAndNoNoteOrPhoto)
{
    const QByteArray text = VCardSerialization::dataWithContacts({ fullContact() });
    EXPECT_TRUE(text.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
    EXPECT_TRUE(text.endsWith("\r\nEND:VCARD\r\n"));
    EXPECT_EQ(text.count("\r\n"), text.count('\n')); // no bare LF
    EXPECT_FALSE(text.contains("\nNOTE"));
    EXPECT_FALSE(text.contains("\nPHOTO"));

    // Standard labels are TYPE parameters; others go through a group with X-ABLabel.
    const char *expectedLines[] = {
        "TEL;TYPE=CELL:090-1",
        "TEL;TYPE=HOME,FAX:03-2",
        "TEL;TYPE=OTHER,FAX:03-4",
        "TEL;TYPE=IPHONE:7",
        "item2.TEL:9", // the e-mail with a custom label took item1
        "item2.X-ABLabel:Ferienhaus",
        "TEL:10",
        "EMAIL;TYPE=INTERNET,WORK:a@example.com",
        "X-ABShowAs:COMPANY",
        "BDAY;X-APPLE-OMIT-YEAR=1604:1604-02-29",
        "ORG:株式会社①;開発\\;第二",
        "NICKNAME:Taro\\,T",
    };
    QByteArray unfolded = text;
    unfolded.replace("\r\n ", "");
    for (const char *line : expectedLines) {
        if (QByteArrayView(line) == "X-ABShowAs:COMPANY")
            EXPECT_FALSE(unfolded.contains(line)); // a person is not shown as a company
        else
            EXPECT_TRUE(unfolded.contains(QByteArray("\r\n") + line + "\r\n")) << line << "\n"
                                                                               << text.toStdString();
    }
}

TEST(VCardWriterTest, EscapesAsVersionThreeRequires)
{
    struct Row
    {
        QString text;
        QByteArray escaped;
    };
    const Row rows[] = {
        { u"a,b"_s, "a\\,b" }, { u"a;b"_s, "a\\;b" }, { u"a\\b"_s, "a\\\\b" }, { u"a\nb"_s, "a\\nb" },
        { u"a\r\nb"_s, "a\\nb" }, { u"a:b"_s, "a:b" }, { u"é😀"_s, "\xc3\xa9\xf0\x9f\x98\x80" },
        { u"\xd800x"_s, "\xef\xbf\xbdx" }, // lone surrogate
    };
    for (const Row &row : rows) {
        QByteArray out;
        VCardWriter::appendEscaped(out, row.text);
        EXPECT_EQ(out, row.escaped) << row.text.toStdString();
        // What the writer escapes, the reader gives back (CR LF becomes LF).
        if (!row.text.startsWith(QChar(0xd800))) {
            EXPECT_EQ(VCardLineReader::unescape(QString::fromUtf8(out)),
                QString(row.text).replace(u"\r\n"_s, u"\n"_s));
        }
    }
}

TEST(VCardWriterTest, FoldsAtSeventyFiveOctetsWithoutSplittingCharacters)
{
    for (int shift = 0; shift < 4; ++shift) {
        // Three-byte and four-byte characters at every alignment against the fold.
        QByteArray line = "NOTE:" + QByteArray(shift, 'x');
        for (int i = 0; i < 60; ++i)
            line += (i % 3 == 0) ? "\xf0\x9f\x98\x80" : "\xe8\xa1\xa8";
        QByteArray out;
        VCardWriter::appendFolded(out, line);
        const QList<QByteArray> lines = physicalLines(out);
        ASSERT_GT(lines.size(), 2);
        QByteArray unfolded;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QByteArray l = lines[i];
            ASSERT_TRUE(l.endsWith('\r'));
            l.chop(1);
            EXPECT_LE(l.size(), 75) << "line " << i;
            if (i > 0) {
                ASSERT_TRUE(l.startsWith(' '));
                l.remove(0, 1);
            }
            EXPECT_TRUE(QString::fromUtf8(l).toUtf8() == l) << "line " << i << " splits a character";
            unfolded += l;
        }
        EXPECT_EQ(unfolded, line);
    }

    QByteArray exact(75, 'a');
    QByteArray out;
    VCardWriter::appendFolded(out, exact);
    EXPECT_EQ(out, exact + "\r\n");
}

TEST(VCardWriterTest, EmptyValuesAreLeftOut)
{
    StoreContact c;
    c.identifier = u"x"_s;
    c.phoneNumbers = { { CN::LabelHome, QString() } };
    c.postalAddresses = { { CN::LabelHome, StorePostalAddress() } };
    c.editExtras().instantMessageAddresses = { { CN::LabelHome, { QString(), u"AIM"_s } } };
    c.birthday = DateComponents { 2001, 2, 30 }; // no such day: not written
    const QByteArray text = VCardSerialization::dataWithContacts({ c });
    EXPECT_FALSE(text.contains("TEL"));
    EXPECT_FALSE(text.contains("ADR"));
    EXPECT_FALSE(text.contains("IMPP"));
    EXPECT_FALSE(text.contains("BDAY"));
    EXPECT_TRUE(text.contains("\r\nN:;;;;\r\nFN:\r\n"));
    EXPECT_TRUE(VCardSerialization::dataWithContacts({}).isEmpty());
}

TEST(VCardWriterTest, UnbalancedQuotesInParametersReadAsTheyWriteBack)
{
    const auto [read, again]
        = readAndReadAgain("IMPP;X-SERVICE-TYPE=My \"Chat:x-apple:me@example.com\r\n"
                           "X-SOCIALPROFILE;TYPE=site;X-USER=a\"b:https://example.com/u\r\n");
    ASSERT_EQ(read.extras().instantMessageAddresses.size(), 1);
    EXPECT_EQ(read.extras().instantMessageAddresses[0].value.service, u"My Chat"_s);
    ASSERT_EQ(read.extras().socialProfiles.size(), 1);
    EXPECT_EQ(read.extras().socialProfiles[0].value.username, u"ab"_s);
    EXPECT_EQ(again.extras().instantMessageAddresses, read.extras().instantMessageAddresses);
    EXPECT_EQ(again.extras().socialProfiles, read.extras().socialProfiles);
}

// A value that starts with byte-order marks reads without them however it is decoded (strict UTF-8,
// or ICU when the bytes are no UTF-8); one kept would be dropped when the value is read again.
TEST(VCardWriterTest, LeadingByteOrderMarksReadAsTheyWriteBack)
{
    const auto [read, again]
        = readAndReadAgain("ADR;CHARSET=UTF-8:\xef\xbb\xbfPostfach 314;vorne\xe0\x97ten;;;;;\r\n"
                           "TITLE;CHARSET=utf8:\xef\xbb\xbf\xef\xbb\xbf"
                           "Director\r\n"
                           "NOTE;CHARSET=UTF-16BE;ENCODING=B:/v/+/wBh\r\n"
                           "NICKNAME:\xef\xbb\xbf\xef\xbb\xbfNick\r\n");
    ASSERT_EQ(read.postalAddresses.size(), 1);
    EXPECT_TRUE(read.postalAddresses[0].value.street.startsWith(u"Postfach 314\n"_s));
    EXPECT_EQ(read.jobTitle, u"Director"_s);
    EXPECT_EQ(read.note, u"a"_s);
    EXPECT_EQ(read.extras().nickname, u"Nick"_s);
    EXPECT_EQ(again.postalAddresses, read.postalAddresses);
    EXPECT_EQ(again.jobTitle, read.jobTitle);
    EXPECT_EQ(again.extras().nickname, read.extras().nickname);
}

TEST(VCardWriterTest, ParameterValuesAreWrittenExactly)
{
    struct Row
    {
        QString service;
        QByteArray written;
    };
    const Row rows[] = {
        { u"Steam"_s, "Steam" },
        { u"My, Service"_s, "\"My, Service\"" },
        { u"a:b"_s, "\"a:b\"" },
        { u"say \"hi\""_s, "say hi" },
        { u"two\r\nlines\n"_s, "\"two  lines \"" }, // a space at the end would be trimmed
        { u"Büro;1"_s, "\"B\xc3\xbcro;1\"" },
        { u"微信"_s, "\xe5\xbe\xae\xe4\xbf\xa1" },
    };
    for (const Row &row : rows) {
        StoreContact c;
        c.editExtras().instantMessageAddresses = { { CN::LabelHome, { u"me"_s, row.service } } };
        c.editExtras().socialProfiles
            = { { QString(), { u"https://example.com/me"_s, u"me"_s, QString(), row.service } } };
        const QByteArray text = VCardSerialization::dataWithContacts({ c });
        EXPECT_TRUE(text.contains("\r\nIMPP;TYPE=HOME;X-SERVICE-TYPE=" + row.written + ":x-apple:me\r\n"))
            << row.service.toStdString() << "\n"
            << text.toStdString();
        EXPECT_TRUE(text.contains(
            "\r\nX-SOCIALPROFILE;TYPE=" + row.written + ";X-USER=me:https://example.com/me\r\n"))
            << row.service.toStdString() << "\n"
            << text.toStdString();
    }
}

// Long lines inside a card fold exactly as a line given to appendFolded alone, at every length
// around the fold and with characters of every width across it.
TEST(VCardWriterTest, LongLinesInACardFoldAsAppendFoldedDoes)
{
    const QString pieces[] = { u"a"_s, u"é"_s, u"表"_s, u"😀"_s, u";"_s };
    for (int length = 60; length < 240; length += 7) {
        for (const QString &piece : pieces) {
            QString label = u"x"_s;
            while (label.size() < length)
                label += piece;
            StoreContact c;
            c.phoneNumbers = { { label, u"1"_s } };
            c.familyName = label;
            const QByteArray text = VCardSerialization::dataWithContacts({ c });
            for (const QByteArray &name : { "item1.X-ABLabel:"_ba, "N:"_ba }) {
                QByteArray line = name;
                VCardWriter::appendEscaped(line, label);
                if (name == "N:"_ba)
                    line += ";;;;";
                QByteArray folded;
                VCardWriter::appendFolded(folded, line);
                EXPECT_TRUE(text.contains("\r\n" + folded)) << length << " " << piece.toStdString() << "\n"
                                                            << text.toStdString();
            }
        }
    }
}

// The export adds NOTE, PHOTO, CATEGORIES, X-RENMEI and X-HAGAKILAYOUTS before the END:VCARD line
// without looking for them in the card: no value or label may start a line of its own.
TEST(VCardWriterTest, ValuesNeverStartLinesOfTheirOwn)
{
    const QString hostile
        = u"a\r\nNOTE:n\nPHOTO;x\rCATEGORIES:c\r\n\nX-RENMEI:r\nX-HAGAKILAYOUTS:0;\nEND:VCARD"_s;
    StoreContact c = fullContact();
    for (QString *text :
        { &c.familyName, &c.givenName, &c.editExtras().nickname, &c.organizationName, &c.departmentName,
            &c.jobTitle, &c.phoneticGivenName, &c.editExtras().previousFamilyName, &c.identifier })
        *text = hostile;
    for (auto &e : c.phoneNumbers)
        e = { hostile, hostile };
    for (auto &e : c.postalAddresses) {
        e.label = hostile;
        e.value.street = e.value.isoCountryCode = e.value.subLocality = hostile;
    }
    for (auto &e : c.editExtras().socialProfiles)
        e = { hostile, { hostile, hostile, hostile, hostile } };
    for (auto &e : c.editExtras().instantMessageAddresses)
        e = { hostile, { hostile, hostile } };
    for (auto &e : c.editExtras().contactRelations)
        e = { hostile, { hostile } };
    for (auto &e : c.editExtras().dates)
        e.label = hostile;

    QByteArray text;
    VCardWriter::appendCard(text, c, "NOTE:added\r\n");
    EXPECT_EQ(text.count("\r\n"), text.count('\n'));
    EXPECT_EQ(text.count('\r'), text.count('\n'));
    const QList<QByteArray> lines = physicalLines(text);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.last(), "END:VCARD\r");
    EXPECT_EQ(lines[lines.size() - 2], "NOTE:added\r");
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        for (const char *name : { "NOTE", "PHOTO", "CATEGORIES", "X-RENMEI", "X-HAGAKILAYOUTS", "END" }) {
            const QByteArray &line = lines[i];
            const qsizetype n = qsizetype(qstrlen(name));
            EXPECT_FALSE(line.startsWith(name) && line.size() > n && (line[n] == ':' || line[n] == ';'))
                << line.toStdString();
        }
    }
}
