#include "common/TestPaths.h"
#include "tools/PostalArchive.h"
#include "tools/PostalCsv.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalDataInstaller.h"
#include "tools/PostalKeys.h"
#include "tools/ZipSearch.h"
#include "tools/ZipSearchTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList compactLines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

TEST(PostalDataFile, InflateAcceptsGzipAndZlibAndRejectsDamagedStreamsWhole)
{
    const QByteArray plain = QByteArray("13101,\"100  \",\"1000001\"\r\n").repeated(500);
    const QByteArray gzip = PostalDataFile::gzipData(plain);
    ASSERT_FALSE(gzip.isEmpty());
    EXPECT_EQ(PostalDataFile::inflateData(gzip), plain);
    EXPECT_EQ(PostalDataFile::inflateData(qCompress(plain).mid(4)), plain) << "zlib header";

    EXPECT_TRUE(PostalDataFile::inflateData({}).isEmpty());
    EXPECT_TRUE(PostalDataFile::inflateData(gzip.left(gzip.size() / 2)).isEmpty())
        << "truncated: nothing, not a part";
    EXPECT_TRUE(PostalDataFile::inflateData("plainly not compressed"_ba).isEmpty());
    QByteArray damaged = gzip;
    damaged[damaged.size() - 6] = char(damaged[damaged.size() - 6] ^ 0x55); // breaks the CRC trailer
    EXPECT_TRUE(PostalDataFile::inflateData(damaged).isEmpty());
}

TEST(PostalDataFile, DecodesWindows31JIncludingTheBusinessFileExtensions)
{
    struct Case
    {
        QByteArray bytes;
        QString text;
        qsizetype invalid;
    } cases[] = {
        { "\x87\x8a", u"㈱"_s, 0 }, // NEC special: a strict Shift_JIS decoder rejects it
        { "\x87\x54", u"Ⅰ"_s, 0 }, // NEC special roman numeral
        { "\x81\x7c", u"\uff0d"_s, 0 }, // full-width hyphen-minus, not U+2212
        { "\x81\x60", u"\uff5e"_s, 0 }, // full-width tilde, not the wave dash
        { "\xb1\xb2", u"ｱｲ"_s, 0 }, // half-width katakana of the readings
        { "\x93\x8c\x8b\x9e", u"東京"_s, 0 }, //
        { "a\x81", u"a\ufffd"_s, 1 }, // a lead byte with nothing after it
    };
    for (const Case &c : cases) {
        qsizetype invalid = -1;
        EXPECT_EQ(PostalDataFile::decodeWindows31J(c.bytes, &invalid), c.text) << c.bytes.toHex().constData();
        EXPECT_EQ(invalid, c.invalid) << c.bytes.toHex().constData();
    }
}

TEST(PostalCsv, SplitsQuotedAndPlainFieldsAndFlagsMalformedLines)
{
    struct Case
    {
        QString line;
        QStringList fields;
        bool wellFormed;
    } cases[] = {
        { u"13101,\"100  \",\"1000001\""_s, { u"13101"_s, u"100  "_s, u"1000001"_s }, true },
        { u"a,,b,"_s, { u"a"_s, u""_s, u"b"_s, u""_s }, true },
        { u"\"x,y\",z"_s, { u"x,y"_s, u"z"_s }, true }, // comma inside quotes
        { u"\"open,field"_s, { u"open,field"_s }, false }, // quote never closed
        { u"\"a\"junk,b"_s, { u"a"_s, u"b"_s }, false }, // text after a closing quote
        { QString(200, u','), {}, false }, // more fields than any record
    };
    for (const Case &c : cases) {
        bool wellFormed = !c.wellFormed;
        const QList<QStringView> fields = PostalCsv::splitRecord(c.line, &wellFormed);
        EXPECT_EQ(wellFormed, c.wellFormed) << qPrintable(c.line.left(20));
        if (!c.fields.isEmpty()) {
            QStringList got;
            for (QStringView f : fields)
                got.append(f.toString());
            EXPECT_EQ(got, c.fields) << qPrintable(c.line);
        } else {
            EXPECT_LE(fields.size(), PostalCsv::MaximumFields);
        }
    }
}

TEST(PostalSearchTexts, CompactLinesKeepTheUsedColumnsAndJoinSplitTownNames)
{
    const ZipSearchTexts texts = ZipSearchTextBuilder::build(TestPaths::data(u"postal"_s));
    const QStringList general = compactLines(texts.general);
    // Ten records, two of which are one town split over two lines.
    ASSERT_EQ(general.size(), 9);
    EXPECT_EQ(
        general[0], u"K,\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\","_s);
    EXPECT_EQ(general[6],
        u"K,\"0660005\",\"ﾎｯｶｲﾄﾞｳ\",\"ﾁﾄｾｼ\",\"ｷｮｳﾜ(88-2､271-10､343-2ﾊﾞﾝﾁ)\",\"北海道\",\"千歳市\","
        u"\"協和（８８－２、２７１－１０、３４３－２番地）\","_s);
    // A record cut short still gives a line, with empty values where columns are missing.
    EXPECT_EQ(general[8], u"K,\"0691183\",\"ﾎｯｶｲﾄﾞｳ\",\"\",\"\",\"\",\"\",\"\","_s);

    const QStringList business = compactLines(texts.business);
    ASSERT_EQ(business.size(), 2);
    EXPECT_EQ(business[1],
        u"J,\"ｶﾌﾞｼｷｶﾞｲｼﾔ ﾃｽﾄｼｮｳｼﾞ\",\"㈱　テスト商事\",\"東京都\",\"千代田区\",\"丸の内\",\"１丁目Ⅰ号館\","
        u"\"1008799\","_s);
}

TEST(PostalSearchTexts, SplitTownJoinStopsAtANewCodeAndAtItsBound)
{
    // The bracket never closes: the next code starts a record of its own.
    const QString csv = u"0,0,\"1111111\",a,b,c,P,C,\"町（一\"\n"
                        u"0,0,\"2222222\",a,b,c,P,C,\"村\"\n"_s;
    EXPECT_EQ(compactLines(ZipSearchTextBuilder::compactGeneralText(csv)).size(), 2);

    QString endless;
    for (int i = 0; i < 100; ++i)
        endless += u"0,0,\"3333333\",a,b,c,P,C,\"（\"\n"_s;
    const int expected
        = (100 + ZipSearchTextBuilder::MaximumJoinedRecords - 1) / ZipSearchTextBuilder::MaximumJoinedRecords;
    EXPECT_EQ(compactLines(ZipSearchTextBuilder::compactGeneralText(endless)).size(), expected);
}

TEST(PostalSearchTexts, MissingOrCorruptFilesGiveEmptyTexts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(ZipSearchTextBuilder::build(dir.path()).isEmpty());
    QFile corrupt(dir.filePath(PostalFile::General));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(PostalDataFile::gzipData("0,0,\"1000001\"\n"_ba).left(15));
    corrupt.close();
    EXPECT_TRUE(ZipSearchTextBuilder::build(dir.path()).isEmpty());
}

TEST(PostalSearchTexts, BuiltInSampleIsFoundAndSearchable)
{
    // With no installed data and no folder given, the program's own sample answers.
    const QString general = PostalDataFile::locate(PostalFile::General, QString());
    ASSERT_FALSE(general.isEmpty());
    const ZipSearchTexts sample = ZipSearchTextBuilder::build(u":/postal"_s);
    EXPECT_GE(compactLines(sample.general).size(), 150);
    EXPECT_FALSE(ZipSearch::findAddressLines(u"100-0005"_s, sample.general).isEmpty());
    EXPECT_FALSE(ZipSearch::findAddressLines(u"1638001"_s, sample.business).isEmpty());
}

TEST(PostalArchive, ExtractsTheCsvMemberAndRejectsDamage)
{
    QString name;
    QString error;
    const QByteArray csv = readFile(TestPaths::data(u"postal/KEN_ALL.CSV"_s));
    const QByteArray deflated = readFile(TestPaths::data(u"postal/KEN_ALL.ZIP"_s));
    const std::optional<QByteArray> fromDeflated = PostalArchive::extractCsv(deflated, &name, &error);
    ASSERT_TRUE(fromDeflated) << qPrintable(error);
    EXPECT_EQ(*fromDeflated, csv);
    EXPECT_EQ(name, u"KEN_ALL.CSV"_s);
    EXPECT_TRUE(PostalArchive::extractCsv(readFile(TestPaths::data(u"postal/JIGYOSYO.ZIP"_s)), &name, &error))
        << "stored member: " << qPrintable(error);

    struct Damage
    {
        const char *what;
        QByteArray bytes;
    };
    QByteArray flipped = deflated;
    flipped[50] = char(flipped[50] ^ 0xff); // inside the compressed data
    QByteArray hugeClaim = deflated;
    const qsizetype central = deflated.indexOf("PK\x01\x02");
    hugeClaim[central + 24 + 3] = char(0x7f); // uncompressed size far past the limit
    const Damage damages[] = {
        { "empty", {} },
        { "not a zip", "PK\x03\x04 and then nothing"_ba },
        { "truncated", deflated.left(deflated.size() - 30) },
        { "flipped data byte", flipped },
        { "impossible size", hugeClaim },
        { "no CSV member", readFile(TestPaths::data(u"postal/NOCSV.ZIP"_s)) },
    };
    for (const Damage &d : damages) {
        error.clear();
        EXPECT_FALSE(PostalArchive::extractCsv(d.bytes, &name, &error)) << d.what;
        EXPECT_FALSE(error.isEmpty()) << d.what;
    }
}

TEST(PostalDataInstaller, InstallsPublishedFilesAndRefusesTheWrongShape)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString error;
    QStringList report;
    ASSERT_TRUE(PostalDataInstaller::install(TestPaths::data(u"postal/KEN_ALL.ZIP"_s),
        TestPaths::data(u"postal/JIGYOSYO.ZIP"_s), dir.path(), &error, &report))
        << qPrintable(error);
    // The installed file is the published CSV, byte for byte, and the search reads it.
    EXPECT_EQ(PostalDataFile::readInflated(dir.filePath(PostalFile::General)),
        readFile(TestPaths::data(u"postal/KEN_ALL.CSV"_s)));
    const ZipSearchTexts installed = ZipSearchTextBuilder::build(dir.path());
    EXPECT_EQ(compactLines(installed.general).size(), 8);
    EXPECT_EQ(compactLines(installed.business).size(), 2);

    const QByteArray before = readFile(dir.filePath(PostalFile::General));
    struct Refusal
    {
        const char *what;
        QString general;
        QString business;
    } refusals[] = {
        { "business file as the general one", TestPaths::data(u"postal/JIGYOSYO.ZIP"_s), {} },
        { "general file as the business one", TestPaths::data(u"postal/KEN_ALL.CSV"_s),
            TestPaths::data(u"postal/KEN_ALL.ZIP"_s) },
        { "archive without a CSV", TestPaths::data(u"postal/NOCSV.ZIP"_s), {} },
        { "missing file", TestPaths::data(u"postal/none.zip"_s), {} },
        { "gzip data instead of CSV", TestPaths::data(u"postal/ken_all.gzip"_s), {} },
    };
    for (const Refusal &r : refusals) {
        error.clear();
        EXPECT_FALSE(PostalDataInstaller::install(r.general, r.business, dir.path(), &error)) << r.what;
        EXPECT_FALSE(error.isEmpty()) << r.what;
    }
    EXPECT_EQ(readFile(dir.filePath(PostalFile::General)), before) << "a refused install writes nothing";
}

TEST(PostalDataFullScale, NationalFilesDecodeWholeAndJoinSplitTowns)
{
    if (!TestPaths::haveShared(u"data/postal/ken_all.gzip"_s))
        GTEST_SKIP() << "national postal data not available";
    const QString folder = TestPaths::shared(u"data/postal"_s);
    const QString generalCsv
        = PostalDataFile::decodeWindows31J(PostalDataFile::readInflated(folder + u"/ken_all.gzip"_s));
    qsizetype invalid = -1;
    const QString businessCsv = PostalDataFile::decodeWindows31J(
        PostalDataFile::readInflated(folder + u"/jigyosyo.gzip"_s), &invalid);
    EXPECT_EQ(generalCsv.count(u'\n'), 124825);
    EXPECT_EQ(businessCsv.count(u'\n'), 22416);
    EXPECT_EQ(invalid, 0);

    const ZipSearchTexts texts = ZipSearchTextBuilder::build(folder);
    const qsizetype generalLines = texts.general.count(u'\n');
    EXPECT_LT(generalLines, 124825);
    EXPECT_GT(generalLines, 124825 - 400) << "only split town names are joined";
    EXPECT_EQ(texts.business.count(u'\n'), 22416);
    EXPECT_TRUE(texts.business.contains(u"㈱"_s));
    EXPECT_TRUE(texts.business.contains(u"Ⅰ"_s));

    // 066-0005 is one town whose name runs over three records: it becomes one row with the whole name.
    const QList<ZipResultRow> rows
        = ZipSearch::dictionariesFromFindLines(ZipSearch::findAddressLines(u"0660005"_s, texts.general));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].street.startsWith(u"協和（"_s));
    EXPECT_TRUE(rows[0].street.endsWith(u"番地）"_s));
    EXPECT_TRUE(rows[0].phoneticStreet.endsWith(u"ﾊﾞﾝﾁ)"_s));
    // The town's later part is found by an address search too, on the same single row.
    EXPECT_EQ(ZipSearch::findZipLines(u"千歳市１７５２番地"_s, texts.general).size(), 1);
}
