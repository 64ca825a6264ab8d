#include "document/ViewTypes.h"

#include "document/DefaultsKeys.h"
#include "document/UserDefaults.h"
#include "model/Identifiers.h"
#include "model/Labels.h"

#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class ViewTypesTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings
        = std::make_unique<QSettings>(dir.filePath(u"defaults.ini"_s), QSettings::IniFormat);
    UserDefaults defaults { *settings };
    ViewTypes view { defaults };

    static QStringList objects(const MenuModel &menu)
    {
        QStringList out;
        for (const MenuItem &item : menu.items) {
            if (!item.isTitleItem)
                out << item.representedObject;
        }
        return out;
    }
    static QStringList checked(const QList<MenuItem> &items)
    {
        QStringList out;
        for (const MenuItem &item : items) {
            if (item.checked)
                out << item.representedObject;
        }
        return out;
    }
    QStringList storedColumns() { return defaults.viewTypeDict().value(defaults.selectedViewType()); }
};

} // namespace

TEST_F(ViewTypesTest, FirstStartShowsTheAddressView)
{
    EXPECT_EQ(view.selectedViewType(), u"Address"_s);
    EXPECT_EQ(
        view.columns(), (QStringList { u"Sender"_s, u"Name"_s, u"Renmei"_s, u"Company"_s, u"Address"_s }));

    const MenuModel menu = view.viewTypeMenu();
    EXPECT_EQ(menu.navigateTitle, u"Select View Type"_s);
    ASSERT_TRUE(menu.items.first().isTitleItem);
    EXPECT_EQ(menu.items.first().title, u"View Type"_s);
    EXPECT_EQ(objects(menu), (QStringList { u"Name Only"_s, u"Address"_s, u"Address Detail"_s }));
    EXPECT_EQ(checked(menu.items), QStringList { u"Address"_s });
}

TEST_F(ViewTypesTest, ChoosingAViewTypeStoresIt)
{
    EXPECT_TRUE(view.viewTypePopupSelected(u"Address Detail"_s));
    EXPECT_EQ(defaults.selectedViewType(), u"Address Detail"_s);
    EXPECT_EQ(
        view.columns().mid(4), (QStringList { u"ZIP"_s, u"State"_s, u"City"_s, u"Street"_s, u"Country"_s }));
    EXPECT_FALSE(view.viewTypePopupSelected(u"Address Detail"_s)) << "the same type again changes nothing";
    EXPECT_FALSE(view.viewTypePopupSelected(u"No Such View"_s));
    EXPECT_EQ(defaults.selectedViewType(), u"Address Detail"_s) << "an unknown type is not stored";
}

TEST_F(ViewTypesTest, ItemsMenuTogglesColumnsAfterTheFixedOnes)
{
    const MenuModel menu = view.itemsMenu();
    EXPECT_EQ(menu.items.size(), 26) << "title item and 25 entries";
    const QStringList entries = objects(menu);
    EXPECT_EQ(entries.at(2), u"Company"_s);
    EXPECT_EQ(entries.at(21), u"Company"_s);
    EXPECT_EQ(entries.last(), u"Dates"_s);
    EXPECT_EQ(checked(menu.items),
        (QStringList { u"Name"_s, u"Renmei"_s, u"Company"_s, u"Address"_s, u"Company"_s }));

    EXPECT_TRUE(view.itemsPopupSelected(u"Phone"_s));
    EXPECT_EQ(view.columns().at(2), u"Phone"_s);
    EXPECT_EQ(storedColumns().at(2), u"Phone"_s);
    EXPECT_TRUE(view.itemsPopupSelected(u"Email"_s));
    EXPECT_EQ(view.columns().mid(2, 2), (QStringList { u"Email"_s, u"Phone"_s }));
    EXPECT_TRUE(view.itemsPopupSelected(u"Phone"_s));
    EXPECT_FALSE(view.columns().contains(u"Phone"_s));
    EXPECT_FALSE(storedColumns().contains(u"Phone"_s));

    // Either "Company" entry acts on the one column.
    EXPECT_TRUE(view.itemsPopupSelected(entries.at(21)));
    EXPECT_FALSE(view.columns().contains(u"Company"_s));
    EXPECT_TRUE(view.itemsPopupSelected(entries.at(2)));
    EXPECT_EQ(view.columns().count(u"Company"_s), 1);

    // The fixed columns stay whatever is chosen.
    EXPECT_FALSE(view.itemsPopupSelected(u"Name"_s));
    EXPECT_FALSE(view.itemsPopupSelected(u"Sender"_s));
    EXPECT_EQ(view.columns().mid(0, 2), (QStringList { u"Sender"_s, u"Name"_s }));
}

TEST_F(ViewTypesTest, LabelSelectionFollowsTheMenuRules)
{
    struct Step
    {
        QString chosen;
        QStringList after;
    };
    const Step steps[] = {
        { u"home"_s, { u"home"_s } }, // from "All" to one label
        { u"work"_s, { u"home"_s, u"work"_s } }, // appended
        { u"home"_s, { u"work"_s } }, // removed
        { u"work"_s, { u"All"_s } }, // the last one removed: "All" again
        { u"mobile"_s, { u"mobile"_s } }, { u"All"_s, { u"All"_s } }, // "All" resets
    };
    for (const Step &step : steps) {
        view.labelsPopupSelected(step.chosen);
        EXPECT_EQ(view.selectedLabels(), step.after) << step.chosen.toStdString();
        EXPECT_EQ(defaults.selectedLabels(), step.after);
    }
    EXPECT_TRUE(view.showsLabel(u"anything"_s));
}

TEST_F(ViewTypesTest, LabelsMenuListsEachLabelOfTheShownFieldsOnce)
{
    Labels::resetCustomLabels(); // labels other tests met in their data are not this menu's concern
    MenuModel menu = view.labelsMenu();
    EXPECT_EQ(menu.navigateTitle, u"Select Label"_s);
    EXPECT_EQ(objects(menu), (QStringList { u"All"_s, u"home"_s, u"work"_s, u"other"_s }));
    EXPECT_EQ(checked(menu.items), QStringList { u"All"_s });

    view.itemsPopupSelected(u"Phone"_s);
    view.itemsPopupSelected(u"Email"_s);
    view.labelsPopupSelected(u"mobile"_s);
    menu = view.labelsMenu();
    const QStringList entries = objects(menu);
    EXPECT_EQ(QSet<QString>(entries.cbegin(), entries.cend()).size(), entries.size()) << "no label twice";
    EXPECT_TRUE(entries.contains(u"mobile"_s));
    EXPECT_TRUE(entries.contains(u"home fax"_s));
    EXPECT_EQ(checked(menu.items), QStringList { u"mobile"_s });

    // Fields that are not columns contribute nothing.
    view.viewTypePopupSelected(u"Name Only"_s);
    EXPECT_EQ(objects(view.labelsMenu()), QStringList { u"All"_s });
}

TEST_F(ViewTypesTest, SortOptionsMenuChecksTheSelectedKey)
{
    const MenuModel menu = view.sortOptionsMenu();
    ASSERT_EQ(objects(menu), (QStringList { u"Name"_s, u"Address"_s, u"Phonetic Name"_s }));
    const MenuItem *name = menu.find(u"Name"_s);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->submenu.size(), 3);
    EXPECT_EQ(checked(name->submenu), QStringList { u"compositeName"_s });
    EXPECT_EQ(checked(menu.find(u"Address"_s)->submenu), QStringList { u"Address"_s });

    // The new key keeps the column's direction and is stored.
    EXPECT_EQ(
        view.sortOptionsSelected(u"Name"_s, u"LastName"_s, false), (SortDescriptor { u"LastName"_s, false }));
    EXPECT_EQ(defaults.sortOptionsDict().value(u"Name"_s).selected, u"LastName"_s);
    EXPECT_EQ(checked(view.sortOptionsMenu().find(u"Name"_s)->submenu), QStringList { u"LastName"_s });
    EXPECT_EQ(view.sortOptionsSelected(u"Address"_s, u"ZIP"_s)->ascending, true)
        << "no direction yet: ascending";

    // Choosing the key in use writes nothing.
    settings->remove(DefaultsKey::SortOptionsDict);
    EXPECT_TRUE(view.sortOptionsSelected(u"Name"_s, u"LastName"_s).has_value());
    EXPECT_FALSE(settings->contains(DefaultsKey::SortOptionsDict));

    // Only some columns act.
    EXPECT_FALSE(view.sortOptionsSelected(u"Phone"_s, u"Phone label"_s).has_value());
    EXPECT_EQ(view.sortOptionsSelected(u"Email"_s, u"Email domain"_s),
        (SortDescriptor { u"Email domain"_s, true }));
}

TEST_F(ViewTypesTest, ColumnLayoutKeepsTheFixedColumnsAndStoredWidths)
{
    view.columnResized(u"Company"_s, 200);
    view.itemsPopupSelected(u"Phone"_s);
    const QList<ColumnSpec> columns = view.columnLayout();
    ASSERT_EQ(columns.size(), 6);
    EXPECT_EQ(columns[0].identifier, u"Sender"_s);
    EXPECT_TRUE(columns[0].fixed);
    EXPECT_FALSE(columns[0].sortPrototype.has_value());
    EXPECT_EQ(columns[1].identifier, u"Name"_s);
    EXPECT_TRUE(columns[1].fixed);
    EXPECT_EQ(columns[1].sortPrototype, (SortDescriptor { u"compositeName"_s, true }));

    const ColumnSpec &phone = columns[2];
    EXPECT_EQ(phone.identifier, u"Phone"_s);
    EXPECT_FALSE(phone.fixed);
    EXPECT_EQ(phone.sortPrototype->key, u"Phone"_s) << "a column without an option sorts by its identifier";
    EXPECT_EQ(phone.width, ColumnLayout::DefaultWidth);
    EXPECT_EQ(phone.minWidth, ColumnLayout::MinimumWidth);
    EXPECT_EQ(columns[4].identifier, u"Company"_s);
    EXPECT_EQ(columns[4].width, 200);
    EXPECT_EQ(columns[5].sortPrototype->key, u"Address"_s);

    view.sortOptionsSelected(u"Address"_s, u"City"_s);
    EXPECT_EQ(view.columnLayout()[5].sortPrototype->key, u"City"_s);
}

TEST_F(ViewTypesTest, ColumnsMoveOnlyBehindTheFixedOnes)
{
    struct Move
    {
        qsizetype from, to;
        bool allowed;
    };
    const Move moves[] = { { 0, 3, false }, { 1, 2, false }, { 3, 1, false }, { 2, 0, false }, { 2, 4, true },
        { 4, 2, true }, { 2, 5, false }, { -1, 2, false } };
    const QStringList columns = view.columns();
    for (const Move &m : moves) {
        EXPECT_EQ(ColumnLayout::canMoveColumn(m.from, m.to, columns.size()), m.allowed)
            << m.from << "->" << m.to;
        if (!m.allowed) {
            EXPECT_EQ(ColumnLayout::movedColumns(columns, m.from, m.to), columns);
        }
    }
    const QStringList moved = ColumnLayout::movedColumns(columns, 4, 2);
    EXPECT_EQ(moved, (QStringList { u"Sender"_s, u"Name"_s, u"Address"_s, u"Renmei"_s, u"Company"_s }));

    // Moving and closing store the order and the widths; the name column's width is recorded once.
    view.columnResized(u"Address"_s, 250);
    view.saveColumns(moved, 175);
    EXPECT_EQ(storedColumns(), moved);
    const QMap<QString, double> widths = defaults.columnWidthDictionary();
    EXPECT_EQ(widths.value(u"Address"_s), 250);
    EXPECT_EQ(widths.value(u"Name"_s), 175);
    view.saveColumns(moved, 300);
    EXPECT_EQ(defaults.columnWidthDictionary().value(u"Name"_s), 175)
        << "a recorded width is not overwritten";

    ViewTypes nextWindow(defaults);
    EXPECT_EQ(nextWindow.columns(), moved);
    EXPECT_EQ(nextWindow.columnLayout()[2].width, 250);
}
