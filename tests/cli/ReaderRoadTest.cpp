// Every subcommand that reads contacts reads them through the document reader: a file it can't read is
// told the same way by each, with the reader's own reason.
#include "CliTestSupport.h"
#include "common/TestPaths.h"
#include "document/DocumentReader.h"
#include "formats/TextCodec.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Each reading subcommand, with what it needs besides its input; the exit status for an unreadable file.
struct Reader
{
    QString command;
    QStringList rest;
    int status;
};

QList<Reader> readers(const QTemporaryDir &dir)
{
    const QString out = dir.filePath(u"out.vcf"_s);
    return {
        { u"convert"_s, { out }, 1 },
        { u"dump"_s, {}, 2 },
        { u"find"_s, { u"a"_s }, 1 },
        { u"replace"_s, { u"a"_s, u"b"_s, u"-o"_s, out }, 1 },
        { u"print"_s, { u"--style"_s, u"labels"_s, u"-o"_s, dir.filePath(u"out.pdf"_s) }, 1 },
        { u"qr"_s, { u"--payload"_s }, 1 },
        { u"phones"_s, { u"--layout"_s, u"4+4"_s, u"-o"_s, out }, 1 },
    };
}

} // namespace

TEST(ReaderRoadTest, AnUnreadableFileIsToldAlikeByEverySubcommand)
{
    QTemporaryDir dir;
    struct Input
    {
        QString path;
        QString told; // the line every subcommand writes
    };
    // A byte-order mark says UTF-8, and the bytes after it are not.
    const QString badText = CliTestSupport::writeFile(dir, u"bad.vcf"_s,
        "\xef\xbb\xbf"
        "BEGIN:VCARD\r\nFN:\xff\xfe\r\nEND:VCARD\r\n");
    const QString huge = CliTestSupport::sparseFile(dir, u"huge.vcf"_s, DocumentReader::MaxInputBytes + 1);
    const QString cardless = CliTestSupport::writeFile(dir, u"notes.vcf"_s, "just some notes\n");
    const Input inputs[] = {
        { badText, u"bad.vcf: Couldn't read the file. The file isn't valid Unicode (UTF-8) text"_s },
        { huge, u"huge.vcf: Couldn't read the file. "_s + TextCodecMessage::TooLarge },
        { dir.filePath(u"absent.vcf"_s), u"absent.vcf: Couldn't read the file. "_s },
        { cardless,
            u"notes.vcf: Couldn't read the file. Please make sure the file is vCard 2.1/3.0 file."_s },
    };
    for (const Input &input : inputs) {
        for (const Reader &reader : readers(dir)) {
            SCOPED_TRACE((reader.command + u' ' + input.path).toStdString());
            const CliTestSupport::Run run
                = CliTestSupport::run(QStringList { reader.command, input.path } + reader.rest);
            // dump only counts a file without cards as a failed card, not a failed file.
            const int status = reader.command == u"dump"_s && input.path == cardless ? 1 : reader.status;
            EXPECT_EQ(run.status, status);
            EXPECT_TRUE(run.err.startsWith(input.told)) << run.err.toStdString();
            EXPECT_FALSE(QFile::exists(dir.filePath(u"out.vcf"_s)));
            EXPECT_FALSE(QFile::exists(dir.filePath(u"out.pdf"_s)));
        }
    }
}

TEST(ReaderRoadTest, SkippedCardsAreToldByEverySubcommandAndTheRestIsUsed)
{
    QTemporaryDir dir;
    const QByteArray good = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nTEL:03-1234-5678\r\n"
                            "ADR:;;1 Main St;Springfield;;12345;\r\nEND:VCARD\r\n";
    const QString path
        = CliTestSupport::writeFile(dir, u"cut.vcf"_s, good + "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cut\r\n");
    for (const Reader &reader : readers(dir)) {
        SCOPED_TRACE(reader.command.toStdString());
        const CliTestSupport::Run run
            = CliTestSupport::run(QStringList { reader.command, path } + reader.rest);
        EXPECT_TRUE(run.err.startsWith(u"cut.vcf: "_s + ReadNoticeText::UnterminatedCard))
            << run.err.toStdString();
        // dump reports the loss in its exit status; the others carry on with the cards read.
        EXPECT_EQ(run.status, reader.command == u"dump"_s ? 1 : 0) << run.err.toStdString();
        QFile::remove(dir.filePath(u"out.vcf"_s));
    }
}
