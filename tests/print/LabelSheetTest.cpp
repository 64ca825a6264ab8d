#include "print/LabelSheet.h"

#include "print/LabelPreset.h"
#include "print/LabelPresetEditor.h"
#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QSizeF LetterPoints(612.0, 792.0);

LabelSheet sheetFor(const QSizeF &paper, const LabelPreset &preset)
{
    return LabelSheet(paper, QRectF(), QMarginsF(), QSizeF(preset.labelWidth, preset.labelHeight),
        preset.hGap, preset.vGap);
}

LabelSheet defaultLetterSheet()
{
    return LabelSheet(LetterPoints, QRectF(), QMarginsF(), QSizeF(130, 60), 5, 5);
}

} // namespace

TEST(LabelSheetTest, EveryPresetOnLetterAndA4)
{
    struct Row
    {
        int letterColumns, letterRows, a4Columns, a4Rows;
    };
    // Hand-computed from the preset sizes: Letter 612 × 792 pt, A4 595.28 × 841.89 pt, no margins.
    const Row expected[] = {
        { 4, 12, 4, 12 }, // 130x60 gap 5: 612/135, 792/65; 595.28/135, 841.89/65
        { 3, 11, 3, 11 }, // 189x72 gap 9/0: eleven rows fill Letter exactly, no trailing gap
        { 2, 5, 2, 5 }, // 288x144 gap 9/0
        { 3, 9, 3, 10 }, // 55.5x29.7 mm: ten rows of 29.7 mm fill A4 despite the rounded 84.19
        { 3, 8, 3, 8 }, // 66x33.9 mm
        { 3, 7, 3, 8 }, // 70x37 mm: three 70 mm columns fill A4's 210 mm
    };
    const QList<LabelPreset> presets = LabelPresets::defaultPresets();
    ASSERT_EQ(presets.size(), 6);
    const QSizeF a4 = PaperSizes::sizeInPoints(PaperSizes::A4);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(presets.at(i).name.toStdString());
        const LabelSheet letter = sheetFor(LetterPoints, presets.at(i));
        EXPECT_EQ(letter.columns(), expected[i].letterColumns);
        EXPECT_EQ(letter.rows(), expected[i].letterRows);
        const LabelSheet onA4 = sheetFor(a4, presets.at(i));
        EXPECT_EQ(onA4.columns(), expected[i].a4Columns);
        EXPECT_EQ(onA4.rows(), expected[i].a4Rows);
        // Every label of a full page stays on the paper.
        const QRectF last = onA4.labelRectOnPage(onA4.labelsPerPage() - 1);
        EXPECT_LE(last.right(), a4.width() + 0.1);
        EXPECT_LE(last.bottom(), a4.height() + 0.1);
    }
}

TEST(LabelSheetTest, PageCountsOfDefaultLabelOnLetter)
{
    const LabelSheet sheet = defaultLetterSheet();
    EXPECT_EQ(sheet.labelsPerPage(), 48);
    struct Case
    {
        qint64 receivers;
        int repeat;
        int pages;
    };
    const Case cases[] = {
        { 0, 1, 1 }, // nothing to print still makes one page
        { 1, 1, 1 },
        { 48, 1, 1 },
        { 49, 1, 2 }, // the edge of the first page
        { 16, 3, 1 },
        { 17, 3, 2 }, // copies count as labels
        { 96, 1, 2 },
        { 97, 1, 3 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.receivers);
        EXPECT_EQ(sheet.pageCount(c.receivers, c.repeat), c.pages);
    }
}

TEST(LabelSheetTest, LabelsRunInPrintOrderAcrossPages)
{
    const LabelSheet sheet = defaultLetterSheet();
    // Two receivers with three copies each: labels 0-2 are the first receiver's, 3-5 the second's.
    EXPECT_EQ(LabelSheet::labelIndex(0, 2, 3), 2);
    EXPECT_EQ(LabelSheet::labelIndex(1, 0, 3), 3);
    EXPECT_EQ(LabelSheet::labelCount(2, 3), 6);

    struct Case
    {
        qint64 label;
        QRectF rect;
    };
    const Case cases[] = {
        { 0, QRectF(0, 0, 130, 60) }, { 5, QRectF(135, 65, 130, 60) }, // second row, second column
        { 47, QRectF(405, 715, 130, 60) }, // last label of page 0
        { 48, QRectF(0, 792, 130, 60) }, // first label of page 1, one paper height down
        { 101, QRectF(135, 2 * 792 + 65, 130, 60) }, // page 2 of a three-page run
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(sheet.labelRect(c.label), c.rect);
    }
    EXPECT_EQ(sheet.pageOfLabel(101), 2);
    EXPECT_EQ(sheet.labelRectOnPage(101), QRectF(135, 65, 130, 60));
    EXPECT_EQ(sheet.textRect(5), QRectF(138, 67, 130, 60));
    EXPECT_EQ(sheet.frameRect(5), QRectF(135, 64, 130, 60));

    EXPECT_EQ(sheet.labelsOnPage(0, 100), std::make_pair(qint64(0), qint64(48)));
    EXPECT_EQ(sheet.labelsOnPage(2, 100), std::make_pair(qint64(96), qint64(100)));
    EXPECT_EQ(sheet.labelsOnPage(3, 100), std::make_pair(qint64(100), qint64(100)));
}

TEST(LabelSheetTest, DrawRequestBelongsToThePageItsTopReaches)
{
    const LabelSheet sheet = defaultLetterSheet();
    EXPECT_EQ(sheet.pageForDrawRect(QRectF(0, 0, 612, 792)), 0);
    EXPECT_EQ(sheet.pageForDrawRect(QRectF(0, 792 - 5, 612, 792)), 1); // 5 points above the boundary
    EXPECT_EQ(sheet.pageForDrawRect(QRectF(0, 792 - 11, 612, 792)), 0);
    EXPECT_EQ(sheet.pageForDrawRect(QRectF(0, -500, 612, 792)), 0);
    const LabelSheet noPaper(QSizeF(0, 0), QRectF(), QMarginsF(), QSizeF(130, 60), 5, 5);
    EXPECT_EQ(noPaper.pageForDrawRect(QRectF(0, 100, 10, 10)), 0);
}

TEST(LabelSheetTest, ImageableAreaAndMarginsShrinkTheGrid)
{
    // Printable area inset 18 pt all round; margins left 10, top 20.
    const LabelSheet sheet(
        LetterPoints, QRectF(18, 18, 576, 756), QMarginsF(10, 20, 0, 0), QSizeF(130, 60), 5, 5);
    EXPECT_EQ(sheet.origin(), QPointF(28, 38));
    EXPECT_EQ(sheet.columns(), 4); // 566 / 135
    EXPECT_EQ(sheet.rows(), 11); // 736 / 65
    EXPECT_EQ(sheet.labelRect(sheet.labelsPerPage()), QRectF(28, 792 + 38, 130, 60));

    // Labels ending exactly at the usable edge lose their column when the trailing gap does not fit.
    const LabelSheet tight(QSizeF(270, 100), QRectF(), QMarginsF(), QSizeF(130, 100), 10, 0);
    EXPECT_EQ(tight.columns(), 1);
    const LabelSheet exact(QSizeF(270, 100), QRectF(), QMarginsF(), QSizeF(135, 100), 0, 0);
    EXPECT_EQ(exact.columns(), 2);
}

TEST(LabelSheetTest, DegenerateSizesNeverBreakTheGrid)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char *what;
        QSizeF label;
        double hGap, vGap;
        int columns, rows;
    };
    const Case cases[] = {
        { "wider and taller than the paper", { 1000, 1000 }, 5, 5, 1, 1 },
        { "zero size and gaps", { 0, 0 }, 0, 0, 1, 1 },
        { "negative pitch", { -10, -10 }, 0, 0, 1, 1 },
        { "not a number", { nan, 60 }, 5, nan, 1, 1 },
        { "infinite", { inf, 60 }, 5, 5, 1, 12 },
        { "microscopic", { 0.0001, 0.0001 }, 0, 0, LabelSheet::MaxColumnsOrRows,
            LabelSheet::MaxColumnsOrRows },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const LabelSheet sheet(LetterPoints, QRectF(), QMarginsF(), c.label, c.hGap, c.vGap);
        EXPECT_EQ(sheet.columns(), c.columns);
        EXPECT_EQ(sheet.rows(), c.rows);
        EXPECT_GE(sheet.pageCount(1000000, LabelSheet::MaxRepeatCount), 1);
    }
}

TEST(LabelSheetTest, ReadsGeometryAndRepeatCountFromOptions)
{
    PrintOptions::FontDefaults fonts { u"Sans"_s, 14, QString() };
    QVariantMap options = PrintOptions::initPrintOptions(u"en"_s, fonts);
    const LabelSheet fromDefaults = LabelSheet::fromOptions(options, LetterPoints);
    EXPECT_EQ(fromDefaults.columns(), 4);
    EXPECT_EQ(fromDefaults.rows(), 12);
    EXPECT_EQ(LabelSheet::repeatCount(options), 1);

    // Numbers and strings read alike; margins come from the top level.
    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    labels.insert(PrintKey::LabelWidth, 189.0);
    labels.insert(PrintKey::HGap, u"9"_s);
    options.insert(PrintKey::MailingLabels, labels);
    options.insert(PrintKey::LeftMargin, 36.0);
    const LabelSheet edited = LabelSheet::fromOptions(options, LetterPoints);
    EXPECT_EQ(edited.columns(), 2); // (612 - 36) / 198
    EXPECT_EQ(edited.origin().x(), 36.0);

    // A missing, zero or absurd repeat count still prints each label, and a bounded number of times.
    for (const QVariant &repeat : { QVariant(), QVariant(0), QVariant(-4), QVariant(u"x"_s) }) {
        labels.insert(PrintKey::RepeatCount, repeat);
        options.insert(PrintKey::MailingLabels, labels);
        EXPECT_EQ(LabelSheet::repeatCount(options), 1);
    }
    labels.insert(PrintKey::RepeatCount, 1e12);
    options.insert(PrintKey::MailingLabels, labels);
    EXPECT_EQ(LabelSheet::repeatCount(options), LabelSheet::MaxRepeatCount);
}

TEST(LabelPresetTest, DefaultPresetsAndStoredRecords)
{
    const QList<LabelPreset> presets = LabelPresets::defaultPresets();
    const QStringList names { u"130x60 points gap 5 point"_s, u"2-5/8x1\" gap 1/8\""_s, u"4x2\" gap 1/8\""_s,
        u"55.5x29.7mm gap 0"_s, u"66x33.9mm gap 0"_s, u"70x37mm gap 0"_s };
    ASSERT_EQ(presets.size(), names.size());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(presets.at(i).name, names.at(i));
    // Metric presets are the millimetre sizes in points, to two decimals.
    EXPECT_NEAR(presets.at(3).labelWidth, 55.5 * 72 / 25.4, 0.005);
    EXPECT_NEAR(presets.at(5).labelHeight, 37 * 72 / 25.4, 0.005);

    // Unreadable records are skipped rather than read as zero-sized labels.
    const QVariantList stored {
        QVariantMap { { u"name"_s, u"ok"_s }, { u"labelWidth"_s, 10 }, { u"labelHeight"_s, u"20"_s },
            { u"hGap"_s, 0 }, { u"vGap"_s, 0 } },
        QVariantMap { { u"name"_s, u"no size"_s } },
        QVariantMap { { u"name"_s, u"negative"_s }, { u"labelWidth"_s, -1 }, { u"labelHeight"_s, 1 },
            { u"hGap"_s, 0 }, { u"vGap"_s, 0 } },
        QVariant(u"not a record"_s),
        QVariantMap {
            { u"labelWidth"_s, 1 }, { u"labelHeight"_s, 1 }, { u"hGap"_s, 0 }, { u"vGap"_s, 0 } }, // untitled
    };
    const QList<LabelPreset> read = LabelPresets::fromVariantList(stored);
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read.at(0), (LabelPreset { u"ok"_s, 10, 20, 0, 0 }));

    QVariantMap options;
    LabelPresets::applyPreset(options, presets.at(1));
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    EXPECT_EQ(PrintOptions::number(labels.value(PrintKey::LabelWidth)), 189.0);
    EXPECT_EQ(labels.value(PrintKey::SelectedPreset).toString(), presets.at(1).name);
}

TEST(LabelPresetTest, EditorAddsRenamesChangesAndRemoves)
{
    LabelPresetEditor editor;
    PrintOptions::FontDefaults fonts { u"Sans"_s, 14, QString() };
    QVariantMap options = PrintOptions::initPrintOptions(u"ja"_s, fonts);
    editor.loadFromOptions(options);
    ASSERT_EQ(editor.rowCount(), 6);
    QStringList changed;
    QObject::connect(&editor, &LabelPresetEditor::labelAttributeChanged,
        [&changed](const QString &name) { changed.append(name); });

    const int row = editor.addPreset();
    EXPECT_EQ(row, 6);
    EXPECT_EQ(editor.presets().at(row), (LabelPreset { u"new"_s, 100, 50, 5, 6 }));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.takeFirst(), u"new"_s);

    // Edits announce the name the preset had before the edit.
    EXPECT_TRUE(editor.renamePreset(row, u"Shipping"_s));
    EXPECT_EQ(changed.takeFirst(), u"new"_s);
    editor.setUnit(PrintUnits::Unit::Millimeters);
    EXPECT_TRUE(editor.setValueForColumn(row, u"labelWidth"_s, u"10"_s));
    EXPECT_EQ(changed.takeFirst(), u"Shipping"_s);
    EXPECT_NEAR(editor.presets().at(row).labelWidth, 28.3465, 1e-4);
    EXPECT_NEAR(editor.valueForColumn(row, u"labelWidth"_s).toDouble(), 10.0, 1e-9);
    editor.setUnit(PrintUnits::Unit::Inches);
    EXPECT_NEAR(editor.valueForColumn(row, u"labelHeight"_s).toDouble(), 50.0 / 72.0, 1e-9);
    EXPECT_TRUE(editor.setValueForColumn(row, u"vGap"_s, 0.5));
    EXPECT_EQ(editor.presets().at(row).vGap, 36.0);
    changed.clear();

    // Typing that is not a usable length changes nothing and announces nothing.
    const QVariant refused[] = { u"abc"_s, u""_s, -1.0, u"nan"_s, u"inf"_s };
    for (const QVariant &value : refused)
        EXPECT_FALSE(editor.setValueForColumn(row, u"hGap"_s, value)) << value.toString().toStdString();
    EXPECT_FALSE(editor.setValueForColumn(row, u"labelHeight"_s, 0));
    EXPECT_FALSE(editor.renamePreset(row, u"  "_s));
    EXPECT_FALSE(editor.setValueForColumn(row, u"unknown"_s, 1));
    EXPECT_FALSE(editor.setValueForColumn(99, u"Name"_s, u"x"_s));
    EXPECT_FALSE(editor.valueForColumn(-1, u"Name"_s).isValid());
    EXPECT_EQ(changed.size(), 0);

    EXPECT_TRUE(editor.removePreset(0));
    EXPECT_FALSE(editor.removePreset(42));
    editor.storeInOptions(options);
    const QList<LabelPreset> stored = LabelPresets::fromVariantList(
        options.value(PrintKey::MailingLabels).toMap().value(PrintKey::PresetArray).toList());
    ASSERT_EQ(stored.size(), 6);
    EXPECT_EQ(stored.last().name, u"Shipping"_s);
    EXPECT_EQ(stored.first().name, u"2-5/8x1\" gap 1/8\""_s);
}
