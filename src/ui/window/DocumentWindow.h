#pragma once

#include "document/Commands.h"
#include "document/ExportCommands.h"
#include "document/UserDefaults.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class ContactTableView;
class Document;
class DocumentHub;
class SearchableDocumentHub;
class EditStateLine;
class FindBar;
class ExportFlow;
class GroupListView;
class ImportFlow;
class NavigateMenus;
class PrintController;
class QSplitter;
class QToolBar;
class QToolButton;
class WindowActions;

// One open document's window: it holds the document's hub and shows it. From left to right the
// splitter holds the postcard preview (hidden until printing fills it), the group list, the contact
// table and the contact information pane (hidden until that pane fills it). Under the toolbar a thin
// line is red while editing is on. Every command is an action of actions(); menus, toolbar buttons and
// context menus show those actions, which follow the hub's rules on each of its notices.
//
// The places for later parts: previewPane() and infoPane() are empty containers to put a widget in;
// actions()->setHandler(...) gives a placed command (find bar, print, page setup, ZIP, QR code, merge,
// phone numbers, print style, style settings, Layout, the contact sheets) its work and shows it;
// setFindBarVisible(), setMergePanelOpen(), setLayoutMode() and setPrintStyle() tell the rules what those
// parts show.
class DocumentWindow : public QMainWindow
{
    Q_OBJECT

public:
    DocumentWindow(std::unique_ptr<Document> document, UserDefaults &defaults, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    DocumentHub &hub();
    // The same hub with its find controller, for the find bar and the find panel.
    SearchableDocumentHub &searchableHub() { return *m_hub; }
    ContactTableView *tableView() const { return m_table; }
    GroupListView *groupListView() const { return m_groups; }
    WindowActions *actions() const { return m_actions; }
    NavigateMenus *navigateMenus() const { return m_menus; }
    QToolBar *toolbar() const { return m_toolbar; }
    QSplitter *splitter() const { return m_splitter; }
    EditStateLine *editStateLine() const { return m_editLine; }
    FindBar *findBar() const { return m_findBar; }
    ImportFlow *importFlow() const { return m_import; }
    ExportFlow *exportFlow() const { return m_export; }
    // The toolbar button that shows an action or a pop-up menu.
    QToolButton *toolButton(const QString &objectName) const;

    // ---- Panes
    QWidget *previewPane() const { return m_previewPane; }
    QWidget *infoPane() const { return m_infoPane; }
    // The preview, layout mode, page setup, print and PDF of this window.
    PrintController *printController() const { return m_print; }
    bool isGroupViewVisible() const;
    bool isContactInfoVisible() const;
    void showGroupView(bool show);
    void showContactInfo(bool show);

    // ---- What later parts tell the rules
    void setFindBarVisible(bool visible);
    void setMergePanelOpen(bool open);
    void setLayoutMode(bool on);
    void setPrintStyle(const QString &style);
    QString printStyle() const { return m_state.printStyle; }
    void setPaneContactHasPhones(bool hasPhones);
    WindowState windowState() const;

    // ---- Font of the table and the group list
    QFont tableFont() const;
    void setTableFont(const QFont &font);
    void revertToDefaultFont();

    // ---- Commands a test or a later part may run directly
    void deleteContacts();
    void duplicateContacts();
    void addNewGroup();
    void deleteGroup();
    void importFromVCard();
    void importFromCSV();
    void exportToVCard();
    void exportToCSV();
    void copy();
    void copyAsCsv();
    void paste();
    void selectAll();
    void showFontDialog();
    void showAbout();

    // Enabled, checked and titled from the rules now.
    void refreshActions();

    // ---- The address books of the folders in the preferences
    void showAddressBooks(const QStringList &folders);
    // Books shown here that those folders would no longer hold and that have changes here, each as
    // a line the user reads ("“Work” in the window “people.vcf”").
    QStringList addressBooksInUse(const QStringList &folders) const;

signals:
    // The commands were enabled again from the rules: menus of their own (the phone layouts) follow.
    void actionsRefreshed();
    // The print style changed: the pop-up, the settings and the preview follow.
    void printStyleChanged(const QString &style);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildPanes();
    void buildMenus();
    void buildToolbar();
    void connectCommands();
    void connectTools();
    void connectEditors();
    void connectPrint();
    void connectStyle();
    void connectFind();
    void connectAddressBooks();
    void showContactInfoPopover(int row, const QRect &anchor);
    void connectHub();
    void updateTitle();
    void updateEditState();
    void applyStoredFont();
    void saveOnClose();
    // Runs an edit and, when it made an undo step, names the step for Undo and Redo.
    void runNamed(const QString &name, const std::function<void()> &edit);

    std::unique_ptr<SearchableDocumentHub> m_hub;
    ExportCommands m_exportCommands;
    WindowActions *m_actions = nullptr;
    NavigateMenus *m_menus = nullptr;
    ContactTableView *m_table = nullptr;
    GroupListView *m_groups = nullptr;
    QSplitter *m_splitter = nullptr;
    QWidget *m_previewPane = nullptr;
    QWidget *m_infoPane = nullptr;
    EditStateLine *m_editLine = nullptr;
    FindBar *m_findBar = nullptr;
    QToolBar *m_toolbar = nullptr;
    ImportFlow *m_import = nullptr;
    ExportFlow *m_export = nullptr;
    PrintController *m_print = nullptr;
    WindowState m_state;
    // The table font as the defaults describe it: empty family for the system font.
    TableFontSpec m_fontSpec;
    bool m_closed = false;
};
