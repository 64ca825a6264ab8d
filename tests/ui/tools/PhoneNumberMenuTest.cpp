#include "ui/tools/PhoneNumberMenu.h"

#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Layout = NormalizePhoneNumber::Layout;

namespace {

struct PhoneMenuFixture
{
    PhoneMenuFixture()
    {
        hub.open(TestHub::card(u"Ann"_s, u"TEL;TYPE=HOME:03-1234-5678\r\nTEL;TYPE=WORK:0312345679\r\n"_s)
                + TestHub::card(u"Bob"_s, u"TEL:0901234567\r\n"_s),
            { Ident::Phone });
        menu.setHub(&hub.hub);
    }
    QString phone(int contact, int index) const
    {
        return hub.entry(contact)->person->stringValueForIdentifierAtLabelIndex(Ident::Phone, index);
    }

    TestHub hub;
    PhoneNumberMenu menu;
};

} // namespace

TEST(PhoneNumberMenuTest, OffersTheFourLayoutsByExampleAndFollowsTheSelection)
{
    PhoneMenuFixture f;
    ASSERT_EQ(f.menu.layoutActions().size(), 4);
    EXPECT_EQ(f.menu.actionFor(Layout::FourPlusFour)->text(), u"(12) 3456-7890"_s);
    EXPECT_EQ(f.menu.actionFor(Layout::ThreePlusFour)->text(), u"(123) 456-7890"_s);
    EXPECT_EQ(f.menu.actionFor(Layout::TwoPlusFour)->text(), u"(1234) 56-7890"_s);
    EXPECT_EQ(f.menu.actionFor(Layout::QuadTwo)->text(), u"(12) 34 56 78 90"_s);

    // Nothing selected: nothing to rewrite.
    f.hub.hub.setSelectedRows({});
    f.menu.updateEnabled();
    EXPECT_FALSE(f.menu.actionFor(Layout::FourPlusFour)->isEnabled());
    f.hub.hub.setSelectedRows({ 0 });
    f.menu.updateEnabled();
    EXPECT_TRUE(f.menu.actionFor(Layout::FourPlusFour)->isEnabled());
    // The merge sheet open, or a view without the phone column, disables it.
    f.menu.setWindowStateProvider([] {
        WindowState state;
        state.mergePanelOpen = true;
        return state;
    });
    EXPECT_FALSE(f.menu.actionFor(Layout::QuadTwo)->isEnabled());
    f.menu.setWindowStateProvider({});
    f.hub.hub.setColumns({ Ident::Email });
    f.menu.updateEnabled();
    EXPECT_FALSE(f.menu.actionFor(Layout::QuadTwo)->isEnabled());
}

TEST(PhoneNumberMenuTest, EachLayoutRewritesTheSelectedNumbersAsOneUndoStep)
{
    const QList<std::pair<Layout, QString>> expected { { Layout::FourPlusFour, u"(03) 1234-5678"_s },
        { Layout::ThreePlusFour, u"(031) 234-5678"_s }, { Layout::TwoPlusFour, u"(0312) 34-5678"_s },
        { Layout::QuadTwo, u"(03) 12 34 56 78"_s } };
    for (const auto &[layout, text] : expected) {
        PhoneMenuFixture f;
        f.hub.hub.setSelectedRows({ 0, 1, 2 }); // Ann's two numbers and Bob's
        QSignalSpy changes(&f.hub.hub, &DocumentHub::contactsChanged);
        f.menu.actionFor(layout)->trigger();
        EXPECT_EQ(f.phone(0, 0), text);
        EXPECT_NE(f.phone(0, 1), u"0312345679"_s);
        EXPECT_NE(f.phone(1, 0), u"0901234567"_s);
        EXPECT_EQ(f.hub.hub.undoManager().undoCount(), 1);
        EXPECT_TRUE(f.hub.hub.isDocumentEdited());
        EXPECT_GE(changes.count(), 1);

        f.hub.hub.undo();
        EXPECT_EQ(f.phone(0, 0), u"03-1234-5678"_s);
        EXPECT_EQ(f.phone(0, 1), u"0312345679"_s);
        EXPECT_EQ(f.phone(1, 0), u"0901234567"_s);
    }
}

TEST(PhoneNumberMenuTest, NumbersAlreadyInTheLayoutLeaveTheDocumentUnedited)
{
    TestHub hub;
    hub.open(TestHub::card(u"Ann"_s, u"TEL:(03) 1234-5678\r\nTEL:1234\r\n"_s), { Ident::Phone });
    PhoneNumberMenu menu;
    menu.setHub(&hub.hub);
    hub.hub.setSelectedRows({ 0, 1 });
    QSignalSpy normalized(&menu, &PhoneNumberMenu::normalized);
    menu.actionFor(Layout::FourPlusFour)->trigger();
    ASSERT_EQ(normalized.count(), 1);
    EXPECT_EQ(normalized.first().first().toInt(), 0);
    EXPECT_FALSE(hub.hub.isDocumentEdited());
    EXPECT_EQ(hub.hub.undoManager().undoCount(), 0);
    EXPECT_EQ(hub.entry(0)->person->stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"1234"_s);
}
