#include "cli/FindCandidates.h"

#include "CliTestSupport.h"
#include "common/TestPaths.h"
#include "document/DocumentReader.h"
#include "find/FindPanelSearch.h"
#include "formats/EncodingDetector.h"
#include "model/ZRPerson.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The find command searches only the records its reader let through. These tests hold that against
// the full search of every record: a record the full search finds the text in must never have been
// left out, whatever the text, the mode and the card's encodings, folds, escapes and derived values.
namespace {

using Mode = FindPanel::Mode;

struct Check
{
    QStringList missed; // "name: value" of the matches the candidates left out
    qsizetype leftOut = 0; // records rightly left out
};

// How the contacts reach the search: a file read, or text already decoded (pasted, dropped).
enum class Source { File, DecodedText };

Check check(const QString &path, const QString &text, Mode mode,
    const QStringList &items = { LabelText::All }, Source source = Source::File)
{
    FindOptions::Search search;
    search.mode = mode;
    search.items = items;
    FindCandidates candidates(text, search);
    DocumentReadResult read;
    if (source == Source::File) {
        read = DocumentReader::readFile(
            path, InputFormat::VCard, TextEncoding::Automatic, nullptr, {}, candidates.observer());
    } else {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const DecodedText decoded = EncodingDetector::decode(file.readAll(), TextEncoding::Automatic);
        read = DocumentReader::readText(decoded.text, InputFormat::VCard, nullptr, {}, candidates.observer());
    }
    candidates.readEnded(read.contactTable.size());
    const FindPanelSearch full(text, mode);
    Check result;
    for (const ContactEntryPtr &entry : read.contactTable) {
        QList<FindResultRowPtr> rows;
        full.searchContact(entry, rows);
        const bool kept = candidates.mayHold(entry->person.get());
        if (!kept && !rows.isEmpty())
            result.missed << rows.first()->name + u": "_s + rows.first()->value;
        else if (!kept)
            ++result.leftOut;
    }
    return result;
}

// Texts taken from every value the full search reaches in the file (a match of anything in regex
// mode is every non-empty value): each whole, a slice of its middle and in other case.
QStringList probesOf(const QString &path, qsizetype most)
{
    const DocumentReadResult read
        = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic);
    const FindPanelSearch everything(u"(?s)."_s, Mode::Regex);
    QStringList values;
    for (const ContactEntryPtr &entry : read.contactTable) {
        QList<FindResultRowPtr> rows;
        everything.searchContact(entry, rows);
        for (const FindResultRowPtr &row : std::as_const(rows))
            values << row->value;
    }
    values.removeDuplicates();
    QStringList probes;
    const qsizetype step = std::max<qsizetype>(1, values.size() * 3 / std::max<qsizetype>(most, 1));
    for (qsizetype i = 0; i < values.size(); i += step) {
        const QString &value = values.at(i);
        probes << value << value.toUpper();
        if (value.size() > 4)
            probes << value.mid(value.size() / 2 - 1, 3);
    }
    probes.removeDuplicates();
    return probes;
}

void expectNoneMissed(const QString &path, const QStringList &texts, Mode mode)
{
    for (const QString &text : texts) {
        const Check c = check(path, text, mode);
        EXPECT_TRUE(c.missed.isEmpty()) << path.toStdString() << " \"" << text.toStdString()
                                        << "\": " << c.missed.join(u"; "_s).toStdString();
    }
}

} // namespace

TEST(FindCandidates, NoRecordHoldingTheTextIsLeftOut)
{
    const QString path = TestPaths::data(u"find/derived.vcf"_s);
    const QStringList probes = probesOf(path, 400);
    // The fixture's dates, countries, profiles and decoded values must all be reached.
    ASSERT_GT(probes.size(), 60);
    expectNoneMissed(path, probes, Mode::CaseInsensitive);
    expectNoneMissed(path, probes, Mode::CaseSensitive);
    // Texts that only the record's own forms of the values hold: formatted dates and their weekdays,
    // decoded and unescaped text, a line break, a folded word, letters that fold case beyond ASCII.
    expectNoneMissed(path,
        { u"1976.08.11"_s, u".02.29("_s, u"07.04"_s, u"Wed"_s, u"Jürgen"_s, u"straße und"_s, u"R&D; Labs"_s,
            u"1-2-3 Shiba\nRoom"_s, u"written"_s, u"folded"_s, u"tabs\tand"_s, u"back\\slash"_s, u"école@"_s,
            u"kenjit"_s, u"ken@chat"_s, u"Wile"_s, u"Switzerland"_s },
        Mode::CaseInsensitive);
    // Patterns are matched value by value: anchors must not be defeated by a neighbouring value.
    expectNoneMissed(path, { u"^Ta"_s, u"ka$"_s, u"^\\d{4}\\.\\d\\d\\.\\d\\d\\("_s, u"\\bInc\\b"_s, u"^$"_s },
        Mode::Regex);
}

TEST(FindCandidates, LeavesOutWhatCannotMatchAndTrustsOnlyFieldsItCovers)
{
    const QString path = TestPaths::data(u"find/derived.vcf"_s);
    // Only the first card names Tanaka: the other three are left out.
    Check c = check(path, u"tanaka"_s, Mode::CaseInsensitive);
    EXPECT_TRUE(c.missed.isEmpty());
    EXPECT_EQ(c.leftOut, 3);
    EXPECT_EQ(check(path, u"TANAKA"_s, Mode::CaseSensitive).leftOut, 4);
    // An item the contacts' texts do not cover (the joint names of a postcard) lets every record
    // through; the known ones keep the filter.
    EXPECT_EQ(check(path, u"zzz"_s, Mode::CaseInsensitive, { Ident::Renmei }).leftOut, 0);
    EXPECT_EQ(check(path, u"zzz"_s, Mode::CaseInsensitive, { Ident::Phone, Ident::City }).leftOut, 4);
    // An empty text or a broken pattern matches nothing and keeps nothing.
    EXPECT_EQ(check(path, QString(), Mode::CaseInsensitive).leftOut, 4);
    EXPECT_EQ(check(path, u"(ab"_s, Mode::Regex).leftOut, 4);
}

TEST(FindCandidates, FilesInOtherEncodingsAreFilteredToo)
{
    // A Shift_JIS file is read through its decoded text: the filter must hear of its contacts there
    // as well, or every record of a large file of a Japanese phone is built and searched in full.
    const QString path = TestPaths::data(u"find/shift_jis.vcf"_s);
    for (const Source source : { Source::File, Source::DecodedText }) {
        const Check name = check(path, u"田中"_s, Mode::CaseInsensitive, { LabelText::All }, source);
        EXPECT_TRUE(name.missed.isEmpty()) << name.missed.join(u"; "_s).toStdString();
        EXPECT_EQ(name.leftOut, 2);
        // Values only a decoded card holds: a note, a street, an organization.
        for (const QString &text : { u"年賀状"_s, u"渋谷1-2"_s, u"サンプル"_s }) {
            const Check c = check(path, text, Mode::CaseInsensitive, { LabelText::All }, source);
            EXPECT_TRUE(c.missed.isEmpty()) << text.toStdString();
            EXPECT_EQ(c.leftOut, 2) << text.toStdString();
        }
    }
}

TEST(FindCandidates, CommandPrintsWhatTheFullSearchFinds)
{
    // The command through the reader's filter against every record searched in full.
    const QString path = TestPaths::data(u"find/derived.vcf"_s);
    const FindPanelSearch full(u"a"_s, Mode::CaseInsensitive);
    const DocumentReadResult read
        = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic);
    QStringList values;
    for (const ContactEntryPtr &entry : read.contactTable) {
        QList<FindResultRowPtr> rows;
        full.searchContact(entry, rows);
        for (const FindResultRowPtr &row : std::as_const(rows))
            values << row->item + u'\t' + row->subItem + u'\t' + QString(row->value).replace(u'\n', u"\\n"_s);
    }
    const CliTestSupport::Run r = CliTestSupport::run({ u"find"_s, path, u"a"_s });
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QStringList printed;
    for (const QString &line : r.lines()) {
        const QStringList fields = line.split(u'\t');
        ASSERT_EQ(fields.size(), 7) << line.toStdString();
        printed << fields.at(1) + u'\t' + fields.at(2) + u'\t' + fields.at(5);
    }
    EXPECT_GT(printed.size(), 10);
    EXPECT_EQ(printed, values);
}

TEST(FindCandidates, ProjectFixtures)
{
    // Other encodings (Shift_JIS, quoted-printable) and a whole address book.
    for (const QString &name : { u"vcard/address_book.vcf"_s, u"vcard/shift_jis_qp.vcf"_s,
             u"vcard/shift_jis_raw.vcf"_s, u"find/contacts.vcf"_s }) {
        const QString path = TestPaths::data(name);
        const QStringList probes = probesOf(path, 60);
        EXPECT_FALSE(probes.isEmpty()) << name.toStdString();
        expectNoneMissed(path, probes, Mode::CaseInsensitive);
    }
}

TEST(FindCandidates, SharedCorpus)
{
    if (!TestPaths::haveShared(u"corpus/vcard"_s))
        GTEST_SKIP() << "no shared corpus";
    QDirIterator it(TestPaths::shared(u"corpus/vcard"_s), { u"*.vcf"_s, u"*.vcard"_s, u"*.VCF"_s },
        QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QStringList probes = probesOf(path, 12);
        if (probes.isEmpty())
            continue;
        ++files;
        expectNoneMissed(path, probes, Mode::CaseInsensitive);
    }
    EXPECT_GT(files, 10);
}
