#include "formats/EncodingMenuModel.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/Translations.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Each test starts in English and leaves the program in English, whatever the environment says.
class JapaneseTexts : public ::testing::Test
{
protected:
    void SetUp() override { showEnglish(); }
    void TearDown() override { showEnglish(); }

    static void showJapanese()
    {
        ASSERT_EQ(Translations::installTranslations(*QCoreApplication::instance(), { u"ja_JP"_s }), u"ja"_s);
    }
    static void showEnglish()
    {
        Translations::installTranslations(*QCoreApplication::instance(), { u"en_US"_s });
    }
};

// A sample from each kind of text: a label's display name, an identifier's, a menu title.
TEST_F(JapaneseTexts, JapaneseWhenAskedEnglishOtherwise)
{
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(CN::LabelHome), u"home"_s);
    EXPECT_EQ(ZRPerson::localizedIdentifierForKey(Ident::Phone), u"Phone"_s);
    EXPECT_EQ(EncodingMenuModel::automaticTitle(), u"Automatic"_s);

    showJapanese();
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(CN::LabelHome), u"自宅"_s);
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(CN::LabelPhoneNumberMobile), u"携帯電話"_s);
    EXPECT_EQ(ZRPerson::localizedIdentifierForKey(Ident::Phone), u"電話"_s);
    EXPECT_EQ(ZRPerson::localizedIdentifierForKey(Ident::ZIP), u"郵便番号"_s);
    EXPECT_EQ(EncodingMenuModel::automaticTitle(), u"自動"_s);

    showEnglish();
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(CN::LabelHome), u"home"_s);
}

// The label lists a table caches follow a change of language instead of keeping the old texts, and the
// user's own labels are kept as typed.
TEST_F(JapaneseTexts, CachedLabelListsFollowTheLanguage)
{
    Labels::resetCustomLabels();
    ASSERT_TRUE(Labels::setLabelToForIdentifier(QString(), u"Cousin"_s, Ident::Relationship));
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Email).value(0), u"home"_s);
    showJapanese();
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Email).value(0), u"自宅"_s);
    EXPECT_EQ(Labels::localizedLabelTableDict().value(Ident::Email).value(1), u"勤務先"_s);
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Relationship).constLast(), u"Cousin"_s);
    showEnglish();
    EXPECT_EQ(Labels::localizedLabelsForIdentifier(Ident::Email).value(0), u"home"_s);
    Labels::resetCustomLabels();
}

// Qt's own dialogs and buttons read Japanese too, where the system has Qt's Japanese texts.
TEST_F(JapaneseTexts, QtsOwnTextsComeAlong)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + u"/qtbase_ja.qm"_s))
        GTEST_SKIP() << "qtbase_ja.qm is not installed (Debian package qt6-translations-l10n)";
    showJapanese();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"キャンセル"_s);
}
