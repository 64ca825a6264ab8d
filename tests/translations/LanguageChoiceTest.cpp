#include "model/Translations.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The environment as Linux programs read it; each row guards one rule.
TEST(LanguageChoice, PreferredLanguagesFromTheEnvironment)
{
    struct Row
    {
        QString language, lcAll, lcMessages, lang;
        QStringList expected;
    };
    const Row rows[] = {
        { u"ja"_s, {}, {}, u"en_US.UTF-8"_s, { u"ja"_s, u"en_US"_s } }, // LANGUAGE first, under English LANG
        { u"ja"_s, {}, {}, u"C.UTF-8"_s, { u"ja"_s, u"C"_s } }, // and even under the C locale
        { u"fr:ja_JP:"_s, {}, {}, {}, { u"fr"_s, u"ja_JP"_s } }, // a list; empty entries skipped
        { {}, u"ja_JP.UTF-8"_s, u"en_GB"_s, u"de_DE"_s, { u"ja_JP"_s } }, // LC_ALL beats the others
        { {}, {}, u"ja_JP.eucJP"_s, u"en_US"_s, { u"ja_JP"_s } }, // then LC_MESSAGES
        { {}, {}, {}, u"ja_JP.UTF-8@mod"_s, { u"ja_JP"_s } }, // then LANG; codeset and modifier cut
        { u"ja-JP:ja_JP"_s, {}, {}, {}, { u"ja_JP"_s } }, // "-" as "_", no duplicates
        { {}, {}, {}, {}, {} },
    };
    for (const Row &row : rows) {
        EXPECT_EQ(
            Translations::preferredLanguages(row.language, row.lcAll, row.lcMessages, row.lang), row.expected)
            << row.language.toStdString() << " / " << row.lang.toStdString();
    }
}

TEST(LanguageChoice, FirstLanguageWithTextsWinsAndEnglishStopsTheSearch)
{
    const QStringList available = { u"ja"_s };
    struct Row
    {
        QStringList preferred;
        QString expected;
    };
    const Row rows[] = {
        { { u"ja_JP"_s }, u"ja"_s }, // a region falls back to its language
        { { u"fr"_s, u"ja"_s }, u"ja"_s }, // a language without texts is passed over
        { { u"en_US"_s, u"ja"_s }, QString() }, // English asked first: the source texts
        { { u"C"_s, u"ja"_s }, QString() },
        { { u"POSIX"_s }, QString() },
        { { u"fr"_s }, QString() },
        { {}, QString() },
    };
    for (const Row &row : rows)
        EXPECT_EQ(Translations::chooseLanguage(row.preferred, available), row.expected)
            << row.preferred.join(u':').toStdString();
}

TEST(LanguageChoice, JapaneseIsBuiltIn)
{
    EXPECT_TRUE(Translations::availableLanguages().contains(u"ja"_s));
}
