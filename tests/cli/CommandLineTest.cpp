// The command line's shape, the same for every subcommand: --help, wrong options, the version, and
// what the program does with a first word before any window is tried.
#include "CliTestSupport.h"
#include "cli/CommandParser.h"
#include "cli/Launch.h"
#include "common/TestPaths.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CommandLineTest, EverySubcommandShowsItsUsageAndRefusesAWrongOption)
{
    ASSERT_EQ(CommandLine::subcommands().size(), 10);
    for (const Subcommand *command : CommandLine::subcommands()) {
        const QString name = QString::fromLatin1(command->name);
        SCOPED_TRACE(name.toStdString());
        const QString usage = u"Usage: corvanthe "_s + name + u" [options]"_s;

        for (const QStringList &asking : { QStringList { name, u"--help"_s }, QStringList { name, u"-h"_s },
                 QStringList { u"help"_s, name } }) {
            const CliTestSupport::Run help = CliTestSupport::run(asking);
            EXPECT_EQ(help.status, 0);
            EXPECT_TRUE(help.out.startsWith(usage)) << help.out.toStdString();
            EXPECT_TRUE(help.out.contains(u"--help"_s));
            // Qt's own options are not the subcommand's.
            EXPECT_FALSE(help.out.contains(u"--help-all"_s));
            EXPECT_TRUE(help.err.isEmpty());
        }

        const CliTestSupport::Run wrong = CliTestSupport::run({ name, u"--no-such-option"_s, u"x"_s });
        EXPECT_EQ(wrong.status, 2);
        EXPECT_TRUE(wrong.out.isEmpty());
        EXPECT_TRUE(wrong.err.startsWith(u"corvanthe "_s + name + u": "_s)) << wrong.err.toStdString();
        EXPECT_TRUE(wrong.err.contains(u"no-such-option"_s));
        EXPECT_TRUE(wrong.err.contains(usage)) << wrong.err.toStdString();

        // Too few arguments are a usage error too, never a crash or a silent success.
        const CliTestSupport::Run bare = CliTestSupport::run({ name });
        EXPECT_EQ(bare.status, 2) << bare.err.toStdString();
        EXPECT_TRUE(bare.err.contains(usage));
    }
}

TEST(CommandLineTest, HelpVersionAndUnknownSubcommands)
{
    for (const QString &word : { u"help"_s, u"--help"_s, u"-h"_s }) {
        const CliTestSupport::Run help = CliTestSupport::run({ word });
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith(u"Usage: corvanthe [FILE...]"_s));
        for (const Subcommand *command : CommandLine::subcommands())
            EXPECT_TRUE(help.out.contains(u"\n  "_s + QString::fromLatin1(command->name) + u' '))
                << command->name;
    }
    for (const QString &word : { u"--version"_s, u"-v"_s }) {
        const CliTestSupport::Run version = CliTestSupport::run({ word });
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, u"corvanthe "_s + QStringLiteral(CORVANTHE_VERSION) + u'\n');
    }
    const CliTestSupport::Run unknown = CliTestSupport::run({ u"tables"_s, u"x.vcf"_s });
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.startsWith(u"no such file or subcommand: tables\n"_s))
        << unknown.err.toStdString();
}

TEST(CommandLineTest, OptionsTakeBothSpellingsAndDashIsAnArgument)
{
    CommandParser parser(u"try"_s, u"A parser."_s);
    parser.addArgument(u"INPUT"_s, u"In."_s);
    parser.addOption({ { u"o"_s, u"output"_s }, u"Out."_s, u"FILE"_s });
    parser.addOption({ u"option"_s, u"Repeatable."_s, u"KEY=VALUE"_s });
    BufferIo io;
    ASSERT_FALSE(parser.parse({ u"-"_s, u"-o"_s, u"-"_s, u"--option=a=1"_s, u"--option"_s, u"b=2"_s }, io));
    EXPECT_EQ(parser.arguments(), QStringList { u"-"_s });
    EXPECT_EQ(parser.value(u"output"_s), u"-"_s);
    EXPECT_EQ(parser.values(u"option"_s), (QStringList { u"a=1"_s, u"b=2"_s }));
    // After "--" a word that looks like an option is an argument (a search text "-1").
    ASSERT_FALSE(parser.parse({ u"--"_s, u"-1"_s }, io));
    EXPECT_EQ(parser.arguments(), QStringList { u"-1"_s });
    EXPECT_EQ(parser.parse({ u"a"_s, u"b"_s }, io), std::optional<int>(2));
    EXPECT_TRUE(io.errText().contains(u"unexpected argument “b”"_s));
}

TEST(CommandLineTest, TheFirstWordDecidesBeforeAnyWindowIsTried)
{
    const QString file = TestPaths::data(u"convert/friends.vcf"_s);
    struct Row
    {
        QStringList arguments;
        bool display;
        Launch::Mode mode;
        QString message;
        const char *guards;
    };
    const Row rows[] = {
        { {}, true, Launch::Mode::Editor, {}, "no arguments opens the editor" },
        { { file }, true, Launch::Mode::Editor, {}, "files open in the editor" },
        { { u"dump"_s, u"x"_s }, false, Launch::Mode::Command, {}, "a subcommand needs no display" },
        { { u"help"_s }, false, Launch::Mode::Command, {}, "nor does help" },
        { { u"--version"_s }, false, Launch::Mode::Command, {}, "nor the version" },
        { {}, false, Launch::Mode::Refuse, u"the editor needs a display"_s, "no display, no editor" },
        { { file }, false, Launch::Mode::Refuse, u"“corvanthe help” lists what runs without one"_s,
            "files without a display" },
        { { u"tables"_s, file }, true, Launch::Mode::Refuse, u"no such file or subcommand: tables"_s,
            "a word that is neither, even with a display" },
        { { u"nothere.vcf"_s }, false, Launch::Mode::Refuse, u"no such file or subcommand: nothere.vcf"_s,
            "the unknown word is told before the missing display" },
        { { u"-platform"_s, u"offscreen"_s }, false, Launch::Mode::Editor, {},
            "the window system's own options choose a platform" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.guards);
        const Launch::Decision decision = Launch::decide(row.arguments, row.display);
        EXPECT_EQ(decision.mode, row.mode);
        if (row.mode == Launch::Mode::Refuse) {
            EXPECT_EQ(decision.status, 2);
            EXPECT_TRUE(decision.message.contains(row.message)) << decision.message.toStdString();
            EXPECT_FALSE(decision.message.contains(u'\n'));
        }
    }
}
