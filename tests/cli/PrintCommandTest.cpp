#include "CliTestSupport.h"
#include "common/TestPaths.h"
#include "print/PrintOptionKeys.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class PrintCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    int run(const QStringList &arguments)
    {
        const CliTestSupport::Run result = CliTestSupport::run(QStringList { u"print"_s } + arguments);
        m_messages = result.err;
        m_output = result.out;
        return result.status;
    }

    QString out(const QString &name = u"out.pdf"_s) const { return m_dir.filePath(name); }
    static QString vcf() { return TestPaths::data(u"print/contacts.vcf"_s); }

    // The page count of a written PDF, from its page tree.
    static int pdfPages(const QByteArray &pdf)
    {
        const auto match = QRegularExpression(u"/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"_s)
                               .match(QString::fromLatin1(pdf));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    static int pdfPages(const QString &path) { return pdfPages(CliTestSupport::readFile(path)); }

    // The text of a PDF as an extractor reads it, or nothing when no extractor is installed.
    static std::optional<QString> pdfText(const QString &path)
    {
        const QString extractor = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (extractor.isEmpty())
            return std::nullopt;
        QProcess process;
        process.start(extractor, { u"-raw"_s, path, u"-"_s });
        if (!process.waitForFinished(30000))
            return std::nullopt;
        return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    }

    QTemporaryDir m_dir;
    QString m_messages;
    QString m_output;
};

} // namespace

TEST_F(PrintCommandTest, WrongArgumentsAreUsageErrors)
{
    struct Row
    {
        QStringList arguments;
        QString message; // part of what the user is told
    };
    const QString pdf = out(u"x.pdf"_s);
    const Row rows[] = {
        { {}, u"missing INPUT"_s },
        { { vcf(), u"-o"_s, pdf }, u"--style is required"_s },
        { { vcf(), u"--style"_s, u"poster"_s, u"-o"_s, pdf }, u"unknown style “poster”"_s },
        { { vcf(), u"--style"_s, u"labels"_s }, u"-o OUT.pdf is required"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s }, u"-o"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--paper"_s, u"B17"_s },
            u"unknown paper “B17”"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--sender"_s, u"0"_s }, u"--sender takes"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--colour"_s, u"red"_s }, u"colour"_s },
        { { vcf(), vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf }, u"unexpected argument"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--preset"_s, u"A0 poster"_s },
            u"unknown preset “A0 poster”"_s },
        { { vcf(), u"--style"_s, u"list"_s, u"-o"_s, pdf, u"--items"_s, u"Phone,Fax"_s }, u"“Fax”"_s },
        { { vcf(), u"--style"_s, u"hagaki"_s, u"-o"_s, pdf, u"--card"_s, u"christmas"_s }, u"“christmas”"_s },
        { { vcf(), u"--style"_s, u"hagaki"_s, u"-o"_s, pdf, u"--option"_s, u"Hagaki.hagakiTyp=General"_s },
            u"Hagaki.hagakiTyp"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--option"_s,
              u"Mailing Labels.labelWidth=wide"_s },
            u"“wide”"_s },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        EXPECT_EQ(run(row.arguments), 2);
        EXPECT_TRUE(m_messages.contains(row.message)) << m_messages.toStdString();
        EXPECT_TRUE(m_messages.contains(u"Usage: corvanthe print"_s)) << m_messages.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

TEST_F(PrintCommandTest, InputsGroupsAndOutputsThatDoNotExist)
{
    struct Row
    {
        QStringList arguments;
        QString message;
    };
    const QString pdf = out();
    const Row rows[] = {
        { { m_dir.filePath(u"missing.vcf"_s), u"--style"_s, u"list"_s, u"-o"_s, pdf },
            u"missing.vcf: Couldn't read the file."_s },
        { { vcf(), u"--style"_s, u"list"_s, u"-o"_s, pdf, u"--group"_s, u"Family"_s },
            u"There is no group named “Family” in the file. Its groups are: Friends, Work"_s },
        { { TestPaths::data(u"print/mailwick.csv"_s), u"--style"_s, u"list"_s, u"-o"_s, pdf, u"--group"_s,
              u"Friends"_s },
            u"It has no groups."_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, m_dir.filePath(u"no/such/folder/out.pdf"_s) },
            u"out.pdf: Can't save the file."_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--sender"_s, u"9"_s },
            u"there are only 3 contacts"_s },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        EXPECT_EQ(run(row.arguments), 1);
        EXPECT_TRUE(m_messages.contains(row.message)) << m_messages.toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << "nothing is written when the run fails";
    }
}

TEST_F(PrintCommandTest, PrintsLabelsAndListsOfAFileOrOneGroup)
{
    EXPECT_EQ(run({ vcf(), u"--style"_s, u"labels"_s, u"-o"_s, out(), u"--preset"_s, u"4x2\" gap 1/8\""_s,
                  u"--honorific"_s, u"様"_s }),
        0)
        << m_messages.toStdString();
    EXPECT_EQ(pdfPages(out()), 1);

    EXPECT_EQ(run({ vcf(), u"--style"_s, u"list"_s, u"-o"_s, out(u"friends.pdf"_s), u"--group"_s,
                  u"Friends"_s, u"--paper"_s, u"a4"_s }),
        0)
        << m_messages.toStdString();
    EXPECT_EQ(pdfPages(out(u"friends.pdf"_s)), 1);

    // The envelope product's CSV is read by its extension.
    EXPECT_EQ(run({ TestPaths::data(u"print/mailwick.csv"_s), u"--style"_s, u"labels"_s, u"-o"_s,
                  out(u"csv.pdf"_s) }),
        0)
        << m_messages.toStdString();
    EXPECT_EQ(pdfPages(out(u"csv.pdf"_s)), 1);
}

TEST_F(PrintCommandTest, PostcardsAndEnvelopesLeaveTheSenderOut)
{
    // Three contacts, the first the sender: two cards of postcard size.
    EXPECT_EQ(run({ vcf(), u"--style"_s, u"hagaki"_s, u"-o"_s, out(), u"--sender"_s, u"1"_s }), 0)
        << m_messages.toStdString();
    EXPECT_EQ(pdfPages(out()), 2);
    const auto box = QRegularExpression(u"/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"_s)
                         .match(QString::fromLatin1(CliTestSupport::readFile(out())));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 283.46, 1.0); // 100 mm
    EXPECT_NEAR(box.captured(2).toDouble(), 419.53, 1.0); // 148 mm

    EXPECT_EQ(run({ vcf(), u"--style"_s, u"envelope"_s, u"-o"_s, out(u"env.pdf"_s), u"--paper"_s,
                  u"長形3号"_s, u"--sender"_s, u"3"_s }),
        0)
        << m_messages.toStdString();
    EXPECT_EQ(pdfPages(out(u"env.pdf"_s)), 2);
    // Without a marked sender every contact gets a card.
    EXPECT_EQ(run({ vcf(), u"--style"_s, u"hagaki"_s, u"-o"_s, out(u"all.pdf"_s) }), 0)
        << m_messages.toStdString();
    EXPECT_EQ(pdfPages(out(u"all.pdf"_s)), 3);
}

TEST_F(PrintCommandTest, AFileWithoutContactsIsAnError)
{
    const QString empty = CliTestSupport::writeFile(m_dir, u"empty.vcf"_s, "no cards here\n");
    EXPECT_EQ(run({ empty, u"--style"_s, u"labels"_s, u"-o"_s, out() }), 1);
    EXPECT_TRUE(m_messages.contains(u"Please make sure the file is vCard 2.1/3.0 file."_s))
        << m_messages.toStdString();
    EXPECT_FALSE(QFile::exists(out()));
    // A file whose only contact is the sender leaves no card to print.
    EXPECT_EQ(run({ TestPaths::data(u"convert/friends.vcf"_s), u"--style"_s, u"hagaki"_s, u"-o"_s, out(),
                  u"--group"_s, u"Family"_s, u"--sender"_s, u"1"_s }),
        1);
    EXPECT_TRUE(m_messages.contains(u"there are no contacts to print"_s)) << m_messages.toStdString();
    EXPECT_FALSE(QFile::exists(out()));
}

TEST_F(PrintCommandTest, StandardInputAndOutput)
{
    const QByteArray cards = CliTestSupport::readFile(vcf());
    const CliTestSupport::Run piped
        = CliTestSupport::run({ u"print"_s, u"-"_s, u"--style"_s, u"labels"_s, u"-o"_s, u"-"_s }, cards);
    ASSERT_EQ(piped.status, 0) << piped.err.toStdString();
    EXPECT_TRUE(piped.outBytes.startsWith("%PDF-"));
    EXPECT_TRUE(piped.outBytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pdfPages(piped.outBytes), 1);
}

TEST_F(PrintCommandTest, ListOptionsShowsEveryKeyAfterTheChangesGiven)
{
    // The value of a key as listed, with its choices after it.
    const auto listed = [this](const QString &key) {
        for (const QString &line : m_output.split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(key + u'='))
                return line.mid(key.size() + 1);
        }
        return u"<missing>"_s;
    };
    ASSERT_EQ(run({ u"--list-options"_s }), 0) << m_messages.toStdString();
    const QString plain = m_output;
    EXPECT_EQ(listed(u"Hagaki.tateChuYoko"_s), u"no  (yes | no)"_s);
    EXPECT_EQ(listed(u"Hagaki.hagakiType"_s), u"Nenga  (Nenga | General | None)"_s);
    EXPECT_EQ(listed(u"Mailing Labels.labelWidth"_s), u"130"_s);
    EXPECT_GT(plain.count(u'\n'), 40);

    ASSERT_EQ(
        run({ u"--list-options"_s, u"--card"_s, u"general"_s, u"--items"_s, u"phone,Address"_s, u"--option"_s,
            u"Hagaki.kanjiNumerals=一〇〇"_s, u"--option"_s, u"Mailing Labels.labelWidth=144"_s }),
        0)
        << m_messages.toStdString();
    EXPECT_TRUE(listed(u"Hagaki.hagakiType"_s).startsWith(u"General  "_s));
    EXPECT_TRUE(listed(u"Hagaki.kanjiNumerals"_s).startsWith(u"一〇〇  "_s));
    EXPECT_EQ(listed(u"Mailing Labels.labelWidth"_s), u"144"_s);
    EXPECT_TRUE(listed(u"Address List.itemTable"_s).startsWith(u"Name,Phone,Address  "_s));
    EXPECT_EQ(m_output.count(u'\n'), plain.count(u'\n'));

    // A run's changes are not kept.
    ASSERT_EQ(run({ u"--list-options"_s }), 0);
    EXPECT_EQ(m_output, plain);
}

TEST_F(PrintCommandTest, ItemsAndOptionsReachThePrintedPage)
{
    // The address list prints only names by default; --items adds fields, --option any key.
    ASSERT_EQ(run({ vcf(), u"--style"_s, u"list"_s, u"-o"_s, out(u"names.pdf"_s) }), 0)
        << m_messages.toStdString();
    ASSERT_EQ(run({ vcf(), u"--style"_s, u"list"_s, u"-o"_s, out(u"items.pdf"_s), u"--items"_s,
                  u"Phone,Company"_s, u"--option"_s, u"keishou=殿"_s }),
        0)
        << m_messages.toStdString();
    const std::optional<QString> names = pdfText(out(u"names.pdf"_s));
    const std::optional<QString> items = pdfText(out(u"items.pdf"_s));
    if (!names || !items)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_FALSE(names->contains(u"555-0100"_s)) << names->toStdString();
    EXPECT_TRUE(items->contains(u"555-0100"_s)) << items->toStdString();
    EXPECT_TRUE(items->contains(u"山田商事"_s)) << items->toStdString();
}
