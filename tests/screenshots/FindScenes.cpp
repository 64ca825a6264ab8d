#include "SampleContacts.h"
#include "Scene.h"
#include "document/Document.h"
#include "document/UserDefaults.h"
#include "find/SearchableDocumentHub.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/find/FindBar.h"
#include "ui/find/FindPanelWindow.h"
#include "ui/window/DocumentWindow.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTableView>
#include <QToolButton>

namespace {

DocumentWindow *sampleWindow(SceneContext &context)
{
    static std::unique_ptr<UserDefaults> defaults;
    defaults = std::make_unique<UserDefaults>(context.settings());
    const QString path = context.writeFile(QStringLiteral("contacts.vcf"), SampleContacts::vCardText());
    auto document = std::make_unique<Document>();
    DocumentError error;
    document->readFromURL(path, ContactFileDialog::documentType(path), &error);
    auto *window = new DocumentWindow(std::move(document), *defaults);
    window->resize(900, 500);
    return window;
}

// A search text that occurs in several of the sample contacts, in the language the scene shows.
QString sampleText(const SceneContext &context)
{
    return context.japanese() ? QStringLiteral("藤") : QStringLiteral("a");
}

} // namespace

// The find bar over the table: every occurrence shaded, the current one orange.
CORVANTHE_SCENE("find-bar", [](SceneContext &context) {
    DocumentWindow *window = sampleWindow(context);
    SceneContext::grab(window);
    FindController &find = window->searchableHub().findController();
    window->findBar()->setShown(true, false);
    find.showFindBar(true);
    window->findBar()->searchField()->setText(sampleText(context));
    window->findBar()->commitPendingSearch();
    find.findBarButtonDidPress(FindAction::Next);
    SceneContext::settle(300);
    return SceneContext::grab(window);
});

// The find panel over its window: every match of the text, the current one orange.
CORVANTHE_SCENE("find-panel", [](SceneContext &context) {
    DocumentWindow *window = sampleWindow(context);
    QImage image = SceneContext::grab(window);
    FindPanelWindow *panel = FindPanelWindow::openOver(window->searchableHub(), sampleText(context), window);
    // Every field, chosen as a person does in the Items pull-down, then on to the second match.
    emit panel->itemsButton()->menu()->aboutToShow();
    for (QAction *action : panel->itemsButton()->menu()->actions()) {
        if (action->data().toString() == QStringLiteral("All"))
            action->trigger();
    }
    // The rows arrive from the event loop; the second match is stepped to once they are all there.
    while (panel->panel().isSearching())
        QCoreApplication::processEvents();
    if (auto *next = panel->findChild<QToolButton *>(QStringLiteral("findPanelNext")))
        next->click();
    SceneContext::settle(200);
    const QImage shown = SceneContext::grab(panel);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(0, 0, 0, 60));
    painter.drawImage(QPoint(qMax(0, (image.width() - shown.width()) / 2), 20), shown);
    painter.end();
    return shown.width() > image.width() ? shown : image;
});
