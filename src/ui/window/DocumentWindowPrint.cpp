#include "ui/print/PreviewView.h"
#include "ui/print/PrintController.h"
#include "ui/window/DocumentWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

// Printing reaches the window through its actions and its preview pane.
void DocumentWindow::connectPrint()
{
    m_print = new PrintController(this);
    WindowActions &a = *m_actions;
    a.setHandler(Command::ToggleLayout, [this] { m_print->setLayoutMode(!m_print->isLayoutMode()); });
    a.setHandler(WindowActions::Extra::PageSetup, [this] { m_print->showPageSetup(); });
    a.setHandler(Command::PrintDocument, [this] { m_print->print(); });

    // Export as PDF sits under Print… and is offered when printing is.
    QAction *print = a.action(Command::PrintDocument);
    QAction *pdf = m_print->exportPdfAction();
    for (QAction *item : menuBar()->actions()) {
        QMenu *menu = item->menu();
        if (!menu || !menu->actions().contains(print))
            continue;
        const QList<QAction *> items = menu->actions();
        const qsizetype at = items.indexOf(print);
        menu->insertAction(at + 1 < items.size() ? items.at(at + 1) : nullptr, pdf);
        break;
    }
    addAction(pdf);
    // Only postcards and envelopes have blocks to place; layout mode can always be left.
    QAction *layout = a.action(Command::ToggleLayout);
    const auto follow = [this, print, pdf, layout] {
        pdf->setEnabled(print->isEnabled());
        if (!m_print->isLayoutMode() && !PreviewView::styleHasLayout(m_print->printStyle()))
            layout->setEnabled(false);
    };
    connect(this, &DocumentWindow::actionsRefreshed, pdf, follow);
    follow();
}
