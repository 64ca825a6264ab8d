#pragma once

#include <QTableView>

class DocumentHub;

// The contact table of a document window, over its hub's item model.
class ContactTableView : public QTableView
{
    Q_OBJECT

public:
    explicit ContactTableView(DocumentHub &hub, QWidget *parent = nullptr);

    DocumentHub &hub() { return m_hub; }

private:
    DocumentHub &m_hub;
};
