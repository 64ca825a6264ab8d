// Print options set by a dotted key from text: any key of the options or of their defaults, values
// checked by the key's kind, its choices and the repair rules of stored options.
#include "print/PrintOptionPaths.h"

#include "model/Identifiers.h"
#include "print/PrintOptionEdits.h"
#include "print/PrintOptionKeys.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const PrintOptions::FontDefaults TestFonts { u"Test Sans"_s, 14, u"Noto Sans CJK JP"_s };

class PrintOptionPathsTest : public ::testing::Test
{
protected:
    PrintOptionPaths paths { PrintValue::LanguageJapanese, TestFonts };
    QVariantMap options = PrintOptions::initPrintOptions(PrintValue::LanguageJapanese, TestFonts);

    QVariant at(const QString &path) const { return PrintOptionPaths::valueAt(options, path.split(u'.')); }
    QString entryValue(const QString &path) const
    {
        for (const PrintOptionPaths::Entry &entry : paths.entries(options)) {
            if (entry.path == path)
                return entry.value;
        }
        return u"<missing>"_s;
    }
};

} // namespace

TEST_F(PrintOptionPathsTest, ValuesAreReadByTheKindOfTheirDefault)
{
    struct Row
    {
        const char *assignment;
        QString path;
        QVariant stored;
        const char *guards;
    };
    const Row rows[] = {
        { "Hagaki.tateChuYoko=yes", u"Hagaki.tateChuYoko"_s, true, "a flag from a word" },
        { "Envelope.printZIP=On", u"Envelope.printZIP"_s, true, "flag words in any case" },
        { "Mailing Labels.printFrame=0", u"Mailing Labels.printFrame"_s, false, "a flag from a digit" },
        { "Mailing Labels.repeatCount=3", u"Mailing Labels.repeatCount"_s, 3, "an integer stays an integer" },
        { "Mailing Labels.labelWidth=144.5", u"Mailing Labels.labelWidth"_s, 144.5,
            "a length stored as text is set as a number, as the settings store it" },
        { "topMargin= 12 ", u"topMargin"_s, 12.0, "blanks around a value" },
        { "Hagaki.hagakiType=general", u"Hagaki.hagakiType"_s, PrintValue::HagakiTypeGeneral,
            "a choice in its own spelling" },
        { "Envelope.kanjiNumerals=百", u"Envelope.kanjiNumerals"_s, PrintValue::KanjiNumeralsPositional,
            "choices of the address typesetting keys" },
        { "keishou=先生", u"keishou"_s, u"先生"_s, "the honorific takes any text besides its choices" },
        { "Hagaki.senderZIPPositionForNenga=(20, 350.5)", u"Hagaki.senderZIPPositionForNenga"_s,
            u"(20, 350.5)"_s, "a position" },
        { "Address List.selectedLabels=home, work", u"Address List.selectedLabels"_s,
            QVariantList { u"home"_s, u"work"_s }, "a list of labels" },
        { "Hagaki.fontName=Noto Serif CJK JP=X", u"Hagaki.fontName"_s, u"Noto Serif CJK JP=X"_s,
            "only the first = divides the key from the value" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.guards);
        EXPECT_EQ(paths.assign(options, QString::fromUtf8(row.assignment)), QString());
        EXPECT_EQ(at(row.path), row.stored);
    }
    EXPECT_EQ(entryValue(u"Hagaki.tateChuYoko"_s), u"yes"_s);
    EXPECT_EQ(entryValue(u"Mailing Labels.labelWidth"_s), u"144.5"_s);
    EXPECT_EQ(entryValue(u"Address List.selectedLabels"_s), u"home,work"_s);
}

TEST_F(PrintOptionPathsTest, WrongKeysAndValuesAreErrorsNamingThemAndChangeNothing)
{
    struct Row
    {
        const char *assignment;
        const char *named; // what the error must name
        const char *guards;
    };
    const Row rows[] = {
        { "Hagaki.hagakiTyp=Nenga", "Hagaki.hagakiTyp", "a misspelt key" },
        { "Postcard.fontName=X", "Postcard.fontName", "a style that does not exist" },
        { "Hagaki=3", "Hagaki", "a group of options is not one value" },
        { "Hagaki.fontName.size=3", "Hagaki.fontName.size", "a key below a value" },
        { "Mailing Labels.presetArray=x", "Mailing Labels.presetArray", "a table of records" },
        { "Hagaki.tateChuYoko=maybe", "maybe", "a flag that is neither yes nor no" },
        { "Mailing Labels.repeatCount=2.5", "2.5", "an integer key takes whole numbers" },
        { "Mailing Labels.labelWidth=wide", "wide", "a length that is no number" },
        { "Mailing Labels.labelWidth=inf", "inf", "no infinite lengths" },
        { "Hagaki.hagakiType=Poster", "Poster", "a word outside the choices" },
        { "Hagaki.senderZIPPositionForNenga=left", "left", "a position that is no point" },
        { "Version=4", "Version", "the repair rules would discard the options" },
        { "Address List.itemTable=Name,Fax", "Fax", "an address list item that does not exist" },
        { "no equals sign", "no equals sign", "not an assignment" },
        { "=yes", "=yes", "no key" },
    };
    const QVariantMap before = options;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.guards);
        const QString error = paths.assign(options, QString::fromUtf8(row.assignment));
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.named))) << error.toStdString();
        EXPECT_EQ(options, before);
    }
}

TEST_F(PrintOptionPathsTest, KeysComeFromTheDefaultsAndFromWhatIsStored)
{
    // A key the defaults lack but stored options carry (the settings write "printCountry") is
    // listed and set by the kind of its stored value.
    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    labels.insert(PrintKey::PrintCountry, false);
    options.insert(PrintKey::MailingLabels, labels);
    EXPECT_EQ(paths.assign(options, u"Mailing Labels.printCountry=yes"_s), QString());
    EXPECT_EQ(at(u"Mailing Labels.printCountry"_s), true);

    // A stored dictionary that lost a key still takes it: the defaults know it.
    QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    hagaki.remove(PrintKey::KanjiNumerals);
    options.insert(PrintKey::Hagaki, hagaki);
    EXPECT_EQ(paths.assign(options, u"Hagaki.kanjiNumerals=一〇〇"_s), QString());
    EXPECT_EQ(at(u"Hagaki.kanjiNumerals"_s), PrintValue::KanjiNumeralsDigits);

    // Every listed key can be set back to the value it is listed with, and then lists the same.
    const auto listed = [this] {
        QStringList lines;
        for (const PrintOptionPaths::Entry &entry : paths.entries(options))
            lines << entry.path + u'=' + entry.value;
        return lines;
    };
    const QStringList before = listed();
    for (const PrintOptionPaths::Entry &entry : paths.entries(options)) {
        if (!entry.settable)
            continue;
        SCOPED_TRACE(entry.path.toStdString());
        EXPECT_EQ(paths.set(options, entry.path, entry.value), QString());
    }
    EXPECT_EQ(listed().join(u'\n').toStdString(), before.join(u'\n').toStdString());
}

TEST_F(PrintOptionPathsTest, EntriesShowChoicesAndWhatCannotBeSet)
{
    QHash<QString, PrintOptionPaths::Entry> byPath;
    for (const PrintOptionPaths::Entry &entry : paths.entries(options))
        byPath.insert(entry.path, entry);
    EXPECT_EQ(byPath.value(u"Hagaki.hagakiType"_s).choices,
        (QStringList {
            PrintValue::HagakiTypeNenga, PrintValue::HagakiTypeGeneral, PrintValue::HagakiTypeNone }));
    EXPECT_EQ(byPath.value(u"Envelope.textDirection"_s).value, PrintValue::DirectionUpDown);
    EXPECT_EQ(byPath.value(u"Envelope.printBorder"_s).choices, (QStringList { u"yes"_s, u"no"_s }));
    EXPECT_TRUE(byPath.value(u"keishou"_s).openChoices);
    EXPECT_EQ(byPath.value(u"keishou"_s).value, PrintValue::KeishouSama);
    EXPECT_FALSE(byPath.value(u"Mailing Labels.presetArray"_s).settable);
    EXPECT_EQ(byPath.value(u"Address List.itemTable"_s).value, Ident::Name);
    // An empty table of per-paper corrections is listed, though it has no values yet.
    EXPECT_TRUE(byPath.contains(u"Envelope.printerOffsets"_s));
    EXPECT_FALSE(byPath.contains(u"Hagaki"_s));
}
