// Every source of contacts (a file, standard input or a pipe, dropped data) goes through the one reader:
// the same size limit, encoding detection and notices, whatever the bytes came from.
#include "DocumentTestSupport.h"
#include "document/ContactTransfer.h"
#include "document/DocumentReader.h"
#include "document/ViewController.h"
#include "formats/TextCodec.h"
#include "formats/ZRvCard.h"
#include "model/ZRPerson.h"

#include <QBuffer>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace DocumentTestSupport;

namespace {

// A Shift_JIS card, as older phones write them: UTF-8 decoding would garble the name.
const QByteArray ShiftJisCard
    = "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:\x8e\x52\x93\x63;\x91\xbe\x98\x59\r\nEND:VCARD\r\n";

QStringList names(const DocumentReadResult &read)
{
    QStringList names;
    for (const ContactEntryPtr &entry : read.contactTable)
        names << entry->person->compositeName();
    return names;
}

// A file past the size limit without writing a gigabyte: its size is all the reader looks at first.
QString sparseFile(const QTemporaryDir &dir, qint64 size)
{
    QFile file(dir.filePath(u"huge.vcf"_s));
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        return QString();
    return file.fileName();
}

} // namespace

TEST(DocumentReaderSourcesTest, FileDeviceAndDataReadAlike)
{
    QTemporaryDir dir;
    const QByteArray bytes = ShiftJisCard + (card(u"Lee"_s) + u"BEGIN:VCARD\r\nVERSION:3.0\r\n"_s).toUtf8();
    const QString path = writeFile(dir, u"mixed.vcf"_s, bytes);
    QBuffer pipe;
    pipe.setData(bytes);
    ASSERT_TRUE(pipe.open(QIODevice::ReadOnly));

    const DocumentReadResult reads[] = {
        DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic),
        DocumentReader::readDevice(pipe, InputFormat::VCard, TextEncoding::Automatic),
        DocumentReader::readData(bytes, InputFormat::VCard, TextEncoding::Automatic),
    };
    for (const DocumentReadResult &read : reads) {
        ASSERT_TRUE(read.ok()) << qPrintable(read.readError);
        EXPECT_EQ(names(read), (QStringList { u"山田 太郎"_s, u"Lee"_s }));
        EXPECT_EQ(read.encoding, reads[0].encoding);
        // The card cut off at the end is told, from every source.
        ASSERT_EQ(read.notices.size(), 1);
        EXPECT_EQ(read.notices.first().message, ReadNoticeText::UnterminatedCard);
    }
}

TEST(DocumentReaderSourcesTest, TheSizeLimitHoldsForFilesDataAndPipes)
{
    QTemporaryDir dir;
    const QString huge = sparseFile(dir, DocumentReader::MaxInputBytes + 1);
    ASSERT_FALSE(huge.isEmpty());
    const DocumentReadResult file
        = DocumentReader::readFile(huge, InputFormat::VCard, TextEncoding::Automatic);
    EXPECT_EQ(file.status, DocumentReadResult::Status::ReadError);
    EXPECT_EQ(file.readError, TextCodecMessage::TooLarge);

    // A file opened as a device reports its size, and is refused before being read.
    QFile device(huge);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    const DocumentReadResult opened
        = DocumentReader::readDevice(device, InputFormat::Csv, TextEncoding::Automatic);
    EXPECT_EQ(opened.readError, TextCodecMessage::TooLarge);
    EXPECT_EQ(device.pos(), 0);

    const DocumentReadResult missing = DocumentReader::readFile(
        dir.filePath(u"absent.vcf"_s), InputFormat::VCard, TextEncoding::Automatic);
    EXPECT_EQ(missing.status, DocumentReadResult::Status::ReadError);
    EXPECT_FALSE(missing.readError.isEmpty());
}

TEST(DocumentReaderSourcesTest, GroupEntriesGiveOneCategoryGroupOrTheWholeFile)
{
    const QString text = card(u"Ann"_s, u"CATEGORIES:Golf,Family\r\n"_s)
        + card(u"Bo"_s, u"CATEGORIES:Golf\r\n"_s) + card(u"Cy"_s);
    DocumentReadResult read = DocumentReader::readText(text, InputFormat::VCard);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(DocumentReader::groupNames(read), (QStringList { u"Golf"_s, u"Family"_s })); // file order

    const auto everyone = DocumentReader::groupEntries(read, QString());
    ASSERT_TRUE(everyone);
    EXPECT_EQ(everyone->size(), 3);
    const auto golf = DocumentReader::groupEntries(read, u"Golf"_s);
    ASSERT_TRUE(golf);
    ASSERT_EQ(golf->size(), 2);
    EXPECT_EQ(golf->at(1)->person->compositeName(), u"Bo"_s);
    // Names are matched exactly; the top group is not a category.
    EXPECT_FALSE(DocumentReader::groupEntries(read, u"golf"_s));
    EXPECT_FALSE(DocumentReader::groupEntries(read, ContainerText::AllContacts));

    // Deleted entries are not contacts to print or convert.
    read.contactTable.first()->deleted = true;
    golf->first()->deleted = true;
    EXPECT_EQ(DocumentReader::groupEntries(read, QString())->size(), 2);
    EXPECT_EQ(DocumentReader::groupEntries(read, u"Golf"_s)->size(), 1);

    // A CSV read has no groups at all.
    const DocumentReadResult csv = DocumentReader::readText(u"Name,Phone\nAnn,1\n"_s, InputFormat::Csv);
    EXPECT_TRUE(DocumentReader::groupNames(csv).isEmpty());
    EXPECT_EQ(DocumentReader::groupEntries(csv, QString())->size(), 1);
    EXPECT_FALSE(DocumentReader::groupEntries(csv, u"Golf"_s));
}

TEST(DocumentReaderSourcesTest, DroppedDataIsDecodedLikeAFile)
{
    ViewController controller;
    controller.setContainerTable(*ZRvCard().containersFromVCards(QString()));
    const ContactTransfer::DropTarget target { false, false, 0, 0, true };

    // vCard data dragged from another program in the phone's encoding.
    QMimeData data;
    data.setData(ContactTransfer::VCardMimeType, ShiftJisCard);
    ASSERT_TRUE(ContactTransfer::acceptDrop(data, target, controller));
    ASSERT_EQ(controller.selectedGroupDict()->contactTable->size(), 1);
    EXPECT_EQ(controller.selectedGroupDict()->contactTable->first()->person->compositeName(), u"山田 太郎"_s);

    // A file past the limit adds nothing, and the drop says so.
    QTemporaryDir dir;
    const QString huge = sparseFile(dir, DocumentReader::MaxInputBytes + 1);
    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile(huge) });
    EXPECT_FALSE(ContactTransfer::acceptDrop(files, target, controller));
    EXPECT_EQ(controller.selectedGroupDict()->contactTable->size(), 1);
}
