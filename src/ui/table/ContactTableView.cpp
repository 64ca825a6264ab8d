#include "ui/table/ContactTableView.h"

#include "document/DocumentHub.h"

ContactTableView::ContactTableView(DocumentHub &hub, QWidget *parent)
    : QTableView(parent)
    , m_hub(hub)
{
    setModel(&m_hub.tableModel());
}
