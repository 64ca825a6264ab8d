#include "CliTestSupport.h"
#include "common/TestPaths.h"
#include "document/DocumentReader.h"
#include "document/ExportCommands.h"
#include "formats/TextCodec.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Outcome = CliTestSupport::Run;

Outcome convert(const QStringList &arguments)
{
    return CliTestSupport::run(QStringList { u"convert"_s } + arguments);
}

DocumentReadResult readBack(const QString &path, InputFormat format = InputFormat::VCard)
{
    return DocumentReader::readFile(path, format, TextEncoding::Automatic);
}

QString firstValue(ZRPerson &person, const QString &identifier)
{
    const QVariantList values = person.valueForIdentifier(identifier).toList();
    return values.isEmpty() ? QString() : values.first().toMap().value(Key::StringValue).toString();
}

QStringList groupNames(const DocumentReadResult &read)
{
    QStringList names;
    for (const auto &group : read.containers->first()->groups)
        names << group->name;
    return names;
}

QString writeBytes(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

} // namespace

TEST(ConvertTest, VCardToCsvAndBackKeepsTheContacts)
{
    QTemporaryDir dir;
    const QString source = TestPaths::data(u"convert/friends.vcf"_s);
    const QString csv = dir.filePath(u"friends.csv"_s);
    const QString back = dir.filePath(u"back.vcf"_s);
    // Formats follow the file extensions.
    Outcome run = convert({ source, csv });
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    run = convert({ csv, back });
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);

    const DocumentReadResult original = readBack(source);
    const DocumentReadResult converted = readBack(back);
    ASSERT_EQ(original.contactTable.size(), 3);
    ASSERT_EQ(converted.contactTable.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        ZRPerson &a = *original.contactTable.at(i)->person;
        ZRPerson &b = *converted.contactTable.at(i)->person;
        SCOPED_TRACE(a.compositeName().toStdString());
        // The CSV layout has no column for showing a contact as its company, so only people keep
        // their display name; a company keeps its company field.
        if (a.showAsPerson()) {
            EXPECT_EQ(b.compositeName(), a.compositeName());
        }
        for (const QString &id : { Ident::Company, Ident::Note })
            EXPECT_EQ(b.valueForIdentifier(id).toString(), a.valueForIdentifier(id).toString())
                << qPrintable(id);
        for (const QString &id : { Ident::Phone, Ident::Email })
            EXPECT_EQ(firstValue(b, id), firstValue(a, id)) << qPrintable(id);
        // Without a country column the address keeps its parts, not its country's layout.
        const QVariantMap addressA = a.labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
        const QVariantMap addressB = b.labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
        for (const QString &part : { Ident::Street, Ident::City, Ident::State, Ident::ZIP })
            EXPECT_EQ(addressB.value(part).toString(), addressA.value(part).toString()) << qPrintable(part);
        EXPECT_EQ(b.birthdayValue().value(Key::StringValue), a.birthdayValue().value(Key::StringValue));
    }
}

TEST(ConvertTest, CsvWrittenInBatchesIsTheWholeExport)
{
    // Enough cards for several batches on several threads, with text CSV must quote and non-ASCII
    // text, some of them in a group.
    QByteArray cards;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray n = QByteArray::number(i);
        cards += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        cards += i % 2 ? "N:田中;花子" + n + ";;;\r\n" : "N:O'Neil;Zoë" + n + ";;;\r\nORG:Globex\\, Inc.\r\n";
        cards += "TEL;TYPE=CELL:+1-555-" + n + "\r\nEMAIL;TYPE=HOME:u" + n + "@example.com\r\n";
        cards += "ADR;TYPE=HOME:;;1 \"Elm\" Road\\nApt " + n + ";Springfield;;12345;USA\r\n";
        if (i % 7 == 0)
            cards += "NOTE:line\\nbreak, comma\r\nCATEGORIES:Golf\r\n";
        cards += "END:VCARD\r\n";
    }
    QTemporaryDir dir;
    const QString source = writeBytes(dir, u"many.vcf"_s, cards);
    const DocumentReadResult read = readBack(source);
    ASSERT_EQ(read.contactTable.size(), 5000);

    const QString csv = dir.filePath(u"many.csv"_s);
    ASSERT_EQ(convert({ source, csv }).status, 0);
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), ExportCommands::csvText(read.contactTable).toUtf8());

    const QString golf = dir.filePath(u"golf.csv"_s);
    ASSERT_EQ(convert({ source, golf, u"--group"_s, u"Golf"_s }).status, 0);
    QFile golfers(golf);
    ASSERT_TRUE(golfers.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        golfers.readAll(), ExportCommands::csvText(*DocumentReader::groupEntries(read, u"Golf"_s)).toUtf8());

    // Standard output gets the same bytes.
    EXPECT_EQ(convert({ source, u"-"_s, u"--to"_s, u"csv"_s, u"--group"_s, u"Golf"_s }).outBytes,
        ExportCommands::csvText(*DocumentReader::groupEntries(read, u"Golf"_s)).toUtf8());
}

TEST(ConvertTest, VCardToVCardKeepsGroupsAndGroupChoosesOne)
{
    QTemporaryDir dir;
    const QString source = TestPaths::data(u"convert/friends.vcf"_s);
    const QString all = dir.filePath(u"all.vcf"_s);
    ASSERT_EQ(convert({ source, all }).status, 0);
    const DocumentReadResult read = readBack(all);
    EXPECT_EQ(groupNames(read), (QStringList { u"All Contacts"_s, u"Family"_s, u"Golf"_s }));
    EXPECT_EQ(read.contactTable.first()->person->valueForIdentifier(Ident::Renmei).toString(), u"Hanako"_s);

    const QString golf = dir.filePath(u"golf.csv"_s);
    ASSERT_EQ(convert({ source, golf, u"--group"_s, u"Golf"_s }).status, 0);
    const DocumentReadResult golfers = readBack(golf, InputFormat::Csv);
    ASSERT_EQ(golfers.contactTable.size(), 2);
    EXPECT_EQ(golfers.contactTable.at(1)->person->compositeName(), u"Ann Lee"_s);

    const Outcome missing = convert({ source, golf, u"--group=Chess"_s });
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(u"friends.vcf"_s) && missing.err.contains(u"Chess"_s))
        << qPrintable(missing.err);
}

TEST(ConvertTest, EnvelopeProductCsvAndForcedEncodings)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(u"envelope.vcf"_s);
    const Outcome run
        = convert({ TestPaths::data(u"convert/envelope.csv"_s), out, u"--from"_s, u"mailwick"_s });
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    const DocumentReadResult read = readBack(out);
    ASSERT_EQ(read.contactTable.size(), 2);
    ZRPerson &taro = *read.contactTable.first()->person;
    EXPECT_EQ(taro.compositeName(), u"山田 太郎"_s);
    EXPECT_EQ(taro.valueForIdentifier(Ident::Renmei).toString(), u"花子"_s);
    EXPECT_EQ(firstValue(taro, Ident::Phone), u"03-1234-5678"_s);
    EXPECT_TRUE(firstValue(*read.contactTable.at(1)->person, Ident::Address).contains(u"Apt 4"_s));

    const QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:鈴木 一郎\r\nN:鈴木;一郎;;;\r\nEND:VCARD\r\n"_s;
    const QString sjis
        = writeBytes(dir, u"sjis.vcf"_s, TextCodec::encode(text, TextEncoding::ShiftJIS).bytes);
    ASSERT_EQ(convert({ sjis, out, u"--encoding"_s, u"Shift_JIS"_s }).status, 0);
    EXPECT_EQ(readBack(out).contactTable.first()->person->compositeName(), u"鈴木 一郎"_s);
    // A forced encoding that doesn't fit the bytes: the read error, and nothing written.
    QFile::remove(out);
    const Outcome wrong = convert({ sjis, out, u"--encoding=UTF-8"_s });
    EXPECT_EQ(wrong.status, 1);
    EXPECT_TRUE(wrong.err.startsWith(u"sjis.vcf: Couldn't read the file."_s)) << qPrintable(wrong.err);
    EXPECT_FALSE(QFile::exists(out));
}

TEST(ConvertTest, FailuresNameTheFileAndExitNonZero)
{
    QTemporaryDir dir;
    const QString good = TestPaths::data(u"convert/friends.vcf"_s);
    const QString notes = writeBytes(dir, u"notes.vcf"_s, "no cards here\n");
    const QString binary = writeBytes(dir, u"blob.csv"_s, QByteArray("Name,Phone\n\0\0\xff", 14));
    const struct
    {
        const char *what;
        QStringList arguments;
        int status;
        QString errStart;
    } rows[] = {
        { "missing input", { dir.filePath(u"absent.vcf"_s), dir.filePath(u"o.vcf"_s) }, 1,
            u"absent.vcf: Couldn't read the file."_s },
        { "no cards", { notes, dir.filePath(u"o.csv"_s) }, 1,
            u"notes.vcf: Couldn't read the file. Please make sure the file is vCard 2.1/3.0 file."_s },
        { "not csv", { binary, dir.filePath(u"o.vcf"_s) }, 1, u"blob.csv: "_s },
        { "unwritable output", { good, dir.filePath(u"no/such/dir/o.vcf"_s) }, 1,
            u"o.vcf: Can't save the file. Something error happened in saving operation."_s },
        { "one file only", { good }, 2, u"corvanthe convert: "_s },
        { "unknown format", { good, u"x.vcf"_s, u"--to"_s, u"pdf"_s }, 2, u"corvanthe convert: "_s },
        { "unknown encoding", { good, u"x.vcf"_s, u"--encoding"_s, u"Klingon-8"_s }, 2,
            u"corvanthe convert: "_s },
        { "option without value", { good, u"x.vcf"_s, u"--group"_s }, 2, u"corvanthe convert: "_s },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome run = convert(row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE(run.err.startsWith(row.errStart)) << qPrintable(run.err);
    }
}

TEST(ConvertTest, EveryCorpusFileConverts)
{
    const QString corpus = TestPaths::shared(u"corpus/vcard"_s);
    if (!TestPaths::haveShared(u"corpus/vcard"_s))
        GTEST_SKIP() << "no shared corpus";
    QTemporaryDir dir;
    int files = 0;
    int converted = 0;
    QDirIterator it(corpus, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        const Outcome run = convert({ path, dir.filePath(u"out.vcf"_s), u"--from"_s, u"vcard"_s });
        // A file without one whole card (the corpus holds a few on purpose) fails with the message.
        if (run.status != 0) {
            EXPECT_EQ(run.status, 1) << qPrintable(path);
            EXPECT_TRUE(run.err.contains(u"Please make sure the file is vCard 2.1/3.0 file."_s))
                << qPrintable(path) << "\n"
                << qPrintable(run.err);
            continue;
        }
        ++converted;
    }
    // Nearly all of the corpus is well-formed.
    EXPECT_GT(converted, files * 9 / 10);
}
