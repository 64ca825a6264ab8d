#include "print/PrintCommand.h"

#include "common/TestPaths.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Runs the command against settings of its own in a temporary folder, collecting what it reports.
class PrintCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    int run(const QStringList &arguments)
    {
        m_messages.clear();
        QTextStream err(&m_messages);
        QSettings settings(m_dir.filePath(u"settings.ini"_s), QSettings::IniFormat);
        const int status = PrintCommand::run(arguments, err, settings);
        err.flush();
        return status;
    }

    QString out(const QString &name = u"out.pdf"_s) const { return m_dir.filePath(name); }
    static QString vcf() { return TestPaths::data(u"print/contacts.vcf"_s); }

    // The page count of a written PDF, from its page tree.
    static int pdfPages(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const auto match = QRegularExpression(u"/Type\\s*/Pages\\b[^>]*?/Count\\s+(\\d+)"_s)
                               .match(QString::fromLatin1(file.readAll()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    QTemporaryDir m_dir;
    QString m_messages;
};

} // namespace

TEST_F(PrintCommandTest, WrongArgumentsFailWithAReason)
{
    struct Row
    {
        QStringList arguments;
        QString message; // part of what the user is told
    };
    const QString pdf = u"x.pdf"_s;
    const Row rows[] = {
        { {}, u"no input file"_s },
        { { vcf(), u"-o"_s, pdf }, u"--style is required"_s },
        { { vcf(), u"--style"_s, u"poster"_s, u"-o"_s, pdf }, u"unknown style \"poster\""_s },
        { { vcf(), u"--style"_s, u"labels"_s }, u"-o OUT.pdf is required"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s }, u"-o needs a value"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--paper"_s, u"B17"_s },
            u"unknown paper \"B17\""_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--sender"_s, u"0"_s }, u"--sender takes"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--colour"_s, u"red"_s },
            u"unknown option --colour"_s },
        { { vcf(), vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf }, u"only one input file"_s },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        EXPECT_EQ(run(row.arguments), 1);
        EXPECT_TRUE(m_messages.contains(row.message)) << m_messages.toStdString();
        EXPECT_TRUE(m_messages.contains(u"usage: corvanthe print"_s));
    }
}

TEST_F(PrintCommandTest, InputsGroupsPresetsAndOutputsThatDoNotExist)
{
    struct Row
    {
        QStringList arguments;
        QString message;
    };
    const QString pdf = out();
    const Row rows[] = {
        { { m_dir.filePath(u"missing.vcf"_s), u"--style"_s, u"list"_s, u"-o"_s, pdf }, u"no such file"_s },
        { { vcf(), u"--style"_s, u"list"_s, u"-o"_s, pdf, u"--group"_s, u"Family"_s },
            u"unknown group \"Family\"; the groups are: "_s },
        { { TestPaths::data(u"print/mailwick.csv"_s), u"--style"_s, u"list"_s, u"-o"_s, pdf, u"--group"_s,
              u"Friends"_s },
            u"a CSV file has no groups"_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, pdf, u"--preset"_s, u"A0 poster"_s },
            u"unknown preset \"A0 poster\""_s },
        { { vcf(), u"--style"_s, u"labels"_s, u"-o"_s, m_dir.filePath(u"no/such/folder/out.pdf"_s) },
            u"cannot write the file"_s },
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
    QFile file(out());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto box = QRegularExpression(u"/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"_s)
                         .match(QString::fromLatin1(file.readAll()));
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
    QFile empty(m_dir.filePath(u"empty.vcf"_s));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.write("no cards here\n");
    empty.close();
    EXPECT_EQ(run({ empty.fileName(), u"--style"_s, u"labels"_s, u"-o"_s, out() }), 1);
    EXPECT_TRUE(m_messages.contains(u"there are no contacts to print"_s)) << m_messages.toStdString();
    EXPECT_FALSE(QFile::exists(out()));
}
