#include "DocumentTestSupport.h"
#include "document/Document.h"
#include "formats/EncodingMenuModel.h"
#include "formats/TextCodec.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSettings>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace DocumentTestSupport;

namespace {

QStringList groupNames(const ContactContainer &container)
{
    QStringList names;
    for (const auto &group : container.groups)
        names << group->name;
    return names;
}

QByteArray shiftJisCard()
{
    const QString text
        = u"BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:山田;太郎;;;\r\n"
          u"FN;CHARSET=SHIFT_JIS:山田 太郎\r\nORG;CHARSET=SHIFT_JIS:㈱北斗①\r\nEND:VCARD\r\n"_s;
    const EncodedText encoded = TextCodec::encode(text, TextEncoding::ShiftJIS);
    EXPECT_TRUE(encoded.ok()) << qPrintable(encoded.error);
    return encoded.bytes;
}

} // namespace

TEST(DocumentTest, NewDocumentHasOneEmptyVCardContainer)
{
    Document document;
    const DocumentWindowData data = document.makeWindowData();
    ASSERT_EQ(data.containerTable.size(), 1);
    const ContactContainer &container = *data.containerTable.first();
    EXPECT_EQ(container.name, u"vCard"_s);
    EXPECT_EQ(container.type, 1);
    EXPECT_TRUE(container.identifier.isEmpty());
    EXPECT_EQ(groupNames(container), QStringList { u"All Contacts"_s });
    EXPECT_EQ(data.selectedGroupDict, container.groups.first());
    EXPECT_TRUE(data.contactTable.isEmpty());
    EXPECT_TRUE(data.editState);
    EXPECT_TRUE(data.editButtonEnabled);
}

TEST(DocumentTest, VCardDocumentHandsItsContainerToTheWindowAndKeepsNothing)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"friends.vcf"_s,
        (card(u"Ann"_s, u"CATEGORIES:Work, Golf\r\n"_s) + card(u"Bob"_s, u"CATEGORIES:Golf\r\n"_s)).toUtf8());
    Document document;
    DocumentError error;
    ASSERT_TRUE(document.readFromURL(path, DocumentText::VCardType, &error));
    EXPECT_FALSE(error.isSet());
    EXPECT_EQ(document.selectedLabels(), QStringList { u"All"_s });
    EXPECT_EQ(document.fileName(), u"friends.vcf"_s);
    EXPECT_TRUE(document.notices().isEmpty());
    ASSERT_EQ(document.containerTable().size(), 1);
    EXPECT_EQ(groupNames(*document.containerTable().first()),
        (QStringList { u"All Contacts"_s, u"Work"_s, u"Golf"_s }));
    EXPECT_EQ(document.contactTable().size(), 2);

    const DocumentWindowData data = document.makeWindowData();
    EXPECT_EQ(data.contactTable.size(), 2);
    EXPECT_EQ(data.documentName, u"friends.vcf"_s);
    EXPECT_TRUE(data.editState);
    // The window owns the data from now on.
    EXPECT_TRUE(document.containerTable().isEmpty());
    EXPECT_TRUE(document.contactTable().isEmpty());
    // Nothing is ever written back in the document's own format.
    EXPECT_FALSE(Document::validateCommand(Command::SaveDocument).enabled);
    EXPECT_EQ(document.saveDocumentAs(), Document::SaveAsAction::PlatformSaveAs);
}

TEST(DocumentTest, UnreadableFilesFailWithTheRecoveryText)
{
    QTemporaryDir dir;
    const struct
    {
        const char *what;
        QString name;
        QByteArray bytes;
        QString type;
        QString recovery;
    } rows[] = {
        // Text with no card in it.
        { "no cards", u"notes.vcf"_s, "just some notes\r\n", DocumentText::VCardType,
            DocumentText::VCardRecovery },
        // Every card fails to parse: the categories met on the way make no document.
        { "all cards fail", u"bad.vcf"_s, oversizedCard().toUtf8(), DocumentText::VCardType,
            DocumentText::VCardRecovery },
        // An envelope-product CSV with no data lines.
        { "empty csv", u"empty.csv"_s, "\r\n\r\n", DocumentText::CSVType, DocumentText::CSVRecovery },
        // Not text in the encoding (UTF-8 is the default without the open panel's menu).
        { "not utf-8", u"latin.vcf"_s, card(u"Ren\u00e9"_s).toLatin1(), DocumentText::VCardType,
            DocumentText::VCardRecovery },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = writeFile(dir, row.name, row.bytes);
        Document document;
        DocumentError error;
        EXPECT_FALSE(document.readFromURL(path, row.type, &error));
        EXPECT_EQ(error.domain, u"Application"_s);
        EXPECT_EQ(error.code, 259);
        EXPECT_EQ(error.recoverySuggestion, row.recovery);
        EXPECT_TRUE(document.containerTable().isEmpty());
        EXPECT_TRUE(document.contactTable().isEmpty());
    }

    Document missing;
    DocumentError error;
    EXPECT_FALSE(missing.readFromURL(dir.filePath(u"absent.vcf"_s), DocumentText::VCardType, &error));
    EXPECT_TRUE(error.isSet());
    EXPECT_FALSE(error.localizedDescription.isEmpty());
}

TEST(DocumentTest, ShiftJisWithCharsetIsDetectedAndAWrongChoiceGivesNoDocument)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"sjis.vcf"_s, shiftJisCard());
    QSettings settings(dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
    EncodingMenuModel menu(&settings, { u"en"_s });
    menu.setEncodingOnly();

    // The user picks UTF-8 in the open panel: the file isn't UTF-8, so no document.
    qsizetype utf8Item = -1;
    for (qsizetype i = 0; i < menu.menuItems().size(); ++i) {
        if (menu.menuItems().at(i).encoding == TextEncoding::UTF8)
            utf8Item = i;
    }
    ASSERT_GE(utf8Item, 0);
    menu.selectItem(utf8Item);
    Document wrong;
    wrong.setEncodingMenu(&menu);
    DocumentError error;
    EXPECT_FALSE(wrong.readFromURL(path, DocumentText::VCardType, &error));
    EXPECT_EQ(error.code, 259);
    EXPECT_FALSE(error.localizedDescription.isEmpty());
    EXPECT_TRUE(wrong.contactTable().isEmpty());

    // The choice served one opening: the next one detects the encoding.
    EXPECT_EQ(menu.encodingType(), TextEncoding::Automatic);
    Document right;
    right.setEncodingMenu(&menu);
    ASSERT_TRUE(right.readFromURL(path, DocumentText::VCardType, &error));
    ASSERT_EQ(right.contactTable().size(), 1);
    ZRPerson &person = *right.contactTable().first()->person;
    EXPECT_EQ(person.compositeName(), u"山田 太郎"_s);
    EXPECT_EQ(person.valueForIdentifier(Ident::Company).toString(), u"㈱北斗①"_s);
}

TEST(DocumentTest, SkippedCardsAndAnUnfinishedCardAreReported)
{
    QTemporaryDir dir;
    const QString text
        = card(u"Ann"_s) + oversizedCard() + card(u"Cy"_s) + u"BEGIN:VCARD\r\nFN:Cut off\r\n"_s;
    const QString path = writeFile(dir, u"mixed.vcf"_s, text.toUtf8());
    Document document;
    DocumentError error;
    ASSERT_TRUE(document.readFromURL(path, DocumentText::VCardType, &error));
    EXPECT_EQ(document.contactTable().size(), 2);
    ASSERT_EQ(document.notices().size(), 2);
    EXPECT_EQ(document.notices().at(0).message, ReadNoticeText::SkippedCards.arg(1));
    EXPECT_TRUE(document.notices().at(0).informativeText.startsWith(u"Card 2: "_s));
    EXPECT_EQ(document.notices().at(1).message, ReadNoticeText::UnterminatedCard);
}

TEST(DocumentTest, CsvDocumentIsLockedAndSavesAsVCardExport)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"list.csv"_s, "Ann Lee,Bo,Acme,100-0001,Tokyo,1-1\nCy Ito,,,,,\n");
    Document document;
    DocumentError error;
    ASSERT_TRUE(document.readFromURL(path, DocumentText::CSVType, &error));
    // No header line: the user is told in which order the columns were read.
    ASSERT_EQ(document.notices().size(), 1);
    EXPECT_EQ(document.notices().first().message, u"Can't find header line in the file."_s);
    EXPECT_TRUE(document.containerTable().isEmpty());
    EXPECT_EQ(document.saveDocumentAs(), Document::SaveAsAction::ExportToVCard);

    const DocumentWindowData data = document.makeWindowData();
    EXPECT_FALSE(data.editState);
    EXPECT_FALSE(data.editButtonEnabled);
    // The entries belong to no group; the window gets the empty container beside them.
    ASSERT_EQ(data.containerTable.size(), 1);
    EXPECT_TRUE(data.containerTable.first()->groups.first()->contactTable->isEmpty());
    ASSERT_EQ(data.contactTable.size(), 2);
    EXPECT_EQ(data.contactTable.first()->person->compositeName(), u"Ann Lee"_s);
}
