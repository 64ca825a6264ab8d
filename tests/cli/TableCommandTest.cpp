#include "CliTestSupport.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray cards()
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Sato;Hanako;;;\r\nFN:Hanako Sato\r\nTEL;TYPE=HOME:06-1\r\n"
           "TEL;TYPE=CELL:090-1\r\nNOTE:line one\\nline two\r\nCATEGORIES:Friends\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Abe;Ken;;;\r\nFN:Ken Abe\r\nTEL;TYPE=WORK:03-2\r\nEND:VCARD\r\n";
}

} // namespace

TEST(TableCommandTest, PrintsTheHeaderARowPerSubRowAndTheSummary)
{
    const CliTestSupport::Run run = CliTestSupport::run(
        { u"table"_s, u"-"_s, u"--columns"_s, u"Phone,Note"_s, u"--labels"_s, u"All"_s }, cards());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    EXPECT_EQ(lines.at(0), u"Sender\tName\tPhone\tNote"_s);
    // By the name shown, ascending: Hanako's two rows, then Ken's.
    EXPECT_EQ(lines.at(1), u"0\tHanako Sato\t06-1\tline one\\nline two"_s)
        << "line breaks in a cell are written \\n";
    EXPECT_EQ(lines.at(2), u"0\t\t090-1\t"_s) << "Hanako's second phone has a row without her name";
    EXPECT_TRUE(lines.at(3).startsWith(u"0\tKen Abe\t03-2"_s)) << lines.at(3).toStdString();
    EXPECT_TRUE(lines.at(4).contains(u"2"_s));
}

TEST(TableCommandTest, SortsByAKeyInEitherDirectionAndShowsOneGroup)
{
    const CliTestSupport::Run descending
        = CliTestSupport::run({ u"table"_s, u"-"_s, u"--columns"_s, u"Phone"_s, u"--labels"_s, u"work"_s,
                                  u"--sort"_s, u"compositeName:desc"_s },
            cards());
    ASSERT_EQ(descending.status, 0) << descending.err.toStdString();
    EXPECT_TRUE(descending.lines().at(1).contains(u"Ken Abe"_s)) << descending.out.toStdString();

    const CliTestSupport::Run group = CliTestSupport::run(
        { u"table"_s, u"-"_s, u"--group"_s, u"Friends"_s, u"--columns"_s, u"Phone"_s }, cards());
    ASSERT_EQ(group.status, 0) << group.err.toStdString();
    EXPECT_FALSE(group.out.contains(u"Ken Abe"_s));
    EXPECT_TRUE(group.out.contains(u"Hanako Sato"_s));
}

TEST(TableCommandTest, WrongChoicesAreToldNeverPrintedAsATable)
{
    const CliTestSupport::Run group
        = CliTestSupport::run({ u"table"_s, u"-"_s, u"--group"_s, u"Nobody"_s }, cards());
    EXPECT_EQ(group.status, 1);
    EXPECT_TRUE(group.out.isEmpty());
    EXPECT_TRUE(group.err.contains(u"Nobody"_s)) << group.err.toStdString();

    const CliTestSupport::Run sort
        = CliTestSupport::run({ u"table"_s, u"-"_s, u"--sort"_s, u"Shoe size"_s }, cards());
    EXPECT_EQ(sort.status, 1);
    EXPECT_TRUE(sort.err.contains(u"Shoe size"_s));

    const CliTestSupport::Run both = CliTestSupport::run(
        { u"table"_s, u"-"_s, u"--view"_s, u"Address"_s, u"--columns"_s, u"Phone"_s }, cards());
    EXPECT_EQ(both.status, 2);

    const CliTestSupport::Run broken = CliTestSupport::run({ u"table"_s, u"-"_s }, "not a card at all");
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(broken.out.isEmpty());
    EXPECT_FALSE(broken.err.isEmpty());
}
