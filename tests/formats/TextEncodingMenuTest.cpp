#include "formats/EncodingMenuModel.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace TextEncoding;
using Kind = EncodingMenuItem::Kind;

namespace {

class TextEncodingMenu : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QSettings settings { dir.filePath(u"defaults.ini"_s), QSettings::IniFormat };

    static QStringList titles(const EncodingMenuModel &model)
    {
        QStringList result;
        for (const EncodingMenuItem &item : model.menuItems())
            if (item.kind == Kind::Automatic || item.kind == Kind::Encoding)
                result.append(item.title);
        return result;
    }
    static qsizetype rowOf(const EncodingMenuModel &model, Number number)
    {
        const auto &table = model.currentEncodings();
        for (qsizetype i = 0; i < table.size(); ++i)
            if (table.at(i).nsEncoding == number)
                return i;
        return -1;
    }
};

} // namespace

TEST_F(TextEncodingMenu, DefaultListFollowsThePreferredLanguages)
{
    EncodingMenuModel japanese(&settings, { u"ja-JP"_s, u"en-US"_s });
    japanese.setEncodingOnly();
    const QStringList jaTitles = titles(japanese);
    ASSERT_GE(jaTitles.size(), 4);
    EXPECT_EQ(jaTitles.at(0), EncodingMenuModel::automaticTitle());
    EXPECT_EQ(jaTitles.at(1), u"Unicode (UTF-8)"_s);
    EXPECT_EQ(jaTitles.at(2), u"Unicode (UTF-16BE)"_s);
    EXPECT_TRUE(jaTitles.contains(u"Japanese (Shift JIS)"_s));
    EXPECT_TRUE(jaTitles.contains(u"Japanese (EUC)"_s));
    EXPECT_TRUE(jaTitles.contains(u"Western (ISO Latin 1)"_s)) << "the second language counts too";
    EXPECT_FALSE(jaTitles.contains(u"Korean (EUC)"_s));
    EXPECT_EQ(japanese.menuItems().last().kind, Kind::Customize);
    EXPECT_EQ(japanese.menuItems().at(japanese.menuItems().size() - 2).kind, Kind::Separator);
    EXPECT_EQ(japanese.utf8LocalizedName(), u"Unicode (UTF-8)"_s);
    EXPECT_EQ(japanese.utf16LocalizedName(), u"Unicode (UTF-16BE)"_s);

    EncodingMenuModel english(&settings, { u"en-GB"_s });
    const QStringList enTitles = titles(english);
    EXPECT_TRUE(enTitles.contains(u"Western (Windows Latin 1)"_s));
    EXPECT_FALSE(enTitles.contains(u"Japanese (Shift JIS)"_s));
    for (const char *excluded :
        { "Western (ASCII)", "Western (EBCDIC Latin Core)", "Western (EBCDIC Latin 1)" })
        EXPECT_FALSE(enTitles.contains(QString::fromUtf8(excluded))) << excluded;
    EXPECT_EQ(english.encodingType(), UTF8) << "normal mode starts on UTF-8";

    EncodingMenuModel unknownLanguage(&settings, { u"x"_s });
    EXPECT_EQ(titles(unknownLanguage), QStringList({ u"Unicode (UTF-8)"_s, u"Unicode (UTF-16BE)"_s }));
}

TEST_F(TextEncodingMenu, SavedListAlwaysShowsUtf8AndIsWrittenOnClose)
{
    settings.setValue(
        EncodingMenuModel::EncodingsKey, QStringList({ u"Japanese (EUC)"_s, u"No Such Encoding"_s }));
    EncodingMenuModel model(&settings, { u"en"_s });
    EXPECT_EQ(titles(model), QStringList({ u"Unicode (UTF-8)"_s, u"Japanese (EUC)"_s }));

    model.selectItem(model.menuItems().size() - 1); // "Customize Encoding List…"
    EXPECT_TRUE(model.isListPanelVisible());
    EXPECT_EQ(model.encodingType(), UTF8) << "opening the list panel keeps the selection";
    model.setChecked(rowOf(model, ShiftJIS), true);
    EXPECT_EQ(model.menuItems().at(0).title, u"Japanese (Shift JIS)"_s) << "a ticked encoding comes first";
    EXPECT_EQ(model.encodingType(), ShiftJIS) << "and is selected";
    model.setChecked(rowOf(model, ShiftJIS), false);
    EXPECT_FALSE(titles(model).contains(u"Japanese (Shift JIS)"_s));
    EXPECT_EQ(model.selectedIndex(), 0);
    model.setChecked(rowOf(model, ShiftJIS), true);
    model.requestClose();
    EXPECT_FALSE(model.isListPanelVisible());
    EXPECT_EQ(settings.value(EncodingMenuModel::EncodingsKey).toStringList(),
        QStringList({ u"Unicode (UTF-8)"_s, u"Japanese (Shift JIS)"_s, u"Japanese (EUC)"_s }));

    model.setChecked(-1, true); // out of range: ignored
    model.setChecked(model.currentEncodings().size(), true);
}

TEST_F(TextEncodingMenu, ChoiceServesOneOpeningOnly)
{
    EncodingMenuModel model(&settings, { u"ja"_s });
    model.setEncodingOnly();
    EXPECT_EQ(model.encodingType(), Automatic);
    EXPECT_EQ(model.encodingTypeName(), EncodingMenuModel::automaticTitle());

    // Chosen, then the reader takes it: the next opening is automatic again.
    model.openPanelWillRun();
    model.selectItem(titles(model).indexOf(u"Japanese (Shift JIS)"_s));
    EXPECT_EQ(model.encodingTypeName(), u"Japanese (Shift JIS)"_s);
    model.openPanelDidEnd(true);
    EXPECT_EQ(model.takeEncodingType(), ShiftJIS);
    EXPECT_EQ(model.encoding(), ShiftJIS);
    EXPECT_EQ(model.encodingType(), Automatic);

    // Chosen, then the panel cancelled.
    model.selectItem(titles(model).indexOf(u"Japanese (EUC)"_s));
    model.openPanelDidEnd(false);
    EXPECT_EQ(model.encodingType(), Automatic);

    // setEncodingType only acts in normal mode.
    model.setEncodingType(JapaneseEUC);
    EXPECT_EQ(model.encodingType(), Automatic);
    EncodingMenuModel normal(&settings, { u"ja"_s });
    normal.setEncodingType(JapaneseEUC);
    EXPECT_EQ(normal.encodingType(), JapaneseEUC);
    normal.resetMenu();
    EXPECT_EQ(normal.encodingType(), UTF8);

    EXPECT_EQ(model.encodingTypeName(0x7777), EncodingMenuModel::unknownName());
    EXPECT_EQ(model.encodingTypeName(UTF16BigEndian), u"Unicode (UTF-16BE)"_s);
}

TEST_F(TextEncodingMenu, ListPanelButtons)
{
    EncodingMenuModel model(&settings, { u"ja"_s });
    model.setEncodingOnly();
    const qsizetype defaults = titles(model).size();

    model.selectAll();
    EXPECT_EQ(titles(model).size(), model.currentEncodings().size() + 1);

    model.clearAll();
    EXPECT_EQ(titles(model), QStringList({ EncodingMenuModel::automaticTitle() }));
    EXPECT_EQ(model.encodingType(), Automatic);

    model.revert();
    EXPECT_EQ(titles(model).size(), defaults);

    EncodingMenuModel normal(&settings, { u"en"_s });
    normal.clearAll();
    EXPECT_EQ(normal.selectedIndex(), -1);
    EXPECT_EQ(normal.encodingType(), UTF8) << "nothing listed still reads UTF-8";
    normal.setChecked(rowOf(normal, JapaneseEUC), true);
    EXPECT_EQ(normal.encodingType(), JapaneseEUC);
}
