// Files of the kinds real clients write, each read the way a document opens a file (encoding left on
// "Automatic", then the cards): what each file says must reach the record.

#include "common/PinnedDefaultsTest.h"
#include "common/TestPaths.h"
#include "formats/VCardFileText.h"
#include "formats/ZRvCard.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ReadFile
{
    std::shared_ptr<ZRPerson> person;
    QStringList groups;
    TextEncoding::Number encoding = TextEncoding::Automatic;
};

ReadFile readQuirk(const QString &name, TextEncoding::Number encoding = TextEncoding::Automatic)
{
    QFile file(TestPaths::data(u"vcard/quirks/"_s + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const VCardFileText text = VCardFileText::fromBytes(file.readAll(), encoding);
    EXPECT_TRUE(text.ok()) << name.toStdString() << ": " << text.error.toStdString();
    ReadFile result;
    result.encoding = text.encoding;
    const auto containers = ZRvCard().containersFromVCards(text.utf8);
    if (!containers)
        return result;
    const ContactContainer &container = *containers->first();
    const ContactTable &table = *ZRvCard::contactsInContainer(container);
    EXPECT_EQ(table.size(), 1) << name.toStdString();
    if (table.isEmpty())
        return result;
    result.person = table.first()->person;
    for (const ContactGroupPtr &group : container.groups) {
        if (!group->top)
            result.groups << group->name;
    }
    return result;
}

QString entryText(ZRPerson &person, const QString &identifier, qsizetype index, const QString &key)
{
    return person.labeledValueForIdentifierAtIndex(identifier, index).toMap().value(key).toString();
}

QStringList entryTexts(ZRPerson &person, const QString &identifier, const QString &key)
{
    QStringList texts;
    for (const QVariant &entry : person.valueForIdentifier(identifier).toList())
        texts << entry.toMap().value(key).toString();
    return texts;
}

// Display names and dates read the same whatever the machine's locale.
class VCardQuirksTest : public PinnedDefaultsTest
{
};

} // namespace

TEST_F(VCardQuirksTest, EachClientQuirkReachesTheRecord)
{
    const QString photoNote = u"first line of a folded note and its continuation"_s;
    struct Row
    {
        const char *file;
        const char *guards;
        std::function<void(ReadFile &)> check;
    };
    const Row rows[] = {
        { "fold-splits-utf8.vcf", "a fold cutting UTF-8 characters neither garbles the file nor loses them",
            [](ReadFile &r) {
                EXPECT_EQ(r.encoding, TextEncoding::UTF8);
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(),
                    u"Длинная заметка, которую телефон разрезал посреди буквы при переносе строки."_s);
                EXPECT_EQ(entryText(*r.person, Ident::Address, 0, Ident::Street), u"ул. Ленина 1"_s);
                EXPECT_EQ(r.person->compositeName(), u"Иван Петров"_s);
            } },
        { "fold-splits-shift-jis.vcf", "a fold cutting a Shift_JIS character",
            [](ReadFile &r) {
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(),
                    u"山田 太郎の覚え書き：年賀状は毎年出すこと。"_s);
                EXPECT_EQ(r.person->compositeName(), u"山田 太郎"_s);
            } },
        { "extended-address.vcf", "PO box and extended address are lines of the street",
            [](ReadFile &r) {
                EXPECT_EQ(entryTexts(*r.person, Ident::Address, Ident::Street),
                    (QStringList { u"渋谷区渋谷2-6-1"_s, u"PO Box 7\nSuite 100\n1 Main St"_s }));
                EXPECT_EQ(entryText(*r.person, Ident::Address, 0, Ident::ZIP), u"150-8512"_s);
            } },
        { "cr-cr-lf.vcf", "CR CR LF line ends keep every continuation line",
            [&](ReadFile &r) {
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(), photoNote);
                EXPECT_EQ(r.person->imageData().size(), 560);
                EXPECT_EQ(
                    entryTexts(*r.person, Ident::Phone, Key::Value), QStringList { u"090-1234-5678"_s });
            } },
        { "lf-lf.vcf", "doubled LF line ends keep every continuation line",
            [&](ReadFile &r) {
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(), photoNote);
                EXPECT_EQ(r.person->imageData().size(), 560);
            } },
        { "lone-cr.vcf", "lone CR line ends",
            [&](ReadFile &r) {
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(), photoNote);
                EXPECT_EQ(r.person->imageData().size(), 560);
            } },
        { "photo-escaped-data-uri.vcf", "a data: URI with escaped ';' and ','",
            [](ReadFile &r) { EXPECT_EQ(r.person->imageData().left(8), QByteArray("\x89PNG\r\n\x1a\n")); } },
        { "photo-data-uri-declared-base64.vcf", "a data: URI in a value said to be base64",
            [](ReadFile &r) { EXPECT_EQ(r.person->photo().size(), QSize(1, 1)); } },
        { "categories-with-parameters.vcf",
            "CATEGORIES with parameters, a group, in lower case, quoted-printable",
            [](ReadFile &r) {
                EXPECT_EQ(r.groups, (QStringList { u"Friends"_s, u"Golf"_s, u"Work, Tokyo"_s, u"家族"_s }));
            } },
        { "mail-client-extensions.vcf", "relations, dates, messaging and a department of other clients",
            [](ReadFile &r) {
                ZRPerson &p = *r.person;
                EXPECT_EQ(entryTexts(p, Ident::Relationship, Key::Value),
                    (QStringList { u"Jane Doe"_s, u"Big Boss"_s, u"Mr. Smithers"_s, u"Mary Doe"_s }));
                EXPECT_EQ(entryTexts(p, Ident::Relationship, Key::Label),
                    (QStringList { u"spouse"_s, u"manager"_s, u"assistant"_s, u"mother"_s }));
                EXPECT_EQ(entryTexts(p, Ident::Dates, Key::Label),
                    (QStringList { u"anniversary"_s, u"anniversary"_s }));
                EXPECT_EQ(entryTexts(p, Ident::Dates, Key::StringValue).first().left(10), u"2009.07.03"_s);
                EXPECT_EQ(entryTexts(p, Ident::InstantMessage, CN::InstantMessageAddressServiceKey),
                    (QStringList { CN::InstantMessageServiceGoogleTalk, u"sip"_s,
                        CN::InstantMessageServiceJabber, CN::InstantMessageServiceJabber }));
                EXPECT_EQ(entryTexts(p, Ident::InstantMessage, Key::Value),
                    (QStringList { u"john.doe@gmail.com"_s, u"john@example.com"_s, u"one@example.org"_s,
                        u"two@example.org"_s }));
                EXPECT_EQ(entryTexts(p, Ident::URL, Key::Label), QStringList { u"blog"_s });
                EXPECT_EQ(p.valueForIdentifier(Ident::Department).toString(), u"Research"_s);
            } },
        { "escaped-quotes.vcf", "quotation marks escaped with a backslash",
            [](ReadFile &r) {
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(),
                    u"PROVIDED BY THE HOLDERS \"AS IS\" AND ANY EXPRESS, OR IMPLIED WARRANTIES\nFavourite colour: Blue"_s);
            } },
        { "quoted-printable-soft-break-space.vcf", "a space after a soft line break is text",
            [](ReadFile &r) {
                EXPECT_EQ(r.person->valueForIdentifier(Ident::Note).toString(),
                    u"Now's the time for all folk to come to the aid of their country."_s);
            } },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.file) + ": " + row.guards);
        ReadFile read = readQuirk(QString::fromLatin1(row.file));
        ASSERT_TRUE(read.person);
        row.check(read);
    }
}

TEST_F(VCardQuirksTest, AnEncodingChosenByTheUserReadsAFoldCutCharacter)
{
    const ReadFile utf8 = readQuirk(u"fold-splits-utf8.vcf"_s, TextEncoding::UTF8);
    ASSERT_TRUE(utf8.person);
    EXPECT_TRUE(utf8.person->valueForIdentifier(Ident::Note).toString().startsWith(u"Длинная"_s));
    const ReadFile sjis = readQuirk(u"fold-splits-shift-jis.vcf"_s, TextEncoding::ShiftJIS);
    ASSERT_TRUE(sjis.person);
    EXPECT_EQ(sjis.encoding, TextEncoding::ShiftJIS);
    EXPECT_TRUE(sjis.person->valueForIdentifier(Ident::Note).toString().startsWith(u"山田 太郎の"_s));
}
