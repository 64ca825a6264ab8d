#include "ui/window/DocumentWindow.h"

#include "document/Document.h"
#include "document/DocumentHub.h"
#include "ui/table/ContactTableView.h"

DocumentWindow::DocumentWindow(std::unique_ptr<Document> document, UserDefaults &defaults, QWidget *parent)
    : QMainWindow(parent)
    , m_hub(std::make_unique<DocumentHub>(defaults))
{
    if (document)
        m_hub->open(document->makeWindowData());
    m_table = new ContactTableView(*m_hub, this);
    setCentralWidget(m_table);
    resize(900, 500);
}

DocumentWindow::~DocumentWindow()
{
    m_hub->close();
}
