#pragma once

#include <QTableView>

class ContactInfoView;

// The panel's table: rows are dragged out as the contact's card with the row's field, dropped within
// the panel to reorder the fields, and dropped from another panel to copy a field.
class ContactInfoTable : public QTableView
{
    Q_OBJECT

public:
    explicit ContactInfoTable(ContactInfoView *panel);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    ContactInfoView *m_panel;
};
