#include "formats/CsvWriter.h"

#include "common/PinnedDefaultsTest.h"
#include "model/ContactDefaults.h"
#include "model/DateComponents.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CsvWriterTest : public PinnedDefaultsTest
{
protected:
    static std::shared_ptr<ZRPerson> person(const QString &first, const QString &last)
    {
        return personNamed(first, last);
    }
    static ContactEntryPtr row(const std::shared_ptr<ZRPerson> &p, qsizetype labelIndex = 0)
    {
        auto e = std::make_shared<ContactEntry>();
        e->person = p;
        e->labelIndex = labelIndex;
        return e;
    }
    static void add(ZRPerson &p, const QString &identifier, const QString &label, const QString &value)
    {
        p.addLabeledValue(QVariantMap { { Key::Label, label }, { Key::Value, value } }, identifier);
    }
    // The data line of the file as a map from header to field (no field of these rows is quoted).
    static QMap<QString, QString> fields(const QString &csv, int line = 1)
    {
        const QStringList lines = csv.split(u'\n');
        const QStringList header = lines.first().split(u',');
        const QStringList values = lines.at(line).split(u',');
        QMap<QString, QString> out;
        for (qsizetype i = 0; i < header.size(); ++i)
            if (!values.value(i).isEmpty())
                out.insert(header[i], values.value(i));
        return out;
    }
};

} // namespace

TEST_F(CsvWriterTest, HeaderNamesTheThirtyTwoColumns)
{
    const QString csv = CsvWriter::csvFromSubContacts({});
    EXPECT_EQ(csv,
        u"Name,Home Phone,Work Phone,Other Phone,Home Email,Work Email,Other Email,"
        "Home ZIP,Home State,Home City,Home Street,Work ZIP,Work State,Work City,Work Street,"
        "Other ZIP,Other State,Other City,Other Street,Birthday,Title,Company,Department,Job Title,"
        "First Name,Last Name,Nickname,Note,Facebook,LinkedIn,Flickr,SinaWeibo\n"_s);
    EXPECT_EQ(CsvWriter::columns().size(), 32);
}

TEST_F(CsvWriterTest, LabelledValuesLandInTheirLabelsColumns)
{
    auto p = person(u"Ann"_s, u"Lee"_s);
    add(*p, Ident::Phone, u"mobile"_s, u"090-1111"_s); // neither home nor work: Other
    add(*p, Ident::Phone, u"home"_s, u"03-2222"_s);
    add(*p, Ident::Email, u"work"_s, u"ann@example.com"_s);
    p->addLabeledValue(QVariantMap { { Key::Label, u"home"_s }, { Ident::ZIP, u"104-0061"_s },
                           { Ident::City, u"Chuo"_s }, { Ident::Street, u"Ginza 1"_s } },
        Ident::Address);
    p->addLabeledValue(
        QVariantMap { { Key::Label, u"Facebook"_s }, { Key::Value, u"ann.lee"_s } }, Ident::SocialNetwork);
    p->setValueForIdentifier(u"Acme"_s, Ident::Company);
    p->setValueForIdentifier(u"Boss"_s, Ident::JobTitle);
    p->setValueForIdentifier(QVariant::fromValue(DateComponents { 1990, 4, 5 }), Ident::Birthday);

    const QString csv = CsvWriter::csvFromSubContacts({ row(p), row(p, 1) });
    EXPECT_EQ(csv.count(u'\n'), 3);
    const QString birthday
        = p->valueForIdentifier(Ident::Birthday).toMap().value(Key::StringValue).toString();
    ASSERT_FALSE(birthday.isEmpty());
    EXPECT_EQ(fields(csv, 1),
        (QMap<QString, QString> { { u"Name"_s, u"Ann Lee"_s }, { u"Other Phone"_s, u"090-1111"_s },
            { u"Work Email"_s, u"ann@example.com"_s }, { u"Home ZIP"_s, u"104-0061"_s },
            { u"Home City"_s, u"Chuo"_s }, { u"Home Street"_s, u"Ginza 1"_s }, { u"Company"_s, u"Acme"_s },
            { u"Job Title"_s, u"Boss"_s }, { u"Birthday"_s, birthday }, { u"First Name"_s, u"Ann"_s },
            { u"Last Name"_s, u"Lee"_s }, { u"Facebook"_s, u"ann.lee"_s } }));
    // Row 1 shows the second phone; single-valued fields stay on row 0, the name parts repeat.
    EXPECT_EQ(fields(csv, 2),
        (QMap<QString, QString> { { u"Name"_s, u"Ann Lee"_s }, { u"Home Phone"_s, u"03-2222"_s },
            { u"First Name"_s, u"Ann"_s }, { u"Last Name"_s, u"Lee"_s } }));
}

TEST_F(CsvWriterTest, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    const struct
    {
        const char *what;
        QString note;
        QString written;
    } cases[] = {
        { "plain", u"plain text"_s, u"plain text"_s },
        { "comma", u"a, b"_s, u"\"a, b\""_s },
        { "quote and comma: inner quote doubled", u"say \"hi\", bye"_s, u"\"say \"\"hi\"\", bye\""_s },
        { "quote alone", u"5\" disk"_s, u"\"5\"\" disk\""_s },
        { "two lines and a comma: kept as lines", u"one,\ntwo"_s, u"\"one,\ntwo\""_s },
        { "tab stays a tab", u"a\tb"_s, u"a\tb"_s },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto p = person(u"Ann"_s, u"Lee"_s);
        p->setValueForIdentifier(c.note, Ident::Note);
        const QString csv = CsvWriter::csvFromSubContacts({ row(p) });
        EXPECT_TRUE(csv.endsWith(u",Ann,Lee,,"_s + c.written + u",,,,\n"_s)) << csv.toStdString();
    }
}

TEST_F(CsvWriterTest, OneLineOfChosenFields)
{
    auto p = person(u"Ann"_s, u"Lee"_s);
    p->setValueForIdentifier(u"Acme Trading"_s, Ident::Company);
    p->setValueForIdentifier(u"a,b"_s, Ident::Department);
    p->setValueForIdentifier(u"a b"_s, Ident::Note);
    p->setValueForIdentifier(u"say \"hi\""_s, Ident::Nickname);
    add(*p, Ident::Phone, u"home"_s, u"03-2222"_s);
    add(*p, Ident::Phone, u"work"_s, u"03 3333"_s);
    const QStringList ids { Ident::Name, Ident::Company, Ident::Department, Ident::Note, Ident::Nickname,
        Ident::Phone, Ident::ZIP };

    EXPECT_EQ(CsvWriter::csvStringFromContact(*row(p), ids, u"\t"_s),
        u"\"Ann Lee\"\t\"Acme Trading\"\ta,b\t\"a b\"\t\"say \"\"hi\"\"\"\thome:03-2222\t"_s);
    // With a comma separator a comma inside a value must be quoted.
    EXPECT_EQ(CsvWriter::csvStringFromContact(*row(p), { Ident::Department, Ident::Phone }, u","_s),
        u"\"a,b\",home:03-2222"_s);
    // Row 1: single-valued fields empty; row -1: every phone.
    EXPECT_EQ(CsvWriter::csvStringFromContact(*row(p, 1), { Ident::Company, Ident::Phone }, u", "_s),
        u", \"work:03 3333\""_s);
    EXPECT_EQ(CsvWriter::csvStringFromContact(*row(p, -1), { Ident::Phone, Ident::Company }, u"\t"_s),
        u"home:03-2222\t\"work:03 3333\"\t\"Acme Trading\""_s);

    // Line breaks and tabs never break the line.
    p->setValueForIdentifier(u"one\ntwo\tthree"_s, Ident::Note);
    EXPECT_EQ(CsvWriter::csvStringFromContact(*row(p), { Ident::Note }, u"\t"_s), u"\"one\\ntwo\\tthree\""_s);
    EXPECT_EQ(CsvWriter::csvStringFromContact(ContactEntry(), ids, u"\t"_s), u""_s);
}
