#include "find/SearchableDocumentHub.h"
#include "ui/tools/MergeSheet.h"
#include "ui/tools/PhoneNumberMenu.h"
#include "ui/tools/PostalDataInstall.h"
#include "ui/tools/PostalDataLoader.h"
#include "ui/tools/PostalSearchSheet.h"
#include "ui/tools/QrCodeSheet.h"
#include "ui/window/DocumentWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

// The tools reach the window through its actions: each sheet opens over this window for its hub.
void DocumentWindow::connectTools()
{
    // The national postal data takes a few seconds to read: it starts with the first window, so the
    // postal-code sheet rarely has to say it is still loading.
    PostalDataLoader::instance().start();

    WindowActions &a = *m_actions;
    a.setHandler(Command::ShowZipSheet, [this] { PostalSearchSheet::open(this, *m_hub); });
    a.setHandler(Command::ShowQRCode, [this] { QrCodeSheet::open(this, *m_hub); });
    a.setHandler(Command::MergeContacts, [this] {
        MergeSheet *sheet = MergeSheet::open(this, *m_hub);
        setMergePanelOpen(MergeSheet::isOpenFor(this));
        if (sheet)
            connect(sheet, &QDialog::finished, this, [this] { setMergePanelOpen(false); });
    });

    // Phone numbers are a submenu of the four layouts; the command itself only opens it.
    auto *phones = new PhoneNumberMenu(this);
    phones->setHub(m_hub.get());
    phones->setWindowStateProvider([this] { return windowState(); });
    QAction *normalize = a.action(Command::NormalizePhoneNumber);
    normalize->setMenu(phones);
    a.setHandler(Command::NormalizePhoneNumber, [] {});
    connect(this, &DocumentWindow::actionsRefreshed, phones, &PhoneNumberMenu::updateEnabled);

    if (QMenu *tools = menuBar()->findChild<QMenu *>(QStringLiteral("toolsMenu"))) {
        tools->addSeparator();
        tools->addAction(PostalDataInstall::makeAction(this, tools));
    }
}
