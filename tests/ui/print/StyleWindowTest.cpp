#include "document/DefaultsKeys.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptionsStore.h"
#include "ui/print/StyleMenu.h"
#include "ui/print/StyleSettingsSheet.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowTestSupport.h"

#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

using StyleWindowTest = WindowTest;

StyleMenu *styleMenu(DocumentWindow *window)
{
    return qobject_cast<StyleMenu *>(window->actions()->action(WindowActions::Extra::PrintStyle)->menu());
}

} // namespace

TEST_F(StyleWindowTest, ThePrintStylePopupChoosesChecksAndRemembersTheStyle)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    // No style stored yet: postcards.
    EXPECT_EQ(window->printStyle(), PrintValue::StyleHagaki);
    QToolButton *button = window->toolButton(u"printStyleButton"_s);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->isVisible());
    StyleMenu *menu = styleMenu(window);
    ASSERT_TRUE(menu);
    EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(menu->currentStyle(), PrintValue::StyleHagaki);

    QSignalSpy changed(window, &DocumentWindow::printStyleChanged);
    menu->actionForStyle(PrintValue::StyleLabels)->trigger();
    EXPECT_EQ(window->printStyle(), PrintValue::StyleLabels);
    EXPECT_EQ(window->windowState().printStyle, PrintValue::StyleLabels);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(menu->actionForStyle(PrintValue::StyleLabels)->isChecked());
    EXPECT_FALSE(menu->actionForStyle(PrintValue::StyleHagaki)->isChecked());
    EXPECT_EQ(PrintOptionsStore::loadPrintStyle(*reopenedSettings()), PrintValue::StyleLabels);
    EXPECT_EQ(menu->actionForStyle(PrintValue::StyleLabels)->text(), u"Label"_s);

    // A later window starts on the style chosen last.
    DocumentWindow *second = openGroupsWindow(u"second.vcf"_s);
    EXPECT_EQ(second->printStyle(), PrintValue::StyleLabels);
}

TEST_F(StyleWindowTest, StyleSettingsOpenWindowModalOnTheCurrentStylesTabAndFollowIt)
{
    DocumentWindow *window = openGroupsWindow();
    ASSERT_TRUE(window);
    styleMenu(window)->actionForStyle(PrintValue::StyleAddressList)->trigger();
    QAction *settingsAction = window->actions()->action(WindowActions::Extra::StyleSettings);
    EXPECT_TRUE(settingsAction->isVisible());
    settingsAction->trigger();
    auto *sheet = waitForWindow<StyleSettingsSheet>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->parentWidget(), window);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 3);
    // Not taller than a small laptop's screen, in either language's texts.
    EXPECT_LE(sheet->sizeHint().height(), 700);

    sheet->accept();
    window->setPrintStyle(PrintValue::StyleEnvelope);
    settingsAction->trigger();
    EXPECT_EQ(waitForWindow<StyleSettingsSheet>(), sheet); // made once and kept
    EXPECT_EQ(sheet->tabs()->currentIndex(), 1);
}
