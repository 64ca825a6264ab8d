// The built program as a user runs it: a clean environment without a display, real pipes.
#include "CliTestSupport.h"
#include "common/TestPaths.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Finished
{
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs corvanthe without DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM, unless extra sets one.
Finished corvanthe(const QStringList &arguments, const QByteArray &input = QByteArray(),
    const QProcessEnvironment &extra = QProcessEnvironment())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
        environment.remove(name);
    for (const QString &name : extra.keys())
        environment.insert(name, extra.value(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CORVANTHE_EXECUTABLE), arguments);
    Finished finished;
    if (!process.waitForStarted(30000))
        return finished;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return finished;
    finished.status = process.exitCode();
    finished.out = process.readAllStandardOutput();
    finished.err = QString::fromUtf8(process.readAllStandardError());
    return finished;
}

// Lines Qt itself may add on a machine without a runtime folder are not ours.
QStringList ourLines(const QString &err)
{
    QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString &line) { return line.startsWith(u"QStandardPaths:"_s); });
    return lines;
}

} // namespace

TEST(ProcessTest, WithoutADisplayTheEditorSaysSoInOneLine)
{
    const QString file = TestPaths::data(u"convert/friends.vcf"_s);
    for (const QStringList &arguments : { QStringList {}, QStringList { file } }) {
        const Finished run = corvanthe(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        const QStringList lines = ourLines(run.err);
        ASSERT_EQ(lines.size(), 1) << run.err.toStdString();
        EXPECT_TRUE(lines.first().contains(u"needs a display"_s)) << run.err.toStdString();
        EXPECT_TRUE(lines.first().contains(u"corvanthe help"_s));
    }
}

TEST(ProcessTest, AnUnknownWordIsToldBeforeAnyWindowIsTried)
{
    // Even with a display named: no window system is started for a word that names nothing.
    QProcessEnvironment display;
    display.insert(u"DISPLAY"_s, u":99"_s);
    for (const QProcessEnvironment &environment : { QProcessEnvironment(), display }) {
        const Finished run = corvanthe({ u"tables"_s, u"x.vcf"_s }, {}, environment);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(ourLines(run.err), QStringList { u"corvanthe: no such file or subcommand: tables"_s })
            << run.err.toStdString();
    }
}

TEST(ProcessTest, SubcommandsRunWithoutADisplayOverRealPipes)
{
    const Finished version = corvanthe({ u"--version"_s });
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "corvanthe " CORVANTHE_VERSION "\n");

    const Finished help = corvanthe({ u"print"_s, u"--help"_s });
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: corvanthe print [options]"));

    const Finished wrong = corvanthe({ u"print"_s, u"--colour"_s, u"red"_s });
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.err.contains(u"Usage: corvanthe print"_s));

    // vCard in on standard input, CSV out on standard output.
    const QByteArray cards = CliTestSupport::readFile(TestPaths::data(u"convert/friends.vcf"_s));
    const Finished csv = corvanthe({ u"convert"_s, u"-"_s, u"-"_s, u"--to"_s, u"csv"_s }, cards);
    ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
    EXPECT_EQ(csv.out.count('\n'), 4);
    EXPECT_TRUE(csv.out.contains("Ann Lee") || csv.out.contains("Lee")) << csv.out.constData();

    const Finished pdf = corvanthe({ u"print"_s, u"-"_s, u"--style"_s, u"list"_s, u"-o"_s, u"-"_s }, cards);
    ASSERT_EQ(pdf.status, 0) << pdf.err.toStdString();
    EXPECT_TRUE(pdf.out.startsWith("%PDF-"));
}
