#pragma once

#include <QMainWindow>
#include <memory>

class Document;
class DocumentHub;
class ContactTableView;
class UserDefaults;

// One open document's window: it holds the document's hub and shows its contacts.
class DocumentWindow : public QMainWindow
{
    Q_OBJECT

public:
    DocumentWindow(std::unique_ptr<Document> document, UserDefaults &defaults, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    DocumentHub &hub() { return *m_hub; }
    ContactTableView *tableView() const { return m_table; }

private:
    std::unique_ptr<DocumentHub> m_hub;
    ContactTableView *m_table = nullptr;
};
