#include "DocumentTestSupport.h"
#include "document/DocumentReader.h"
#include "document/ExportCommands.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace DocumentTestSupport;

namespace {

ContactEntryPtr entry(const QString &name)
{
    auto person = ZRPerson::create();
    person->setValueForIdentifier(QVariantMap { { Ident::LastName, name } }, Ident::Name);
    auto made = std::make_shared<ContactEntry>();
    made->person = person;
    made->uniqueId = person->uniqueId();
    made->isNew = true;
    return made;
}

// A sub-row of the table: the same contact at another label index.
ContactEntryPtr subRow(const ContactEntryPtr &of, qsizetype labelIndex)
{
    auto row = std::make_shared<ContactEntry>(*of);
    row->labelIndex = labelIndex;
    return row;
}

QStringList names(const ContactTable &table)
{
    QStringList list;
    for (const auto &e : table)
        list << e->person->compositeName();
    return list;
}

} // namespace

TEST(ExportCommandTest, SelectedContactsGoOutOnceInSelectionOrder)
{
    const ContactEntryPtr ann = entry(u"Ann"_s), bob = entry(u"Bob"_s), cy = entry(u"Cy"_s),
                          dee = entry(u"Dee"_s);
    dee->deleted = true;
    const ContactTable table { ann, bob, cy, dee };
    const struct
    {
        const char *what;
        ContactTable selection;
        QStringList expected;
    } rows[] = {
        // One contact shown in three sub-rows is written once.
        { "sub-rows", { subRow(bob, 0), subRow(bob, 1), subRow(bob, 2) }, { u"Bob"_s } },
        // The order is the selection's, not the table's.
        { "order", { cy, ann }, { u"Cy"_s, u"Ann"_s } },
        // A deleted contact, or one no longer in the table, is not written.
        { "deleted and foreign", { dee, entry(u"Eve"_s), ann }, { u"Ann"_s } },
        { "nothing", {}, {} },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(names(ExportCommands::entriesToExport(table, row.selection)), row.expected);
    }
    // Save As of a CSV document: every contact, in table order.
    EXPECT_EQ(names(ExportCommands::everyEntry(table)), (QStringList { u"Ann"_s, u"Bob"_s, u"Cy"_s }));
    EXPECT_EQ(ExportCommands::defaultFileName({ cy, ann }, ExportText::VCardExtension), u"Cy.vcf"_s);
    EXPECT_EQ(ExportCommands::defaultFileName({ entry(u"A/B"_s) }, ExportText::CSVExtension), u"A-B.csv"_s);
}

TEST(ExportCommandTest, CommandsDoNotOverlap)
{
    ExportCommands commands;
    {
        ExportCommands::Scope exporting(commands);
        ASSERT_TRUE(exporting.active());
        EXPECT_TRUE(commands.isExporting());
        ExportCommands::Scope importing(commands);
        EXPECT_FALSE(importing.active()) << "an import chosen during an export does nothing";
    }
    EXPECT_FALSE(commands.isExporting()) << "every way out clears the guard";
    ExportCommands::Scope again(commands);
    EXPECT_TRUE(again.active());
}

TEST(ExportCommandTest, WritesAreAtomicUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.vcf"_s);
    EXPECT_FALSE(ExportCommands::writeUtf8Atomically(path, u"名前 ①\n"_s).isSet());
    EXPECT_EQ(readFile(path), u"名前 ①\n"_s.toUtf8());

    QString detail;
    const CommandAlert alert
        = ExportCommands::writeUtf8Atomically(dir.filePath(u"no/such/folder/out.vcf"_s), u"x"_s, &detail);
    EXPECT_EQ(alert.message, u"Can't save the file"_s);
    EXPECT_EQ(alert.informativeText, u"Something error happened in saving operation."_s);
    EXPECT_FALSE(detail.isEmpty());
}

TEST(ExportCommandTest, VCardExportReadsBackWithJointNamesLayoutsAndNotes)
{
    const QString adr = u"ADR;TYPE=HOME:;;1-2-3 Ginza;Chuo;Tokyo;104-0061;Japan\r\n"_s;
    const QString text = card(u"Ann"_s,
                             adr + adr + u"NOTE:likes tea\r\nX-RENMEI:one\\ntwo\r\n"_s
                                 + u"X-HAGAKILAYOUTS:1;\r\n 6;ra:{{204.00,75.00},{46.00,275.00}};\r\n"_s
                                 + u"CATEGORIES:Golf\r\n"_s)
        + card(u"Bob"_s);
    const DocumentReadResult first = DocumentReader::readText(text, InputFormat::VCard);
    ASSERT_EQ(first.contactTable.size(), 2);

    // An export names no container, so its cards carry no categories.
    const std::optional<QString> exported = ExportCommands::vCardText(first.contactTable);
    ASSERT_TRUE(exported);
    EXPECT_FALSE(exported->contains(u"CATEGORIES"_s));
    const DocumentReadResult again = DocumentReader::readText(*exported, InputFormat::VCard);
    ASSERT_EQ(again.contactTable.size(), 2);
    ZRPerson &before = *first.contactTable.first()->person;
    ZRPerson &after = *again.contactTable.first()->person;
    EXPECT_EQ(after.compositeName(), u"Ann"_s);
    EXPECT_EQ(after.valueForIdentifier(Ident::Renmei).toString(), u"one\ntwo"_s);
    EXPECT_EQ(after.valueForIdentifier(Ident::Note).toString(), u"likes tea"_s);
    ASSERT_EQ(after.addressValues().size(), 2);
    for (qsizetype k = 0; k < 2; ++k)
        EXPECT_EQ(ZRPerson::layoutStringFromHagakiLayoutDict(after.addressValues().at(k).toMap()),
            ZRPerson::layoutStringFromHagakiLayoutDict(before.addressValues().at(k).toMap()));

    // With the container (the command line's conversion) the groups travel too.
    const std::optional<QString> withGroups
        = ExportCommands::vCardText(first.contactTable, first.containers->first().get());
    ASSERT_TRUE(withGroups);
    const DocumentReadResult grouped = DocumentReader::readText(*withGroups, InputFormat::VCard);
    ASSERT_EQ(grouped.containers->first()->groups.size(), 2);
    EXPECT_EQ(grouped.containers->first()->groups.at(1)->name, u"Golf"_s);
    EXPECT_EQ(grouped.containers->first()->groups.at(1)->contactTable->size(), 1);

    // A cancelled write yields nothing to save.
    std::atomic_bool cancel { true };
    EXPECT_FALSE(ExportCommands::vCardText(first.contactTable, nullptr, &cancel));
}

TEST(ExportCommandTest, VCardImportOffersEveryCardAndPicksOnlyChosenRows)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"in.vcf"_s,
        (card(u"Ann"_s, u"CATEGORIES:Golf\r\n"_s) + card(u"Bob"_s) + card(u"Cy"_s, u"CATEGORIES:Work\r\n"_s))
            .toUtf8());
    const ImportOffer offer = ExportCommands::importFromVCard(path, TextEncoding::Automatic);
    EXPECT_FALSE(offer.alert.isSet());
    EXPECT_EQ(offer.filename, u"in.vcf"_s);
    EXPECT_EQ(names(offer.nameTable), (QStringList { u"Ann"_s, u"Bob"_s, u"Cy"_s }));

    EXPECT_TRUE(ExportCommands::chosenForImport(offer.nameTable, {}).isEmpty());
    EXPECT_EQ(names(ExportCommands::chosenForImport(offer.nameTable, { 2, 0, 2, 7, -1 })),
        (QStringList { u"Ann"_s, u"Cy"_s }));

    const struct
    {
        const char *what;
        QByteArray bytes;
        TextEncoding::Number encoding;
        QString informative; // empty: the reader's own description
    } failures[] = {
        { "no cards", "hello\r\n", TextEncoding::Automatic, ExportText::InvalidVCard },
        { "wrong encoding", "BEGIN:VCARD\r\nFN:Ren\xe9\r\nEND:VCARD\r\n", TextEncoding::UTF8, QString() },
    };
    for (const auto &row : failures) {
        SCOPED_TRACE(row.what);
        const ImportOffer failed
            = ExportCommands::importFromVCard(writeFile(dir, u"bad.vcf"_s, row.bytes), row.encoding);
        EXPECT_EQ(failed.alert.message, u"Couldn't read the file."_s);
        if (!row.informative.isEmpty())
            EXPECT_EQ(failed.alert.informativeText, row.informative);
        else
            EXPECT_FALSE(failed.alert.informativeText.isEmpty());
        EXPECT_TRUE(failed.nameTable.isEmpty());
    }
}
