#include "document/VdirContactStore.h"
#include "find/SearchableDocumentHub.h"
#include "ui/groups/GroupListView.h"
#include "ui/window/Application.h"
#include "ui/window/DocumentWindow.h"

void DocumentWindow::connectAddressBooks()
{
    Application *application = Application::instance();
    if (!application)
        return;
    connect(application, &Application::addressBookFoldersChanged, this, &DocumentWindow::showAddressBooks);
    application->addAddressBookGuard(
        this, [this](const QStringList &folders) { return addressBooksInUse(folders); });
}

void DocumentWindow::showAddressBooks(const QStringList &folders)
{
    GroupViewController &groups = m_hub->groupList();
    groups.replaceAddressBooks(std::make_shared<VdirContactStore>(folders));
    // A list on screen fetches the groups of the books that came in, as it did when it first showed.
    if (m_groups->isVisible())
        groups.outlineWillAppear();
    refreshActions();
}

QStringList DocumentWindow::addressBooksInUse(const QStringList &folders) const
{
    // Listing the books reads folder names only.
    VdirContactStore store(folders);
    const QString window = m_hub->documentName().isEmpty() ? tr("Untitled") : m_hub->documentName();
    QStringList uses;
    for (const QString &book : m_hub->groupList().changedAddressBooksMissingFrom(store))
        uses << tr("“%1” in the window “%2”").arg(book, window);
    return uses;
}
