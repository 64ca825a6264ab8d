// A New Year run printed to PDF, read back with a PDF text extractor: one page per receiver, each a
// Japanese postcard, each holding its receiver's name.

#include "CliTestSupport.h"
#include "common/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PrintPdfTextTest, PostcardRunHasAPagePerReceiverWithItsName)
{
    const QString extractor = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (extractor.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"nenga.pdf"_s);
    const CliTestSupport::Run printed = CliTestSupport::run(
        { u"print"_s, TestPaths::data(u"print/postcards.vcf"_s), u"--style"_s, u"hagaki"_s, u"-o"_s, pdf });
    ASSERT_EQ(printed.status, 0) << printed.err.toStdString();

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString raw = QString::fromLatin1(file.readAll());
    EXPECT_EQ(raw.count(QRegularExpression(u"/Type\\s*/Page\\b"_s)), 3); // the sender gets no card
    // 100 x 148 mm in points.
    const auto box = QRegularExpression(u"/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"_s).match(raw);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 283.46, 1.0);
    EXPECT_NEAR(box.captured(2).toDouble(), 419.53, 1.0);

    QProcess process;
    process.start(extractor, { u"-raw"_s, pdf, u"-"_s });
    ASSERT_TRUE(process.waitForFinished(30000));
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    // Vertical text comes out a character to a line, and some ideographs as the compatibility
    // characters that share their glyph; compatibility normalisation gives the text back.
    text = text.normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(u"[ \\t\\r\\n]"_s)); // keeps the form feeds between pages
    const QStringList pages = text.split(u'\f');
    ASSERT_GE(pages.size(), 3);
    const QString names[] = { u"山田太郎"_s, u"佐藤健"_s, u"鈴木一郎"_s };
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(pages.at(i).contains(names[i])) << "page " << i + 1 << ": " << pages.at(i).toStdString();
    EXPECT_TRUE(pages.at(0).contains(u"花子"_s)); // joint names beside the name
    EXPECT_TRUE(pages.at(0).contains(u"山田商事"_s)); // and the company line
    EXPECT_TRUE(pages.at(1).contains(u"梅田三丁目4番5号"_s)); // both lines of a two-line address
    EXPECT_TRUE(pages.at(1).contains(u"二十階"_s));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(pages.at(i).contains(u"高橋誠"_s)) << "page " << i + 1; // the sender on every card
}
