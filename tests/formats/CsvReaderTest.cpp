#include "formats/CsvReader.h"

#include "common/PinnedDefaultsTest.h"
#include "formats/CsvTokenizer.h"
#include "formats/CsvWriter.h"
#include "model/ContactDefaults.h"
#include "model/DateComponents.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CsvReaderTest : public PinnedDefaultsTest
{
protected:
    static ContactTable read(const QString &text)
    {
        const CsvReader::Result result = CsvReader::contactsFromCSV(text);
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        return result.entries;
    }
    static QString text(ZRPerson &p, const QString &identifier)
    {
        return p.valueForIdentifier(identifier).toString();
    }
    // "label=value" of every labelled value of the field, in order.
    static QStringList labeled(ZRPerson &p, const QString &identifier, const QString &key = Key::Value)
    {
        QStringList out;
        for (const QVariant &v : p.valueForIdentifier(identifier).toList())
            out << v.toMap().value(Key::Label).toString() + u'=' + v.toMap().value(key).toString();
        return out;
    }
};

} // namespace

TEST_F(CsvReaderTest, HeaderWordsChooseFieldLabelAndPart)
{
    const struct
    {
        const char *header;
        const char *type;
        const char *label;
    } cases[] = {
        { "First Name", "FirstName", "" },
        { "last name", "LastName", "" },
        { "Display Name", "Name", "" },
        { "Nickname", "Nickname", "" }, // holds "name" but is not the name
        { "Mobile Phone", "Phone", "mobile" },
        { "Business Email", "Email", "work" },
        { "E-mail", "Email", "other" },
        { "E-mail Display Name", "Unknown", "" }, // how the address is shown, not whose it is
        { "Given Name", "FirstName", "" },
        { "Family Name", "LastName", "" },
        { "Home Postal Code", "ZIP", "home" },
        { "Organization", "Company", "" },
        { "姓", "LastName", "" },
        { "名", "FirstName", "" },
        { "氏名", "Name", "" },
        { "姓（フリガナ）", "PhoneticLastName", "" },
        { "メイ", "PhoneticFirstName", "" },
        { "名前（フリガナ）", "PhoneticLastName", "" }, // the whole name's reading
        { "会社名", "Company", "" }, // holds 名 but is not the given name
        { "携帯電話", "Phone", "mobile" },
        { "自宅電話番号", "Phone", "home" },
        { "勤務先メールアドレス", "Email", "work" },
        { "郵便番号", "ZIP", "other" },
        { "自宅都道府県", "State", "home" },
        { "会社住所", "Street", "work" },
        { "生年月日", "Birthday", "" },
        { "役職", "Job Title", "" },
        { "備考", "Note", "" },
        { "連名", "Renmei", "" },
        { "Home Street 2", "Street", "home" },
        { "Work ZIP", "ZIP", "work" },
        { "Other State", "State", "other" },
        { "City", "City", "other" },
        { "Job Title", "Job Title", "" }, // before Title
        { "Title", "Title", "" },
        { "Notes", "Note", "" },
        { "LinkedIn", "Social Network", "LinkedIn" },
        { "sinaweibo", "Social Network", "SinaWeibo" },
        { "Fax", "Unknown", "" },
    };
    QStringList headers;
    for (const auto &c : cases)
        headers << QString::fromUtf8(c.header);
    const QList<CsvReader::Column> columns = CsvReader::columnsFromHeader(headers);
    ASSERT_EQ(columns.size(), headers.size());
    for (qsizetype i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(cases[i].header);
        EXPECT_EQ(columns[i].fieldName, headers[i]);
        EXPECT_EQ(columns[i].type, QString::fromUtf8(cases[i].type));
        EXPECT_EQ(columns[i].label, QString::fromUtf8(cases[i].label));
    }
    EXPECT_EQ(CsvReader::detectType(u"Fax"_s), u""_s);
    EXPECT_EQ(CsvReader::detectLabel(u"Pager"_s), u"other"_s);
    EXPECT_EQ(CsvReader::detectAddressType(u"Addr"_s), u"Street"_s);
}

TEST_F(CsvReaderTest, WhatTheWriterWritesReadsBack)
{
    auto ann = ZRPerson::create();
    ann->setValueForIdentifier(
        QVariantMap { { Ident::FirstName, u"Ann"_s }, { Ident::LastName, u"Lee"_s } }, Ident::Name);
    ann->addLabeledValue(
        QVariantMap { { Key::Label, u"home"_s }, { Key::Value, u"03-1111-2222"_s } }, Ident::Phone);
    ann->addLabeledValue(
        QVariantMap { { Key::Label, u"work"_s }, { Key::Value, u"ann@example.com"_s } }, Ident::Email);
    ann->addLabeledValue(
        QVariantMap { { Key::Label, u"home"_s }, { Ident::ZIP, u"104-0061"_s }, { Ident::State, u"東京都"_s },
            { Ident::City, u"中央区"_s }, { Ident::Street, u"銀座1-2-3, \"山田\"ビル"_s } },
        Ident::Address);
    ann->setValueForIdentifier(QVariant::fromValue(DateComponents { 1990, 4, 5 }), Ident::Birthday);
    ann->setValueForIdentifier(u"Acme, Inc."_s, Ident::Company);
    ann->setValueForIdentifier(u"Line one, with comma\nline \"two\"\r\n\tindented; 終わり"_s, Ident::Note);
    ann->setValueForIdentifier(u"Annie"_s, Ident::Nickname);

    auto taro = ZRPerson::create();
    taro->setValueForIdentifier(
        QVariantMap { { Ident::FirstName, u"太郎"_s }, { Ident::LastName, u"山田"_s } }, Ident::Name);
    taro->addLabeledValue(
        QVariantMap { { Key::Label, u"mobile"_s }, { Key::Value, u"090-0000-1111"_s } }, Ident::Phone);
    taro->setValueForIdentifier(QVariant::fromValue(DateComponents { 0, 12, 24 }), Ident::Birthday);

    ContactTable rows;
    for (const auto &p : { ann, taro }) {
        auto e = std::make_shared<ContactEntry>();
        e->person = p;
        rows << e;
    }
    const ContactTable back = read(CsvWriter::csvFromSubContacts(rows));
    ASSERT_EQ(back.size(), 2);
    ZRPerson &a = *back[0]->person;
    EXPECT_TRUE(back[0]->isNew);
    EXPECT_EQ(back[0]->uniqueId, a.uniqueId());
    EXPECT_EQ(text(a, Ident::FirstName), u"Ann"_s);
    EXPECT_EQ(text(a, Ident::LastName), u"Lee"_s);
    EXPECT_EQ(a.compositeName(), ann->compositeName());
    EXPECT_EQ(labeled(a, Ident::Phone), QStringList { u"home=03-1111-2222"_s });
    EXPECT_EQ(labeled(a, Ident::Email), QStringList { u"work=ann@example.com"_s });
    const QVariantMap address = a.labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
    EXPECT_EQ(address.value(Key::Label).toString(), u"home"_s);
    EXPECT_EQ(address.value(Ident::ZIP).toString(), u"104-0061"_s);
    EXPECT_EQ(address.value(Ident::State).toString(), u"東京都"_s);
    EXPECT_EQ(address.value(Ident::City).toString(), u"中央区"_s);
    EXPECT_EQ(address.value(Ident::Street).toString(), u"銀座1-2-3, \"山田\"ビル"_s);
    EXPECT_EQ(a.valueForIdentifier(Ident::Birthday).toMap().value(Key::Value).value<DateComponents>(),
        (DateComponents { 1990, 4, 5 }));
    EXPECT_EQ(text(a, Ident::Company), u"Acme, Inc."_s);
    // The record keeps LF line breaks, which is what a CR LF inside a quoted field becomes.
    EXPECT_EQ(text(a, Ident::Note), u"Line one, with comma\nline \"two\"\n\tindented; 終わり"_s);
    EXPECT_EQ(text(a, Ident::Nickname), u"Annie"_s);

    ZRPerson &t = *back[1]->person;
    EXPECT_EQ(t.compositeName(), taro->compositeName());
    EXPECT_EQ(labeled(t, Ident::Phone), QStringList { u"other=090-0000-1111"_s });
    EXPECT_EQ(t.valueForIdentifier(Ident::Birthday).toMap().value(Key::Value).value<DateComponents>(),
        (DateComponents { 0, 12, 24 }));
}

TEST_F(CsvReaderTest, OtherProgramsFilesAndTheirOddities)
{
    // A first line that does not name columns is a contact as well as the names of its columns.
    const ContactTable headerToo = read(u"Ann Lee,Mobile Phone,ann@example.com\r\nBob Ray,090,b@x\r\n"_s);
    ASSERT_EQ(headerToo.size(), 2);
    EXPECT_EQ(labeled(*headerToo[0]->person, Ident::Phone), QStringList { u"mobile=Mobile Phone"_s });
    EXPECT_EQ(labeled(*headerToo[1]->person, Ident::Phone), QStringList { u"mobile=090"_s });

    // Two columns of the same field and label fill one phone, with the later value.
    const ContactTable twice = read(u"Name,Home Phone,Home Phone\nAnn,1,2\n"_s);
    ASSERT_EQ(twice.size(), 1);
    EXPECT_EQ(labeled(*twice[0]->person, Ident::Phone), QStringList { u"home=2"_s });

    // Short and empty lines are skipped; extra fields are ignored; missing ones are empty.
    const ContactTable sparse = read(u"Name,Company\n\nA\n\r\n,\nBob,Acme,extra,more\nCy\n"_s);
    ASSERT_EQ(sparse.size(), 2);
    EXPECT_EQ(text(*sparse[0]->person, Ident::Company), u"Acme"_s);
    EXPECT_EQ(sparse[1]->person->compositeName(), u"Cy"_s);

    // With name-part columns present, an empty part stays empty (a company's row, a nameless
    // contact's placeholder); without them, the whole name becomes the record's name.
    const ContactTable parts = read(u"Name,First Name,Last Name\nAcme,,\n"_s);
    ASSERT_EQ(parts.size(), 1);
    EXPECT_EQ(text(*parts[0]->person, Ident::LastName), u""_s);

    // Quoted fields: at the line start, holding separators, line breaks and doubled quotes.
    const ContactTable quoted
        = read(u"Name,Note,Company\n\"Lee, Ann\",\"x\ny\",\"The \"\"Best\"\" Co\"\n\"Bob\"tail,n,c\n"_s);
    ASSERT_EQ(quoted.size(), 2);
    EXPECT_EQ(quoted[0]->person->valueForIdentifier(Ident::Name).toMap().value(Ident::Name).toString(),
        u"Lee, Ann"_s);
    EXPECT_EQ(quoted[0]->person->compositeName(), u"Lee, Ann"_s);
    EXPECT_EQ(text(*quoted[0]->person, Ident::Note), u"x\ny"_s);
    EXPECT_EQ(text(*quoted[0]->person, Ident::Company), u"The \"Best\" Co"_s);
    EXPECT_EQ(quoted[1]->person->valueForIdentifier(Ident::Name).toMap().value(Ident::Name).toString(),
        u"Bobtail"_s);

    // Birthdays: dotted dates with or without weekday give a date; other text gives none.
    const struct
    {
        const char *text;
        DateComponents date;
    } birthdays[] = {
        { "1990.04.05", { 1990, 4, 5 } },
        { "1990.04.05 Thu", { 1990, 4, 5 } },
        { "1990.04.05(木)", { 1990, 4, 5 } },
        { "04.05", { 0, 4, 5 } },
        { "April 5, 1990", {} },
        { "1990.02.30", {} },
    };
    for (const auto &b : birthdays) {
        SCOPED_TRACE(b.text);
        QVariantMap contact;
        CsvReader::createContact(contact, QString::fromUtf8(b.text), Ident::Birthday, {});
        const QVariantMap birthday = contact.value(Ident::Birthday).toMap();
        EXPECT_EQ(birthday.value(Key::StringValue).toString(), QString::fromUtf8(b.text));
        EXPECT_EQ(birthday.value(Key::Value).value<DateComponents>(), b.date);
    }

    // A byte-order mark does not hide the header; unknown columns go to the entry's extras only
    // when a field takes them, and an unmatched social column keeps its service.
    const ContactTable bom = read(u"\uFEFFName,Facebook,Fax\nAnn,ann.fb,123\n"_s);
    ASSERT_EQ(bom.size(), 1);
    EXPECT_EQ(labeled(*bom[0]->person, Ident::SocialNetwork), QStringList { u"Facebook=ann.fb"_s });
}

TEST_F(CsvReaderTest, AHeaderLineOfOtherProgramsNamesTheColumnsAndIsNoContact)
{
    // A Japanese address book's export: readings, a street in two columns, joint names.
    const ContactTable japanese
        = read(u"姓,名,セイ,メイ,郵便番号,住所1,住所2,電話番号,メールアドレス,会社名,連名\r\n"
               u"山田,太郎,ヤマダ,タロウ,150-0001,渋谷区神宮前1-2-3,メゾン渋谷101,"
               u"03-1234-5678,taro@example.jp,山田商事,花子\r\n"_s);
    ASSERT_EQ(japanese.size(), 1);
    ZRPerson &taro = *japanese[0]->person;
    EXPECT_EQ(text(taro, Ident::LastName), u"山田"_s);
    EXPECT_EQ(text(taro, Ident::FirstName), u"太郎"_s);
    EXPECT_EQ(text(taro, Ident::PhoneticLastName), u"ヤマダ"_s);
    EXPECT_EQ(text(taro, Ident::PhoneticFirstName), u"タロウ"_s);
    EXPECT_EQ(labeled(taro, Ident::Address, Ident::Street),
        QStringList { u"other=渋谷区神宮前1-2-3\nメゾン渋谷101"_s });
    EXPECT_EQ(labeled(taro, Ident::Address, Ident::ZIP), QStringList { u"other=150-0001"_s });
    EXPECT_EQ(labeled(taro, Ident::Phone), QStringList { u"other=03-1234-5678"_s });
    EXPECT_EQ(labeled(taro, Ident::Email), QStringList { u"other=taro@example.jp"_s });
    EXPECT_EQ(text(taro, Ident::Company), u"山田商事"_s);
    EXPECT_EQ(text(taro, Ident::Renmei), u"花子"_s);

    // Another address book's English words, with a column of its own that names no field.
    const ContactTable english
        = read(u"Given Name,Family Name,E-mail 1 - Value,Phone 1 - Value,Home Street,Home Street 2,"
               u"Home City,Home Postal Code,Group Membership\n"
               u"Jane,Doe,jane@example.com,555-0100,1 Elm St,Apt 4,Springfield,12345,* myContacts\n"_s);
    ASSERT_EQ(english.size(), 1);
    ZRPerson &jane = *english[0]->person;
    EXPECT_EQ(jane.compositeName(), u"Jane Doe"_s);
    EXPECT_EQ(labeled(jane, Ident::Email), QStringList { u"other=jane@example.com"_s });
    EXPECT_EQ(labeled(jane, Ident::Address, Ident::Street), QStringList { u"home=1 Elm St\nApt 4"_s });
    EXPECT_EQ(labeled(jane, Ident::Address, Ident::ZIP), QStringList { u"home=12345"_s });

    // A single title is a header; a first contact that happens to hold a title's word is not.
    EXPECT_TRUE(read(u"Email\nann@example.com\n"_s).size() == 1);
    const ContactTable data = read(u"Ann,Home Phone,03-1234-5678\nBob,Home Phone,090\n"_s);
    EXPECT_EQ(data.size(), 2);
}

TEST_F(CsvReaderTest, TextThatIsNotCsvGivesAClearError)
{
    const QString longField
        = u"Name,Note\nAnn,\""_s + QString(CsvTokenizer::MaxFieldLength + 1, u'x') + u"\"\n"_s;
    QString manyFields = u"Name"_s;
    for (int i = 0; i < CsvTokenizer::MaxFields + 1; ++i)
        manyFields += u",x"_s;
    const struct
    {
        const char *what;
        QString text;
        qsizetype line;
        const char *messageHolds;
    } cases[] = {
        { "empty", u""_s, 0, "no lines" },
        { "binary", u"Name,Phone\nA\u0000B,1\n"_s, 2, "NUL" },
        { "no known column", u"foo,bar\n1,2\n"_s, 1, "No column" },
        { "quote never closes", u"Name,Note\nAnn,ok\nBob,\"open\nand on\n"_s, 3, "closing quote" },
        { "overlong field", longField, 2, "longer than" },
        { "too many fields", manyFields, 1, "more than" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CsvReader::Result result = CsvReader::contactsFromCSV(c.text);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.entries.isEmpty());
        EXPECT_EQ(result.errorLine, c.line);
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(c.messageHolds))) << result.error.toStdString();
    }
    // A header alone is a file with no contacts, not an error.
    const CsvReader::Result headerOnly = CsvReader::contactsFromCSV(u"Name,Phone\n"_s);
    EXPECT_TRUE(headerOnly.ok());
    EXPECT_TRUE(headerOnly.entries.isEmpty());
}
