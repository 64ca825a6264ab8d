#include "document/ContactContextMenu.h"
#include "document/DocumentReader.h"
#include "document/ExportCommands.h"
#include "find/FindPanel.h"
#include "formats/EncodingMenuModel.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/Translations.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionsStore.h"

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
    EXPECT_EQ(FindPanel::displayName(Ident::FirstName), u"名"_s);
    EXPECT_EQ(FindPanel::displayName(Ident::PhoneticLastName), u"姓（フリガナ）"_s);

    showEnglish();
    EXPECT_EQ(Labels::localizedLabelFromCNLabel(CN::LabelHome), u"home"_s);
}

// Messages are translated before their placeholders are filled, whether they are constants made before
// the translations were installed or texts a reader makes as it fails.
TEST_F(JapaneseTexts, MessagesAndTheirPlaceholders)
{
    QString error;
    VCardSerialization::contactsWithData("hello", &error);
    EXPECT_EQ(error, u"no BEGIN:VCARD"_s);
    EXPECT_EQ(ReadNoticeText::SkippedCard.arg(3).arg(u"x"_s), u"Card 3: x"_s);

    showJapanese();
    EXPECT_EQ(QString(ExportText::CouldNotRead), u"ファイルを読み込めませんでした。"_s);
    EXPECT_EQ(ReadNoticeText::SkippedCard.arg(3).arg(u"x"_s), u"カード 3: x"_s);
    VCardSerialization::contactsWithData("hello", &error);
    EXPECT_EQ(error, u"BEGIN:VCARD がありません"_s);
    EXPECT_EQ(PrintOptionsStore::printStyleTitle(u"Labels"_s), u"ラベル"_s);
}

// What is stored or compared keeps its English word in every language; only its display changes.
TEST_F(JapaneseTexts, StoredValuesStayEnglish)
{
    showJapanese();
    const ContactContainerPtr container = ZRvCard::makeVCardContainer();
    ASSERT_FALSE(container->groups.isEmpty());
    EXPECT_EQ(container->groups.first()->name, u"All Contacts"_s);
    EXPECT_EQ(ContainerText::displayName(container->groups.first()->name), u"すべての連絡先"_s);
    EXPECT_EQ(ContainerText::displayName(u"Friends"_s), u"Friends"_s);

    // The honorific menu shows "None" translated and still stores nothing for it.
    const QStringList titles = PrintChoices::keishouChoiceTitles();
    EXPECT_EQ(titles.value(0), u"なし"_s);
    EXPECT_EQ(PrintChoices::keishouForChoice(titles.value(0)), QString());
    EXPECT_EQ(PrintChoices::keishouForChoice(titles.value(1)), u"様"_s);

    // A menu entry chosen by its shown title still reaches its command.
    const QUrl web = ContactContextMenu::workspaceUrl(
        Ident::Address, u"Tokyo"_s, ContactContextMenu::Title::OpenGoogleMap);
    EXPECT_TRUE(web.scheme().startsWith(u"http"_s)) << web.toString().toStdString();
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
