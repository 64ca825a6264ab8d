#include "document/DocumentHub.h"
#include "document/UserDefaults.h"
#include "find/SearchableDocumentHub.h"
#include "print/PrintOptionsStore.h"
#include "ui/print/StyleMenu.h"
#include "ui/print/StyleSettingsSheet.h"
#include "ui/window/DocumentWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QToolButton>

// The print style pop-up and the style settings: the style is the window's (the rules check it in the
// menu) and is remembered for the next window; the settings edit the options every window prints with.
void DocumentWindow::connectStyle()
{
    using Extra = WindowActions::Extra;
    QSettings &settings = m_hub->defaults().settings();

    auto *menu = new StyleMenu(this);
    QAction *styleAction = m_actions->action(Extra::PrintStyle);
    styleAction->setMenu(menu);
    m_actions->setHandler(Extra::PrintStyle, [] {});
    if (QToolButton *button = toolButton(QStringLiteral("printStyleButton")))
        button->setPopupMode(QToolButton::InstantPopup);
    connect(menu, &StyleMenu::styleChosen, this, [this, &settings](const QString &style) {
        PrintOptionsStore::savePrintStyle(settings, style);
        setPrintStyle(style);
    });
    // The check mark follows the rules, as every other command's does.
    connect(this, &DocumentWindow::actionsRefreshed, menu, [this, menu] {
        const WindowState state = windowState();
        for (const QString &style : PrintOptionsStore::printStyles()) {
            if (m_hub->validateCommand({ Command::SelectPrintStyle, style, {} }, state).checked)
                menu->setCurrentStyle(style);
        }
    });
    connect(this, &DocumentWindow::printStyleChanged, this, [this](const QString &style) {
        if (auto *sheet = findChild<StyleSettingsSheet *>(QString(), Qt::FindDirectChildrenOnly))
            sheet->setPrintStyle(style);
    });
    setPrintStyle(PrintOptionsStore::loadPrintStyle(settings));

    m_actions->setHandler(Extra::StyleSettings, [this, &settings] {
        StyleSettingsSheet::open(this, settings, m_state.printStyle, m_hub->columns());
    });
}
