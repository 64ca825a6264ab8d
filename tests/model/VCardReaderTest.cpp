#include "common/TestPaths.h"
#include "model/StoreKeys.h"
#include "model/VCardPropertyMapper.h"
#include "model/VCardSerialization.h"
#include "model/VCardTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Reads a single card given as lines joined by CR LF.
StoreContact readOne(const QByteArray &body, const QByteArray &version = "3.0")
{
    QByteArray text = "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "\r\nEND:VCARD\r\n";
    QString error;
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(text, &error);
    EXPECT_EQ(contacts.size(), 1) << error.toStdString() << "\n" << text.toStdString();
    return contacts.value(0);
}

StoreContact readFixture(const char *name)
{
    QString error;
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(
        VCardTestSupport::readFile(TestPaths::data(u"vcard/"_s + QString::fromLatin1(name))), &error);
    EXPECT_EQ(contacts.size(), 1) << name << ": " << error.toStdString();
    return contacts.value(0);
}

} // namespace

TEST(VCardReaderTest, AddressBookCardFillsEveryField)
{
    const StoreContact c = readFixture("address_book.vcf");
    EXPECT_EQ(c.identifier, u"1234-ABCD"_s);
    EXPECT_EQ(c.familyName, u"Hawthorne"_s);
    EXPECT_EQ(c.givenName, u"Jane"_s);
    EXPECT_EQ(c.extras().middleName, u"Q."_s);
    EXPECT_EQ(c.extras().namePrefix, u"Dr."_s);
    EXPECT_EQ(c.extras().nameSuffix, u"PhD"_s);
    EXPECT_EQ(c.extras().nickname, u"Janie"_s);
    EXPECT_EQ(c.phoneticGivenName, u"Jeyn"_s);
    EXPECT_EQ(c.phoneticFamilyName, u"Apulsiid"_s);
    EXPECT_EQ(c.extras().previousFamilyName, u"Smith"_s);
    EXPECT_EQ(c.organizationName, u"Example Corp"_s);
    EXPECT_EQ(c.departmentName, u"Research; Development"_s);
    EXPECT_EQ(c.jobTitle, u"Chief Scientist"_s);
    EXPECT_EQ(c.contactType, StoreContact::Type::Person);

    ASSERT_EQ(c.emailAddresses.size(), 2);
    EXPECT_EQ(c.emailAddresses[0].label, CN::LabelWork);
    EXPECT_EQ(c.emailAddresses[1].label, u"Lab"_s);
    EXPECT_EQ(c.emailAddresses[1].value, u"jane@lab.example"_s);

    const QList<QString> phoneLabels = { CN::LabelPhoneNumberMobile, CN::LabelPhoneNumberHomeFax,
        CN::LabelPhoneNumberWorkFax, CN::LabelPhoneNumberOtherFax, CN::LabelPhoneNumberPager,
        CN::LabelPhoneNumberMain, CN::LabelPhoneNumberiPhone, CN::LabelContactRelationAssistant };
    ASSERT_EQ(c.phoneNumbers.size(), phoneLabels.size());
    for (qsizetype i = 0; i < phoneLabels.size(); ++i)
        EXPECT_EQ(c.phoneNumbers[i].label, phoneLabels[i]) << i;

    ASSERT_EQ(c.postalAddresses.size(), 1);
    const StorePostalAddress &a = c.postalAddresses[0].value;
    EXPECT_EQ(c.postalAddresses[0].label, CN::LabelHome);
    // The post-office box and the extended address are lines of the street, as every view shows it.
    EXPECT_EQ(a.street, u"PO Box 7\nApt 3\n12 Orchard Lane\nBuilding 2"_s);
    EXPECT_TRUE(a.subAdministrativeArea.isEmpty() && a.subLocality.isEmpty());
    EXPECT_EQ(a.city, u"Springfield"_s);
    EXPECT_EQ(a.state, u"IL"_s);
    EXPECT_EQ(a.postalCode, u"62701"_s);
    EXPECT_EQ(a.country, u"United States"_s); // folded line joined with its leading space removed
    EXPECT_EQ(a.isoCountryCode, u"us"_s);

    ASSERT_EQ(c.urlAddresses.size(), 1);
    EXPECT_EQ(c.urlAddresses[0].label, CN::LabelURLAddressHomePage);
    EXPECT_EQ(c.urlAddresses[0].value, u"https://example.com/jane"_s);

    ASSERT_TRUE(c.birthday.has_value());
    EXPECT_EQ(*c.birthday, (DateComponents { 0, 5, 17 }));
    ASSERT_EQ(c.extras().dates.size(), 1);
    EXPECT_EQ(c.extras().dates[0].label, CN::LabelDateAnniversary);
    EXPECT_EQ(c.extras().dates[0].value, (DateComponents { 2004, 8, 12 }));
    ASSERT_EQ(c.extras().contactRelations.size(), 1);
    EXPECT_EQ(c.extras().contactRelations[0].label, CN::LabelContactRelationSpouse);
    EXPECT_EQ(c.extras().contactRelations[0].value.name, u"John Hawthorne"_s);

    ASSERT_EQ(c.extras().socialProfiles.size(), 1);
    EXPECT_EQ(c.extras().socialProfiles[0].value.service, u"twitter"_s);
    EXPECT_EQ(c.extras().socialProfiles[0].value.username, u"janeq"_s);
    EXPECT_EQ(c.extras().socialProfiles[0].value.urlString, u"http://twitter.com/janeq"_s);

    ASSERT_EQ(c.extras().instantMessageAddresses.size(), 2);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].label, CN::LabelHome);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].value.service, u"Skype"_s);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].value.username, u"jane.q"_s);
    EXPECT_EQ(c.extras().instantMessageAddresses[1].label, CN::LabelWork);
    EXPECT_EQ(c.extras().instantMessageAddresses[1].value.service, CN::InstantMessageServiceAIM);
    EXPECT_EQ(c.extras().instantMessageAddresses[1].value.username, u"janeaim"_s);
}

// Shift_JIS bytes whose second byte is a backslash (表, 能) must be decoded before escapes are
// undone or values split; vendor characters (①, ㈱, Ⅰ) must survive.
TEST(VCardReaderTest, ShiftJisQuotedPrintableDecodesBeforeUnescaping)
{
    const StoreContact c = readFixture("shift_jis_qp.vcf");
    EXPECT_EQ(c.familyName, u"表田"_s);
    EXPECT_EQ(c.givenName, u"能子"_s);
    EXPECT_EQ(c.phoneticFamilyName, u"ﾋｮｳﾀﾞ"_s);
    EXPECT_EQ(c.phoneticGivenName, u"ﾉｳｺ"_s);
    EXPECT_EQ(c.organizationName, u"㈱表示①Ⅰ"_s);
    ASSERT_EQ(c.postalAddresses.size(), 1);
    EXPECT_EQ(c.postalAddresses[0].value.street, u"能登町1-2"_s); // joined across a soft line break
    EXPECT_EQ(c.postalAddresses[0].value.city, u"表市"_s);
    EXPECT_EQ(c.postalAddresses[0].value.postalCode, u"100-0001"_s);

    const StoreContact raw = readFixture("shift_jis_raw.vcf");
    EXPECT_EQ(raw.familyName, u"表"_s);
    EXPECT_EQ(raw.givenName, u"能"_s);
}

// ISO-2022-JP is written in 7-bit bytes, which always pass for UTF-8; in 山本 they include ';' and
// the backslash, which must not cut or escape anything.
TEST(VCardReaderTest, SevenBitCharsetsAreNotTakenForUtf8)
{
    const StoreContact c = readOne("N;CHARSET=ISO-2022-JP:\x1b$B;3K\\\x1b(B;\x1b$BB@O:\x1b(B;;;\r\n"
                                   "TITLE;CHARSET=ISO-2022-JP:\x1b$BI=\x1b(B\r\n"
                                   "NOTE;CHARSET=UTF-7:+XHFnLA-");
    EXPECT_EQ(c.familyName, u"山本"_s);
    EXPECT_EQ(c.givenName, u"太郎"_s);
    EXPECT_EQ(c.jobTitle, u"表"_s);
    EXPECT_EQ(c.note, u"山本"_s);
    // A charset that is no 7-bit one still gives way to well-formed UTF-8, as mislabelled files need.
    EXPECT_EQ(readOne("TITLE;CHARSET=SHIFT_JIS:\xe8\xa1\xa8").jobTitle, u"表"_s);
}

TEST(VCardReaderTest, TypeParametersBecomeStoreLabels)
{
    struct Row
    {
        const char *line;
        QString label;
    };
    const Row rows[] = {
        { "TEL;TYPE=HOME:1", CN::LabelHome }, { "TEL;type=work;type=pref:1", CN::LabelWork }, // pref ignored
        { "TEL;HOME;VOICE:1", CN::LabelHome }, // 2.1 bare parameters
        { "TEL;TYPE=CELL,VOICE:1", CN::LabelPhoneNumberMobile },
        { "TEL;TYPE=\"fax,home\":1", CN::LabelPhoneNumberHomeFax }, // quoted comma list
        { "TEL;FAX;WORK:1", CN::LabelPhoneNumberWorkFax }, { "TEL;TYPE=FAX:1", CN::LabelPhoneNumberOtherFax },
        { "TEL;TYPE=pager:1", CN::LabelPhoneNumberPager }, { "TEL;TYPE=MAIN:1", CN::LabelPhoneNumberMain },
        { "TEL;TYPE=iPhone:1", CN::LabelPhoneNumberiPhone }, { "TEL:1", QString() },
        { "item7.TEL;TYPE=HOME:1\r\nitem7.X-ABLabel:Cottage", u"Cottage"_s }, // custom label wins
        { "ITEM7.X-ABLABEL:_$!<Other>!$_\r\nitem7.tel:1", CN::LabelOther }, // order and case free
        { "TEL; type = work , fax ;x=1:1", CN::LabelPhoneNumberWorkFax }, // space around the words
        { "TEL;X-KIND=cell;TYPE=home:1", CN::LabelHome }, // only TYPE names the kind
        { "TEL;;TYPE=;TYPE=cell,:1", CN::LabelPhoneNumberMobile }, // empty parameters and words
        { "TEL;TYPE=cell;X-NOTE=\"a;b\";TYPE=home:1", CN::LabelPhoneNumberMobile }, // a quote anywhere
    };
    for (const Row &row : rows) {
        const StoreContact c = readOne(row.line);
        ASSERT_EQ(c.phoneNumbers.size(), 1) << row.line;
        EXPECT_EQ(c.phoneNumbers[0].label, row.label) << row.line;
    }
}

TEST(VCardReaderTest, LineStructureOddities)
{
    struct Row
    {
        const char *what;
        QByteArray body;
        QByteArray version;
        QString expectedFamilyName;
    };
    const Row rows[] = {
        { "space continuation", "N:Sm\r\n ith;;;;", "3.0", u"Smith"_s },
        { "tab continuation", "N:Sm\r\n\tith;;;;", "3.0", u"Smith"_s },
        { "LF line ends", "N:Smith;;;;\nFN:x", "3.0", u"Smith"_s },
        { "lower-case names", "n:Smith;;;;", "3.0", u"Smith"_s },
        { "escapes", "N:A\\;B\\,C\\\\D\\nE;;;;", "3.0", u"A;B,C\\D\nE"_s },
        { "QP soft break", "N;ENCODING=QUOTED-PRINTABLE:Sm=\r\nith;;;;", "2.1", u"Smith"_s },
        { "QP bare parameter", "N;QUOTED-PRINTABLE;CHARSET=UTF-8:H=C3=B6rmann;;;;", "2.1", u"Hörmann"_s },
        { "QP line breaks become LF", "N;ENCODING=QUOTED-PRINTABLE:a=0D=0Ab;;;;", "2.1", u"a\nb"_s },
        { "base64 text with charset", "N;ENCODING=B;CHARSET=ISO-8859-1:SPZybWFubg==", "3.0", u"Hörmann"_s },
        { "latin-1 without valid UTF-8", "N;CHARSET=ISO-8859-1:H\xf6rmann;;;;", "2.1", u"Hörmann"_s },
        { "unknown charset falls back", "N;CHARSET=NO-SUCH-SET:Smith;;;;", "2.1", u"Smith"_s },
        // A lone surrogate from UTF-16 bytes could never be written back as UTF-8.
        { "unpaired surrogate replaced", "N;ENCODING=B;CHARSET=UTF-16BE:2AAAQQ==", "3.0", u"\ufffdA"_s },
        { "2.1 escaped line break", "N:Sm\\\r\nith;;;;", "2.1", u"Sm\nith"_s },
        { "stray comment line", "this is no property\r\nN:Smith;;;;", "2.1", u"Smith"_s },
        { "4.0 card", "N:Smith;;;;\r\nKIND:individual", "4.0", u"Smith"_s },
    };
    for (const Row &row : rows) {
        const StoreContact c = readOne(row.body, row.version);
        EXPECT_EQ(c.familyName, row.expectedFamilyName) << row.what;
    }

    // Old Macintosh text: CR alone ends every line.
    const QList<StoreContact> cr = VCardSerialization::contactsWithData(
        "BEGIN:VCARD\rVERSION:3.0\rN:Sm\r ith;;;;\rTEL:1\rEND:VCARD\r");
    ASSERT_EQ(cr.size(), 1);
    EXPECT_EQ(cr[0].familyName, u"Smith"_s);
    EXPECT_EQ(cr[0].phoneNumbers.size(), 1);
}

TEST(VCardReaderTest, PhoneticNamesFromJapanesePhones)
{
    struct Row
    {
        const char *body;
        QString family;
        QString given;
    };
    const Row rows[] = {
        { "SOUND;X-IRMC-N:ﾔﾏﾀﾞ;ﾀﾛｳ;;;", u"ﾔﾏﾀﾞ"_s, u"ﾀﾛｳ"_s },
        { "SOUND;X-IRMC-N:ﾔﾏﾀﾞ ﾀﾛｳ;;;;", u"ﾔﾏﾀﾞ ﾀﾛｳ"_s, QString() }, // whole reading first
        { "SOUND;TYPE=X-IRMC-N:ﾔﾏﾀﾞ", u"ﾔﾏﾀﾞ"_s, QString() },
        { "SOUND;X-IRMC-N:a;b\r\nX-PHONETIC-LAST-NAME:Yamada", u"Yamada"_s, QString() },
        { "SOUND:http://example.com/x.wav", QString(), QString() },
        // vCard 4.0 writers give the reading as how the name sorts, parted by "," or ";".
        { "N;SORT-AS=\"あんどう;ろいど\":安藤;ロイド;;;", u"あんどう"_s, u"ろいど"_s },
        { "N;SORT-AS=\"Harten,Rene\":van Harten;Rene;;;", u"Harten"_s, u"Rene"_s },
        { "N;SORT-AS=a,b:x;y\r\nX-PHONETIC-LAST-NAME:Own", u"Own"_s, QString() },
    };
    for (const Row &row : rows) {
        const StoreContact c = readOne(row.body, "2.1");
        EXPECT_EQ(c.phoneticFamilyName, row.family) << row.body;
        EXPECT_EQ(c.phoneticGivenName, row.given) << row.body;
    }
}

TEST(VCardReaderTest, DateForms)
{
    struct Row
    {
        const char *text;
        int omitYear;
        std::optional<DateComponents> expected;
    };
    const Row rows[] = {
        { "1980-02-29", 0, DateComponents { 1980, 2, 29 } },
        { "19800229", 0, DateComponents { 1980, 2, 29 } },
        { "1980-02-29T10:00:00Z", 0, DateComponents { 1980, 2, 29 } },
        { "--0229", 0, DateComponents { 0, 2, 29 } },
        { "--02-29", 0, DateComponents { 0, 2, 29 } },
        { "1604-05-17", 1604, DateComponents { 0, 5, 17 } },
        { "1604-05-17", 0, DateComponents { 1604, 5, 17 } },
        { "1981-02-29", 0, std::nullopt }, // no such day
        { "---29", 0, std::nullopt }, // day only
        { "1980", 0, std::nullopt },
        { "yesterday", 0, std::nullopt },
        { "", 0, std::nullopt },
        { "1980-02-29-01-01", 0, std::nullopt },
    };
    for (const Row &row : rows)
        EXPECT_EQ(VCardPropertyMapper::parseDate(QString::fromLatin1(row.text), row.omitYear), row.expected)
            << row.text;

    const StoreContact c
        = readOne("BDAY:--0517\r\nANNIVERSARY:20100101\r\nX-ABDATE;TYPE=anniversary:2011-02-03", "4.0");
    EXPECT_EQ(c.birthday, (DateComponents { 0, 5, 17 }));
    ASSERT_EQ(c.extras().dates.size(), 2);
    EXPECT_EQ(c.extras().dates[0].label, CN::LabelDateAnniversary);
    EXPECT_EQ(c.extras().dates[1].label, CN::LabelDateAnniversary);
}

TEST(VCardReaderTest, OrganisationsAndNames)
{
    StoreContact c = readOne("N:;;;;\r\nFN:Acme\r\nORG:Acme;Sales;East\r\nX-ABShowAs:COMPANY");
    EXPECT_EQ(c.contactType, StoreContact::Type::Organization);
    EXPECT_EQ(c.organizationName, u"Acme"_s);
    EXPECT_EQ(c.departmentName, u"Sales;East"_s);
    EXPECT_TRUE(c.givenName.isEmpty());

    c = readOne("FN:Acme Inc\r\nKIND:org", "4.0");
    EXPECT_EQ(c.contactType, StoreContact::Type::Organization);
    EXPECT_EQ(c.organizationName, u"Acme Inc"_s);

    // With an N, the formatted name is only a display form: it must not turn into a company name.
    c = readOne("N:Doe;;;;\r\nFN:Doe\r\nX-ABShowAs:COMPANY");
    EXPECT_TRUE(c.organizationName.isEmpty());

    c = readOne("FN:Only Formatted", "4.0"); // no N: the formatted name is all there is
    EXPECT_EQ(c.givenName, u"Only Formatted"_s);

    // A card naming only its organisation is the organisation's, so it does not show as "No Name";
    // an empty N leaves the name to FN; empty components after the suffix are none of it.
    c = readOne("N:;;;;\r\nORG:Ximian\\, Inc.");
    EXPECT_EQ(c.contactType, StoreContact::Type::Organization);
    c = readOne("N:;;;;\r\nFN:Globex\r\nORG:Globex");
    EXPECT_EQ(c.contactType, StoreContact::Type::Organization);
    c = readOne("N:;;;;\r\nFN:Test bday without year\r\nORG:Initech");
    EXPECT_EQ(c.contactType, StoreContact::Type::Person);
    EXPECT_EQ(c.givenName, u"Test bday without year"_s);
    c = readOne("N:Holmes;Sherlock;;Mr;;");
    EXPECT_TRUE(c.extras().nameSuffix.isEmpty());
    // In vCard 4.0 the sixth and seventh components, a secondary surname and a generation, join the
    // family name and the suffix; older versions define none past the fifth, kept with the suffix.
    c = readOne("N:Wesker;Albert;;Dr.;MSc;Extra;II;More", "4.0");
    EXPECT_EQ(c.familyName, u"Wesker Extra"_s);
    EXPECT_EQ(c.extras().nameSuffix, u"MSc II More"_s);
    c = readOne("N:Wesker;Albert;;Dr.;MSc;Extra");
    EXPECT_EQ(c.familyName, u"Wesker"_s);
    EXPECT_EQ(c.extras().nameSuffix, u"MSc;Extra"_s);

    c = readOne("N:Doe;John");
    EXPECT_FALSE(c.identifier.isEmpty()); // a card without UID still gets a stable identifier
    EXPECT_NE(c.identifier, readOne("N:Doe;John").identifier);
}

TEST(VCardReaderTest, MessagingSocialAndRelations)
{
    const StoreContact c = readOne("IMPP;TYPE=work:xmpp:a@example.org\r\n"
                                   "IMPP:sip:b@example.org\r\n"
                                   "X-JABBER;TYPE=HOME:a@example.org\r\n" // same address in the old form
                                   "X-ICQ:12345\r\n"
                                   "X-SOCIALPROFILE;TYPE=linkedin:http://www.linkedin.com/in/someone/\r\n"
                                   "RELATED;VALUE=text;TYPE=friend:Pat\r\n"
                                   "RELATED:urn:uuid:03a0e51f\r\n"
                                   "X-ABRELATEDNAMES:Sam");
    ASSERT_EQ(c.extras().instantMessageAddresses.size(), 3);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].value.service, CN::InstantMessageServiceJabber);
    EXPECT_EQ(c.extras().instantMessageAddresses[0].label, CN::LabelWork);
    EXPECT_EQ(c.extras().instantMessageAddresses[1].value.service, u"sip"_s);
    EXPECT_EQ(c.extras().instantMessageAddresses[1].value.username, u"b@example.org"_s);
    EXPECT_EQ(c.extras().instantMessageAddresses[2].value.service, CN::InstantMessageServiceICQ);
    ASSERT_EQ(c.extras().socialProfiles.size(), 1);
    EXPECT_EQ(c.extras().socialProfiles[0].value.username, u"someone"_s); // taken from the URL
    // A related person given by a link keeps the link as the name.
    ASSERT_EQ(c.extras().contactRelations.size(), 3);
    EXPECT_EQ(c.extras().contactRelations[0].label, CN::LabelContactRelationFriend);
    EXPECT_EQ(c.extras().contactRelations[1].value.name, u"urn:uuid:03a0e51f"_s);
    EXPECT_EQ(c.extras().contactRelations[2].value.name, u"Sam"_s);
}

TEST(VCardReaderTest, Photos)
{
    // A 2.1 base64 block continued on unindented lines and ended by a blank line.
    StoreContact c = readOne("PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/\r\n4AAQ\r\n\r\nN:Doe;;;;", "2.1");
    EXPECT_EQ(c.extras().imageData, QByteArray::fromBase64("/9j/4AAQ"));
    EXPECT_EQ(c.familyName, u"Doe"_s);

    c = readOne("PHOTO;ENCODING=b;TYPE=JPEG:/9j/\r\n  4AAQ");
    EXPECT_EQ(c.extras().imageData, QByteArray::fromBase64("/9j/4AAQ"));

    c = readOne("PHOTO:data:image/png;base64,iVBORw0K", "4.0");
    EXPECT_EQ(c.extras().imageData, QByteArray::fromBase64("iVBORw0K"));

    c = readOne("PHOTO;VALUE=uri:http://example.com/me.jpg");
    EXPECT_TRUE(c.extras().imageData.isEmpty());
}

TEST(VCardReaderTest, BadInputIsAnErrorNotACrash)
{
    struct Row
    {
        const char *what;
        QByteArray data;
        int contacts;
        bool error;
    };
    const QByteArray good = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Good;;;;\r\nEND:VCARD\r\n";
    const Row rows[] = {
        { "empty", "", 0, true },
        { "no card", "hello\r\nworld", 0, true },
        { "unterminated", "BEGIN:VCARD\r\nN:A;;;;\r\n", 0, true },
        { "empty card", "BEGIN:VCARD\r\nEND:VCARD\r\n", 0, true },
        { "good then unterminated", good + "BEGIN:VCARD\r\nN:Bad", 1, true },
        { "good, empty, good", good + "begin:vcard\r\nend:vcard\r\n" + good, 2, true },
        { "nested cards come out separately",
            "BEGIN:VCARD\r\nN:P;;;;\r\nBEGIN:VCARD\r\nN:C;;;;\r\nEND:VCARD\r\nEND:VCARD", 2, false },
        { "binary junk", QByteArray("BEGIN:VCARD\r\n\0\xff\xfe:\x80;;;\r\nEND:VCARD", 32), 1, false },
        { "unbalanced quote", "BEGIN:VCARD\r\nTEL;TYPE=\"home:1\r\nEND:VCARD", 1, false },
        { "END:VCARD. from a phone", "BEGIN:VCARD\r\nN:A;;;;\r\nEND:VCARD.\r\n", 1, false },
    };
    for (const Row &row : rows) {
        QString error;
        QList<StoreContact> contacts = VCardSerialization::contactsWithData(row.data, &error);
        EXPECT_EQ(contacts.size(), row.contacts) << row.what;
        EXPECT_EQ(!error.isEmpty(), row.error) << row.what << ": " << error.toStdString();
    }

    QString error;
    EXPECT_TRUE(VCardSerialization::contactsWithData("N:x", &error).isEmpty());
    EXPECT_EQ(error, u"no BEGIN:VCARD"_s);

    // Deep nesting and a huge QP value stay bounded.
    QByteArray deep;
    for (int i = 0; i < 100000; ++i)
        deep += "BEGIN:VCARD\r\n";
    EXPECT_TRUE(VCardSerialization::contactsWithData(deep, &error).isEmpty());
    QByteArray longQp = "BEGIN:VCARD\r\nN;ENCODING=QUOTED-PRINTABLE:";
    for (int i = 0; i < 200000; ++i)
        longQp += "=41=\r\n";
    longQp += "\r\nEND:VCARD\r\n";
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(longQp, &error);
    ASSERT_EQ(contacts.size(), 1);
    EXPECT_EQ(contacts[0].familyName.size(), 200000);
}

TEST(VCardReaderTest, InstantMessageServiceNamedOnlyByType)
{
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nN:;A;;;\r\nIMPP;TYPE=SKYPE:someone\r\n"
        "IMPP;TYPE=HOME;TYPE=IRC:chan@example.com\r\nIMPP;TYPE=pref:plain\r\nEND:VCARD\r\n");
    ASSERT_EQ(contacts.size(), 1);
    const auto &ims = contacts.first().extras().instantMessageAddresses;
    ASSERT_EQ(ims.size(), 3);
    EXPECT_EQ(ims[0].value.service, CN::InstantMessageServiceSkype);
    EXPECT_EQ(ims[1].value.service, u"IRC"_s);
    EXPECT_EQ(ims[1].value.username, u"chan@example.com"_s);
    EXPECT_TRUE(ims[2].value.service.isEmpty());
}

TEST(VCardReaderTest, EmptyInputIsAnErrorNotACrash)
{
    QString error;
    EXPECT_TRUE(VCardSerialization::contactsWithData(QByteArray(), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
