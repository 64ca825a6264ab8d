#pragma once

#include "document/ChangeNotice.h"
#include "document/Commands.h"
#include "document/ContactTableModel.h"
#include "document/ContactsViewController.h"
#include "document/Document.h"
#include "document/GroupViewController.h"
#include "document/ViewController.h"
#include "document/ViewTypes.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

class ContactStore;
class UserDefaults;

// One open document without its window: its containers, the window's controller with the undo stack,
// the contact table with its item model, the group list and this window's view choices, wired
// together. A window holds one and connects its widgets to it; the command line's table and the tests
// use it without a window. Everything a change tells goes through contactsChanged, once per action.
class DocumentHub : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        // Off: the view choices made here are this hub's only, never written to the user defaults.
        bool writesDefaults = true;
        // The address books shown beside the file's container, if any.
        std::shared_ptr<ContactStore> store;
    };

    explicit DocumentHub(UserDefaults &defaults, QObject *parent = nullptr);
    DocumentHub(UserDefaults &defaults, Options options, QObject *parent = nullptr);
    // Closes what is still open.
    ~DocumentHub() override;

    // ---- Opening and closing
    // Takes over a document's window data: its containers, the group and the entries to show first, the
    // edit state. The table shows the stored view type, labels and last sort.
    void open(DocumentWindowData data);
    // Makes, on any thread, the rows a window opened now would show first for a read's entries, from
    // the choices the defaults hold now (read here, on the calling thread). open() takes them when they
    // still fit, so that a large file's rows are built on the worker that read it.
    using RowPreparer = std::function<std::shared_ptr<const PreparedRows>(
        const ContactTable &entries, const std::atomic_bool *cancel)>;
    static RowPreparer rowPreparer(UserDefaults &defaults);
    // A finished read as a new document: false, with the error to show, when it gave no contacts.
    bool open(DocumentReadResult result, const QString &path, const QString &typeName, DocumentError *error);
    // Lets go of every contact at once: the views empty at once, and the records are freed on a worker
    // thread, so that closing a large document does not hold up the window.
    void close();
    bool isOpen() const { return m_open; }
    const QString &documentName() const { return m_documentName; }
    bool isCSV() const { return m_fileType == DocumentText::CSVType; }
    // What Save As does: a CSV document exports its contacts as vCard.
    Document::SaveAsAction saveDocumentAs() const { return Document::saveAsActionForType(m_fileType); }

    // ---- The parts, for the window's widgets
    ViewController &viewController() { return m_vc; }
    const ViewController &viewController() const { return m_vc; }
    UndoManager &undoManager() { return m_vc.undoManager(); }
    ContactsViewController &table() { return m_table; }
    const ContactsViewController &table() const { return m_table; }
    ContactTableModel &tableModel() { return m_model; }
    GroupViewController &groupList() { return m_groups; }
    ViewTypes &viewTypes() { return m_viewTypes; }
    const ViewTypes &viewTypes() const { return m_viewTypes; }
    UserDefaults &defaults() { return m_defaults; }
    // The table font's metrics (and the group list's, which uses the same font).
    void setTextMetrics(const TextMetrics &metrics);

    // ---- What the table shows; each choice rebuilds the rows once
    bool selectGroup(const ContactGroupPtr &group);
    // A group of any container by its name; the first one wins.
    ContactGroupPtr groupNamed(const QString &name) const;
    ContactGroupPtr selectedGroup() const { return m_vc.selectedGroupDict(); }
    bool selectViewType(const QString &name);
    // The items menu: shows or hides a column of the selected view type.
    bool toggleColumn(const QString &identifier);
    // The selected view type's columns at once.
    bool setColumns(const QStringList &identifiers);
    QStringList columns() const { return m_table.columns(); }
    // The labels menu: one label on or off, "All" for every label.
    bool selectLabel(const QString &label);
    bool setSelectedLabels(const QStringList &labels);
    // The sort options menu: the column's sort key, which the table then sorts by.
    bool selectSortOption(const QString &column, const QString &key);
    // A header click (or a chosen order): records and rows are sorted and the order is remembered.
    void sortBy(const SortDescriptor &descriptor);
    std::optional<SortDescriptor> sortDescriptor() const { return m_table.sortDescriptor(); }
    // The window's columns as the view makes them; widths are remembered, and written on close.
    QList<ColumnSpec> columnLayout() const { return m_viewTypes.columnLayout(); }
    void columnResized(const QString &identifier, double width);
    void saveColumns(const QStringList &order);

    // ---- Editing and undo
    bool editState() const { return m_vc.editState(); }
    void setEditState(bool editable);
    bool editButtonEnabled() const { return m_vc.editButtonEnabled(); }
    bool isDocumentEdited() const { return m_vc.isDocumentEdited(); }
    void undo() { m_vc.undo(); }
    void redo() { m_vc.redo(); }

    // ---- Selection
    void setSelectedRows(const QList<int> &rows) { m_table.setSelectedRows(rows); }
    const QList<int> &selectedRows() const { return m_table.selectedRows(); }
    ContactTable selectedContacts() const { return m_table.selectedContacts(); }

    // ---- Commands: the window controller's rules (Document's and the view controller's first).
    CommandState validateCommand(const CommandItem &item, const WindowState &window = {}) const;

signals:
    // One user action is over, or undone, or redone; or the structure of the table changed.
    void contactsChanged(const ChangeNotice &notice);
    void editStateChanged(bool editable);
    void documentEditedChanged(bool edited);
    // The columns changed (view type, items menu): the view lays out its header again.
    void columnsChanged();
    void closed();

protected:
    // Subclasses let go of what they hold of the contacts before the hub does.
    virtual void releaseContacts() { }

private:
    void applyColumns();
    void applyLastSort(const ContactGroupPtr &group, const std::shared_ptr<const PreparedRows> &prepared);

    UserDefaults &m_defaults;
    ViewTypes m_viewTypes;
    ViewController m_vc;
    ContactsViewController m_table;
    ContactTableModel m_model;
    GroupViewController m_groups;
    QString m_documentName;
    QString m_fileType;
    bool m_open = false;
};
