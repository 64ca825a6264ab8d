#include "TranslationCheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString sourceDir()
{
    return QStringLiteral(CORVANTHE_SOURCE_DIR);
}

QStringList committedTranslationFiles()
{
    const QDir folder(sourceDir() + u"/resources/translations"_s);
    QStringList files;
    for (const QString &name : folder.entryList({ u"corvanthe_*.ts"_s }, QDir::Files))
        files.append(folder.filePath(name));
    return files;
}

struct LupdateRun
{
    bool ran = false;
    QString output;
    QStringList warnings;
};

// Runs lupdate over src/ into TS the way scripts/update-translations.sh does (TranslatableText read as
// QT_TRANSLATE_NOOP), except that obsolete entries are kept (to be reported) and places are recorded
// (to name them).
LupdateRun runLupdate(const QString &ts)
{
    QProcess process;
    process.setWorkingDirectory(sourceDir());
    process.start(QStringLiteral(CORVANTHE_LUPDATE),
        { u"src"_s, u"-extensions"_s, u"cpp,h"_s, u"-tr-function-alias"_s,
            u"QT_TRANSLATE_NOOP+=TranslatableText"_s, u"-locations"_s, u"absolute"_s, u"-ts"_s, ts });
    LupdateRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        run.output = QString::fromUtf8(process.readAllStandardError()) + process.errorString();
        return run;
    }
    run.ran = true;
    run.output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    // "file:line: Class 'X' lacks Q_OBJECT macro" and the like: a text lupdate could not file correctly.
    static const QRegularExpression warning(u"^\\S+:\\d+: .*$"_s, QRegularExpression::MultilineOption);
    for (auto it = warning.globalMatch(run.output); it.hasNext();)
        run.warnings.append(it.next().captured());
    return run;
}

QList<TsMessage> messagesOf(const QString &ts)
{
    QList<TsMessage> messages;
    QString error;
    EXPECT_TRUE(readTsFile(ts, &messages, &error)) << error.toStdString();
    return messages;
}

QString writeTs(const QTemporaryDir &dir, const QString &name, const QString &body)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"ja\">\n"_s
            .toUtf8());
    file.write(body.toUtf8());
    file.write("</TS>\n");
    return path;
}

} // namespace

// Every text marked in the code has a finished translation in every committed .ts, and no entry lingers
// for a text the code no longer has. A failure lists the texts; scripts/update-translations.sh brings
// them into the file to translate.
TEST(TranslationCompleteness, EveryMarkedTextIsTranslated)
{
    const QStringList files = committedTranslationFiles();
    ASSERT_FALSE(files.isEmpty()) << "no resources/translations/corvanthe_*.ts";
    for (const QString &committed : files) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString copy = dir.filePath(QFileInfo(committed).fileName());
        ASSERT_TRUE(QFile::copy(committed, copy));
        const LupdateRun run = runLupdate(copy);
        ASSERT_TRUE(run.ran) << "lupdate failed: " << run.output.toStdString();
        EXPECT_TRUE(run.warnings.isEmpty()) << "lupdate could not file these texts:\n"
                                            << run.warnings.join(u'\n').toStdString();
        const QStringList problems = translationProblems(messagesOf(copy), sourceDir());
        EXPECT_TRUE(problems.isEmpty())
            << QFileInfo(committed).fileName().toStdString() << " (run scripts/update-translations.sh, then "
            << "translate):\n"
            << problems.join(u'\n').toStdString();
    }
}

// The check itself: each kind of fault is reported with its text and place, and a sound entry is not.
TEST(TranslationCompleteness, CheckNamesEachFault)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ts = writeTs(dir, u"check.ts"_s, uR"(<context>
    <name>Ctx</name>
    <message>
        <location filename="../src/a.cpp" line="7"/>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation></translation>
    </message>
    <message>
        <source>Gone</source>
        <translation type="vanished">消えた</translation>
    </message>
    <message>
        <source>Old</source>
        <translation type="obsolete">古い</translation>
    </message>
    <message>
        <source>%1 of %2 &amp; more</source>
        <translation>%2 中 %1 以上</translation>
    </message>
    <message>
        <source>Copy %1</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Label %@</source>
        <translation>ラベル %1</translation>
    </message>
    <message numerus="yes">
        <source>%n contacts</source>
        <translation>
            <numerusform>%n 件の連絡先</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cards</source>
        <translation>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Line one
line two</source>
        <comment>menu</comment>
        <translation>一行目
二行目</translation>
    </message>
</context>
)"_s);
    const QStringList problems = translationProblems(messagesOf(ts), dir.path());
    const QStringList expected = {
        u"not translated: Ctx: \"Open\" at ../src/a.cpp:7"_s,
        u"not translated: Ctx: \"Close\""_s,
        u"no longer marked in the code: Ctx: \"Gone\""_s,
        u"no longer marked in the code: Ctx: \"Old\""_s,
        u"placeholders differ (\"コピー\"): Ctx: \"Copy %1\""_s,
        u"placeholders differ (\"ラベル %1\"): Ctx: \"Label %@\""_s,
        u"not translated: Ctx: \"%n cards\""_s,
    };
    EXPECT_EQ(problems, expected) << problems.join(u'\n').toStdString();
}

// A text marked in a new file reaches the check through lupdate, so forgetting its translation fails.
TEST(TranslationCompleteness, NewlyMarkedTextIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ts = writeTs(dir, u"new.ts"_s, QString());
    QProcess process;
    QDir(dir.path()).mkpath(u"src"_s);
    QFile source(dir.filePath(u"src/Sample.cpp"_s));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("#include <QCoreApplication>\n"
                 "QString sample() { return QCoreApplication::translate(\"Sample\", \"Test\"); }\n");
    source.close();
    process.setWorkingDirectory(dir.path());
    process.start(
        QStringLiteral(CORVANTHE_LUPDATE), { u"src"_s, u"-locations"_s, u"absolute"_s, u"-ts"_s, ts });
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0);
    EXPECT_EQ(translationProblems(messagesOf(ts), dir.path()),
        QStringList { u"not translated: Sample: \"Test\" at src/Sample.cpp:2"_s });
}
