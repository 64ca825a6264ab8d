#include "print/PrintOptions.h"

#include "model/Identifiers.h"
#include "print/LabelPreset.h"
#include "print/PrintChoices.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const PrintOptions::FontDefaults TestFonts { u"Test Sans"_s, 14, u"Noto Sans CJK JP"_s };

QVariantMap sub(const QVariantMap &options, const QString &key)
{
    return options.value(key).toMap();
}

// Settings in a file of their own, so tests never touch the user's.
struct TempSettings
{
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    TempSettings() { reopen(); }
    void reopen()
    {
        settings.reset();
        settings = std::make_unique<QSettings>(dir.filePath(u"prefs.ini"_s), QSettings::IniFormat);
    }
};

} // namespace

TEST(PrintOptionsTest, DefaultsFollowTheLanguage)
{
    struct Case
    {
        QString language;
        QString addressFormat, printStyle, keishou;
    };
    const Case cases[] = {
        { u"ja"_s, u"ja"_s, u"Hagaki"_s, u"様"_s }, { u"en"_s, u"en"_s, u"Envelope"_s, u"None"_s },
        { u"fr"_s, u"en"_s, u"Envelope"_s, u"None"_s }, // every other language takes the English conventions
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language.toStdString());
        const QVariantMap options = PrintOptions::initPrintOptions(c.language, TestFonts);
        EXPECT_EQ(options.value(PrintKey::AddressFormat).toString(), c.addressFormat);
        EXPECT_EQ(options.value(PrintKey::PrintStyle).toString(), c.printStyle);
        EXPECT_EQ(options.value(PrintKey::Keishou).toString(), c.keishou);
        EXPECT_EQ(options.value(PrintKey::Version).toInt(), 5);
        EXPECT_EQ(options.value(PrintKey::UnitType).toString(), u"points"_s);
        EXPECT_EQ(options.value(PrintKey::FontSize).toInt(), 14);
        EXPECT_EQ(options.value(PrintKey::FontName).toString(), u"Test Sans"_s);
        EXPECT_EQ(options.value(PrintKey::TopMargin).toString(), u"0"_s);
    }

    const QVariantMap options = PrintOptions::initPrintOptions(u"ja"_s, TestFonts);
    const QVariantMap list = sub(options, PrintKey::AddressList);
    EXPECT_FALSE(PrintOptions::flag(list.value(PrintKey::PrintFrame)));
    EXPECT_TRUE(PrintOptions::flag(list.value(PrintKey::AlternatingRow)));
    EXPECT_EQ(list.value(PrintKey::SelectedLabels).toStringList(), QStringList { u"All"_s });
    const QVariantList items = list.value(PrintKey::ItemTable).toList();
    ASSERT_EQ(items.size(), 17);
    EXPECT_EQ(items.first().toMap().value(PrintKey::ItemTitle).toString(), Ident::Name);
    EXPECT_EQ(items.first().toMap().value(PrintKey::ItemEnabled).toString(), u"0"_s);
    EXPECT_EQ(items.first().toMap().value(PrintKey::ItemState).toString(), u"1"_s);
    EXPECT_EQ(items.at(1).toMap().value(PrintKey::ItemTitle).toString(), Ident::Address);
    EXPECT_EQ(items.last().toMap().value(PrintKey::ItemTitle).toString(), Ident::Note);

    const QVariantMap labels = sub(options, PrintKey::MailingLabels);
    EXPECT_EQ(labels.value(PrintKey::LabelWidth).toString(), u"130"_s);
    EXPECT_EQ(labels.value(PrintKey::VGap).toString(), u"5"_s);
    EXPECT_TRUE(labels.contains(PrintKey::PrintCounty));
    EXPECT_FALSE(labels.contains(PrintKey::PrintCountry));
    EXPECT_TRUE(PrintOptions::flag(labels.value(PrintKey::PrintFrame)));
    EXPECT_EQ(labels.value(PrintKey::RepeatCount).toInt(), 1);
    EXPECT_EQ(labels.value(PrintKey::VerticalFontName).toString(), u"Noto Sans CJK JP"_s);
    EXPECT_EQ(labels.value(PrintKey::SelectedPreset).toString(), u"130x60 points w/5 gap"_s);
    EXPECT_EQ(labels.value(PrintKey::PresetArray).toList().size(), 6);

    const QVariantMap envelope = sub(options, PrintKey::Envelope);
    EXPECT_EQ(envelope.value(PrintKey::TextDirection).toString(), u"Up-Down"_s);
    EXPECT_FALSE(PrintOptions::flag(envelope.value(PrintKey::PrintZIP)));
    const QVariantMap hagaki = sub(options, PrintKey::Hagaki);
    EXPECT_EQ(hagaki.value(PrintKey::HagakiType).toString(), u"Nenga"_s);
    EXPECT_TRUE(PrintOptions::flag(hagaki.value(PrintKey::ShowBackground)));
    EXPECT_EQ(hagaki.value(PrintKey::SenderZIPPositionForNenga).toString(), u"(15.59, 348.66)"_s);
    EXPECT_EQ(hagaki.value(PrintKey::FontName).toString(), u"Noto Sans CJK JP"_s);
    // In Japanese, vertical addresses write their numbers as kanji digits with a bar for the hyphen and
    // set Latin letters upright; in English they print as typed.
    const QVariantMap english = PrintOptions::initPrintOptions(u"en"_s, TestFonts);
    for (const QVariantMap &style : { envelope, hagaki }) {
        EXPECT_EQ(style.value(PrintKey::KanjiNumerals).toString(), u"一〇〇"_s);
        EXPECT_EQ(style.value(PrintKey::NumberHyphen).toString(), u"ー"_s);
        EXPECT_TRUE(PrintOptions::flag(style.value(PrintKey::TateChuYoko)));
        EXPECT_TRUE(PrintOptions::flag(style.value(PrintKey::UprightLetters)));
        EXPECT_TRUE(style.value(PrintKey::PrinterOffsets).toMap().isEmpty());
    }
    for (const QString &key : { PrintKey::Envelope, PrintKey::Hagaki }) {
        const QVariantMap style = sub(english, key);
        EXPECT_EQ(style.value(PrintKey::KanjiNumerals).toString(), u"Off"_s);
        EXPECT_EQ(style.value(PrintKey::NumberHyphen).toString(), u"Off"_s);
        EXPECT_FALSE(PrintOptions::flag(style.value(PrintKey::TateChuYoko)));
        EXPECT_FALSE(PrintOptions::flag(style.value(PrintKey::UprightLetters)));
    }

    // Without the Japanese face every vertical default falls back to the user font.
    const QVariantMap plain = PrintOptions::initPrintOptions(u"ja"_s, { u"Test Sans"_s, 14, QString() });
    EXPECT_EQ(sub(plain, PrintKey::Hagaki).value(PrintKey::FontName).toString(), u"Test Sans"_s);
    EXPECT_EQ(sub(plain, PrintKey::Envelope).value(PrintKey::VerticalFontName).toString(), u"Test Sans"_s);
}

TEST(PrintOptionsTest, PreferredLanguagePicksJapaneseOnlyFromTheFirstEntry)
{
    EXPECT_EQ(PrintOptions::languageForPreferredLanguages({ u"ja-JP"_s, u"en"_s }), u"ja"_s);
    EXPECT_EQ(PrintOptions::languageForPreferredLanguages({ u"ja"_s }), u"ja"_s);
    EXPECT_EQ(PrintOptions::languageForPreferredLanguages({ u"en-US"_s, u"ja-JP"_s }), u"en"_s);
    EXPECT_EQ(PrintOptions::languageForPreferredLanguages({}), u"en"_s);
}

TEST(PrintOptionsTest, OlderOrDamagedStoredOptionsAreReplaced)
{
    QVariantMap current = PrintOptions::initPrintOptions(u"en"_s, TestFonts);
    current.insert(PrintKey::Keishou, u"殿"_s);
    QVariantMap older = current;
    older.insert(PrintKey::Version, 4);
    QVariantMap noVersion = current;
    noVersion.remove(PrintKey::Version);
    QVariantMap textVersion = current;
    textVersion.insert(PrintKey::Version, u"5"_s);

    struct Case
    {
        const char *what;
        QVariant stored;
        bool replaced;
    };
    const Case cases[] = {
        { "nothing stored", QVariant(), true },
        { "version 4", older, true },
        { "no version", noVersion, true },
        { "not a dictionary", QVariant(u"garbage"_s), true },
        { "a list", QVariantList { 1, 2 }, true },
        { "version 5", current, false },
        { "version as text", textVersion, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        bool replaced = false;
        bool repaired = true;
        const QVariantMap options
            = PrintOptions::repairedPrintOptions(c.stored, u"ja"_s, TestFonts, &replaced, &repaired);
        EXPECT_EQ(replaced, c.replaced);
        // Replaced options are fresh Japanese defaults; kept ones are the stored ones, untouched.
        EXPECT_EQ(options.value(PrintKey::Keishou).toString(), c.replaced ? u"様"_s : u"殿"_s);
        if (!c.replaced) {
            EXPECT_FALSE(repaired);
            EXPECT_EQ(options, c.stored.toMap());
        }
    }
}

TEST(PrintOptionsTest, CurrentOptionsWithHolesAreFilledNotDiscarded)
{
    QVariantMap stored = PrintOptions::initPrintOptions(u"en"_s, TestFonts);
    stored.insert(PrintKey::Keishou, u"Dr."_s);
    stored.remove(PrintKey::Hagaki); // a whole style missing
    stored.insert(PrintKey::Envelope, u"oops"_s); // a style that is not a dictionary
    QVariantMap labels = sub(stored, PrintKey::MailingLabels);
    labels.remove(PrintKey::RepeatCount); // a key missing
    labels.insert(PrintKey::PresetArray, QVariantList { u"x"_s }); // no readable preset
    labels.insert(PrintKey::LabelWidth, 200.0); // an edited value
    stored.insert(PrintKey::MailingLabels, labels);
    QVariantMap list = sub(stored, PrintKey::AddressList);
    list.insert(
        PrintKey::ItemTable, QVariantList { QVariantMap { { u"State"_s, 1 } } }); // record without a title
    list.insert(PrintKey::SelectedLabels, 3);
    stored.insert(PrintKey::AddressList, list);

    bool replaced = true;
    bool repaired = false;
    const QVariantMap options
        = PrintOptions::repairedPrintOptions(stored, u"en"_s, TestFonts, &replaced, &repaired);
    EXPECT_FALSE(replaced);
    EXPECT_TRUE(repaired);
    EXPECT_EQ(options.value(PrintKey::Keishou).toString(), u"Dr."_s);
    EXPECT_EQ(sub(options, PrintKey::Hagaki).value(PrintKey::HagakiType).toString(), u"Nenga"_s);
    EXPECT_EQ(sub(options, PrintKey::Envelope).value(PrintKey::TextDirection).toString(), u"Up-Down"_s);
    const QVariantMap repairedLabels = sub(options, PrintKey::MailingLabels);
    EXPECT_EQ(repairedLabels.value(PrintKey::RepeatCount).toInt(), 1);
    EXPECT_EQ(repairedLabels.value(PrintKey::LabelWidth).toDouble(), 200.0);
    EXPECT_EQ(LabelPresets::fromVariantList(repairedLabels.value(PrintKey::PresetArray).toList()).size(), 6);
    EXPECT_EQ(sub(options, PrintKey::AddressList).value(PrintKey::ItemTable).toList().size(), 17);
    EXPECT_EQ(sub(options, PrintKey::AddressList).value(PrintKey::SelectedLabels).toStringList(),
        QStringList { u"All"_s });
}

TEST(PrintOptionsTest, TypesettingKeysAreFilledForTheLanguageAndBadValuesRepaired)
{
    // Options stored before these keys existed get them, with the defaults of the user's language.
    QVariantMap stored = PrintOptions::initPrintOptions(u"ja"_s, TestFonts);
    for (const QString &style : { PrintKey::Hagaki, PrintKey::Envelope }) {
        QVariantMap map = sub(stored, style);
        for (const QString &key : { PrintKey::KanjiNumerals, PrintKey::NumberHyphen, PrintKey::TateChuYoko,
                 PrintKey::UprightLetters, PrintKey::PrintCompany })
            map.remove(key);
        stored.insert(style, map);
    }
    QVariantMap options = PrintOptions::repairedPrintOptions(stored, u"ja"_s, TestFonts);
    for (const QString &style : { PrintKey::Hagaki, PrintKey::Envelope }) {
        EXPECT_EQ(PrintChoices::kanjiNumerals(sub(options, style)), PrintChoices::KanjiNumerals::Digits);
        EXPECT_EQ(PrintChoices::numberHyphen(sub(options, style)), PrintChoices::NumberHyphen::Chouon);
        EXPECT_TRUE(PrintChoices::tateChuYoko(sub(options, style)));
        EXPECT_TRUE(PrintChoices::uprightLetters(sub(options, style)));
    }
    EXPECT_TRUE(PrintOptions::flag(sub(options, PrintKey::Envelope).value(PrintKey::PrintCompany)));

    struct Row
    {
        const char *guards;
        QString key;
        QVariant stored;
        QVariant expected; // what the repaired English options hold
    } rows[] = {
        { "an unknown numeral style", PrintKey::KanjiNumerals, u"roman"_s, u"Off"_s },
        { "a numeral style kept", PrintKey::KanjiNumerals, u"百"_s, u"百"_s },
        { "an unknown hyphen", PrintKey::NumberHyphen, 3, u"Off"_s },
        { "a hyphen kept", PrintKey::NumberHyphen, u"の"_s, u"の"_s },
        { "a flag that is no flag", PrintKey::TateChuYoko, QVariantList { 1 }, false },
        { "a flag as a word", PrintKey::TateChuYoko, u"YES"_s, u"YES"_s },
        { "a flag as a number", PrintKey::UprightLetters, 1, 1 },
        { "a word that is no flag", PrintKey::UprightLetters, u"maybe"_s, false },
        { "printer offsets that are no dictionary", PrintKey::PrinterOffsets, u"x"_s, QVariantMap() },
        { "a company flag that is no flag", PrintKey::PrintCompany, QVariantMap(), true },
    };
    for (const Row &row : rows) {
        QVariantMap english = PrintOptions::initPrintOptions(u"en"_s, TestFonts);
        QVariantMap envelope = sub(english, PrintKey::Envelope);
        envelope.insert(row.key, row.stored);
        english.insert(PrintKey::Envelope, envelope);
        bool repaired = false;
        const QVariantMap result
            = PrintOptions::repairedPrintOptions(english, u"en"_s, TestFonts, nullptr, &repaired);
        EXPECT_EQ(sub(result, PrintKey::Envelope).value(row.key), row.expected) << row.guards;
        EXPECT_EQ(repaired, row.stored != row.expected) << row.guards;
    }
}

TEST(PrintOptionsTest, StoreRoundTripsThroughSettings)
{
    TempSettings temp;
    ASSERT_TRUE(temp.dir.isValid());
    // Nothing stored: defaults are built and written at once.
    const QVariantMap first = PrintOptionsStore::load(*temp.settings, u"ja"_s);
    EXPECT_EQ(first.value(PrintKey::Keishou).toString(), u"様"_s);
    EXPECT_TRUE(temp.settings->contains(PrintKey::DefaultsPrintOptions));

    QVariantMap edited = first;
    edited.insert(PrintKey::TopMargin, 28.5);
    QVariantMap hagaki = sub(edited, PrintKey::Hagaki);
    hagaki.insert(PrintKey::HagakiType, u"General"_s);
    edited.insert(PrintKey::Hagaki, hagaki);
    PrintOptionsStore::save(*temp.settings, edited);
    temp.settings->sync();
    temp.reopen();
    const QVariantMap reread = PrintOptionsStore::load(*temp.settings, u"en"_s);
    EXPECT_EQ(PrintOptions::number(reread.value(PrintKey::TopMargin)), 28.5);
    EXPECT_EQ(sub(reread, PrintKey::Hagaki).value(PrintKey::HagakiType).toString(), u"General"_s);
    EXPECT_EQ(reread.value(PrintKey::Keishou).toString(), u"様"_s); // kept, not rebuilt for "en"

    // An older dictionary is replaced and the replacement written back.
    QVariantMap older = edited;
    older.insert(PrintKey::Version, 4);
    PrintOptionsStore::save(*temp.settings, older);
    const QVariantMap fresh = PrintOptionsStore::load(*temp.settings, u"en"_s);
    EXPECT_EQ(fresh.value(PrintKey::Keishou).toString(), u"None"_s);
    EXPECT_EQ(PrintOptions::number(
                  temp.settings->value(PrintKey::DefaultsPrintOptions).toMap().value(PrintKey::Version)),
        5.0);
}

TEST(PrintOptionsTest, PrintStyleDefaultsToPostcardsAndMapsToItsDictionary)
{
    TempSettings temp;
    EXPECT_EQ(PrintOptionsStore::loadPrintStyle(*temp.settings), u"Hagaki"_s);
    EXPECT_EQ(temp.settings->value(PrintKey::DefaultsPrintStyle).toString(), u"Hagaki"_s);
    PrintOptionsStore::savePrintStyle(*temp.settings, u"Labels"_s);
    EXPECT_EQ(PrintOptionsStore::loadPrintStyle(*temp.settings), u"Labels"_s);
    temp.settings->setValue(PrintKey::DefaultsPrintStyle, u""_s);
    EXPECT_EQ(PrintOptionsStore::loadPrintStyle(*temp.settings), u"Hagaki"_s);

    EXPECT_EQ(PrintOptionsStore::paperNameForStyle(u"Hagaki"_s), u"Postcard"_s);
    EXPECT_EQ(PrintOptionsStore::paperNameForStyle(u"Labels"_s), u"Letter"_s);
    EXPECT_EQ(PrintOptionsStore::printStyleTitle(u"Labels"_s), u"Label"_s);

    // "Labels" reads and writes the "Mailing Labels" dictionary; the others their own name.
    QVariantMap options = PrintOptions::initPrintOptions(u"en"_s, TestFonts);
    EXPECT_EQ(PrintOptions::optionsKeyForStyle(u"Labels"_s), u"Mailing Labels"_s);
    EXPECT_EQ(PrintOptions::optionsKeyForStyle(u"Address List"_s), u"Address List"_s);
    EXPECT_TRUE(PrintOptions::optionsKeyForStyle(u"Poster"_s).isEmpty());
    QVariantMap labels = PrintOptions::styleOptions(options, u"Labels"_s);
    EXPECT_EQ(labels.value(PrintKey::LabelWidth).toString(), u"130"_s);
    labels.insert(PrintKey::LabelWidth, 150.0);
    PrintOptions::setStyleOptions(options, u"Labels"_s, labels);
    EXPECT_EQ(sub(options, PrintKey::MailingLabels).value(PrintKey::LabelWidth).toDouble(), 150.0);
    EXPECT_FALSE(options.contains(u"Labels"_s));
}

TEST(PrintOptionsTest, ValueReadersAcceptStringsAndNumbersAlike)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct NumberCase
    {
        QVariant value;
        double expected;
    };
    const NumberCase numbers[] = {
        { u"130"_s, 130.0 }, { 130.0, 130.0 }, { 130, 130.0 }, { u" 12.5pt"_s, 12.5 }, { u"-3"_s, -3.0 },
        { u".5"_s, 0.5 }, { u"1e2"_s, 100.0 }, { true, 1.0 }, { u"abc"_s, 0.0 }, { QVariant(), 0.0 },
        { QVariantMap(), 0.0 }, { nan, 0.0 }, { u"1e400"_s, 0.0 }, // overflows to infinity: not a length
    };
    for (const NumberCase &c : numbers)
        EXPECT_EQ(PrintOptions::number(c.value), c.expected) << c.value.toString().toStdString();

    struct FlagCase
    {
        QVariant value;
        bool expected;
    };
    const FlagCase flags[] = {
        { true, true },
        { false, false },
        { u"1"_s, true },
        { u"0"_s, false },
        { u"YES"_s, true },
        { u"NO"_s, false },
        { u"true"_s, true },
        { 1, true },
        { 0.0, false },
        { QVariant(), false },
        { u"2"_s, true },
        { u""_s, false },
    };
    for (const FlagCase &c : flags)
        EXPECT_EQ(PrintOptions::flag(c.value), c.expected) << c.value.toString().toStdString();

    EXPECT_EQ(PrintOptions::integer(u"3.9"_s), 3);
    EXPECT_EQ(PrintOptions::integer(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(PrintOptions::text(14), u"14"_s);
    EXPECT_EQ(PrintOptions::text(QVariantList {}), QString());
}

TEST(PrintOptionsTest, DeepCopyTurnsEveryNestedHashIntoAMap)
{
    QVariantHash inner { { u"a"_s, 1 } };
    QVariantHash outer { { u"inner"_s, inner }, { u"list"_s, QVariantList { QVariant(inner) } } };
    const QVariant copy = PrintOptions::deepCopyDictionary(outer);
    ASSERT_EQ(copy.metaType().id(), QMetaType::QVariantMap);
    EXPECT_EQ(copy.toMap().value(u"inner"_s).metaType().id(), QMetaType::QVariantMap);
    EXPECT_EQ(copy.toMap().value(u"list"_s).toList().first().metaType().id(), QMetaType::QVariantMap);
}
