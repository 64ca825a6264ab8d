#include "ui/window/DocumentWindow.h"

#include "document/ContactTransfer.h"
#include "document/Document.h"
#include "document/DocumentHub.h"
#include "document/VdirContactStore.h"
#include "find/SearchableDocumentHub.h"
#include "ui/dialogs/Alerts.h"
#include "ui/dialogs/ExportFlow.h"
#include "ui/dialogs/ImportFlow.h"
#include "ui/groups/GroupListView.h"
#include "ui/table/ContactTableView.h"
#include "ui/window/AboutDialog.h"
#include "ui/window/EditStateLine.h"
#include "ui/window/NavigateMenus.h"
#include "ui/window/WindowActions.h"
#include "ui/window/WindowFrame.h"
#include "ui/window/WindowIcons.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDialog>
#include <QFontMetricsF>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The preview's width and the information pane's limits, in points.
constexpr int PreviewPaneWidth = 290;
constexpr int InfoPaneMinimumWidth = 350;
constexpr int InfoPaneMaximumWidth = 550;
constexpr int GroupListWidth = 180;
// Wide enough for "All Contacts" and its Japanese, which the first run's 900 points would otherwise cut.
constexpr int GroupListMinimumWidth = 170;

TextMetrics metricsOf(const QFont &font)
{
    const QFontMetricsF metrics(font);
    TextMetrics text;
    text.ascent = metrics.ascent();
    text.descent = metrics.descent();
    text.leading = metrics.leading();
    text.pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : UserDefaults::DefaultFontSize;
    text.horizontalAdvance = [metrics](const QString &line) { return metrics.horizontalAdvance(line); };
    return text;
}

// The address books of the folders in the preferences are read by the window's hub.
DocumentHub::Options hubOptions(UserDefaults &defaults)
{
    DocumentHub::Options options;
    options.store = VdirContactStore::fromUserDefaults(defaults);
    return options;
}

QFont systemFont()
{
    QFont font = QApplication::font();
    font.setPointSizeF(UserDefaults::DefaultFontSize);
    return font;
}

} // namespace

DocumentWindow::DocumentWindow(std::unique_ptr<Document> document, UserDefaults &defaults, QWidget *parent)
    : QMainWindow(parent)
    , m_hub(std::make_unique<SearchableDocumentHub>(defaults, hubOptions(defaults)))
{
    setObjectName(QStringLiteral("documentWindow"));
    if (!document)
        document = std::make_unique<Document>();
    m_hub->open(document->makeWindowData());
    document.reset();

    m_actions = new WindowActions(this);
    m_menus = new NavigateMenus(*m_hub, *m_actions, this);
    buildPanes();
    buildMenus();
    buildToolbar();
    connectCommands();
    connectTools();
    connectEditors();
    connectPrint();
    connectStyle();
    connectFind();
    connectAddressBooks();
    connectHub();
    m_import = new ImportFlow(this, m_exportCommands, &defaults.settings(), this);
    m_export = new ExportFlow(this, m_exportCommands, this);
    connect(m_import, &ImportFlow::contactsChosen, this, [this](const ContactTable &entries) {
        runNamed(
            tr("Import"), [&] { m_hub->viewController().undoAddContacts(entries, m_hub->selectedGroup()); });
        m_hub->viewController().setDocumentEdited(true);
    });

    applyStoredFont();
    const QString name = m_hub->documentName();
    WindowFrame::restore(this, defaults, name);
    // The first start shows the group list and remembers that; later ones keep what was chosen last.
    const std::optional<bool> showGroups = defaults.showGroupView();
    if (!showGroups)
        defaults.setShowGroupView(true);
    showGroupView(showGroups.value_or(true));
    showContactInfo(false);

    updateTitle();
    updateEditState();
    m_table->showSelection(m_hub->selectedRows());
    m_hub->setSelectedRows(m_hub->selectedRows());
    m_table->setFocus();
}

DocumentHub &DocumentWindow::hub()
{
    return *m_hub;
}

DocumentWindow::~DocumentWindow()
{
    if (!m_closed)
        m_hub->close();
}

void DocumentWindow::buildPanes()
{
    m_previewPane = new QWidget(this);
    m_previewPane->setObjectName(QStringLiteral("previewPane"));
    m_previewPane->setFixedWidth(PreviewPaneWidth);
    m_previewPane->setLayout(new QVBoxLayout);
    m_previewPane->layout()->setContentsMargins(0, 0, 0, 0);
    m_previewPane->hide();

    m_groups = new GroupListView(*m_hub, this);
    m_groups->addActions({ m_actions->action(WindowActions::Extra::NewGroup),
        m_actions->action(WindowActions::Extra::DeleteGroup) });

    m_table = new ContactTableView(*m_hub, this);
    m_table->setObjectName(QStringLiteral("contactTable"));

    m_infoPane = new QWidget(this);
    m_infoPane->setObjectName(QStringLiteral("infoPane"));
    m_infoPane->setMinimumWidth(InfoPaneMinimumWidth);
    m_infoPane->setMaximumWidth(InfoPaneMaximumWidth);
    m_infoPane->setLayout(new QVBoxLayout);
    m_infoPane->layout()->setContentsMargins(0, 0, 0, 0);
    m_infoPane->hide();

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_previewPane);
    m_splitter->addWidget(m_groups);
    m_splitter->addWidget(m_table);
    m_splitter->addWidget(m_infoPane);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setStretchFactor(2, 1);
    m_splitter->setStretchFactor(3, 0);
    m_groups->setMinimumWidth(GroupListMinimumWidth);
    // The table takes what the window gains; at the first run's width the group list keeps its own.
    m_splitter->setSizes({ PreviewPaneWidth, GroupListWidth, 400, InfoPaneMinimumWidth });

    m_editLine = new EditStateLine(this);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_editLine);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);
}

void DocumentWindow::connectCommands()
{
    using Extra = WindowActions::Extra;
    WindowActions &a = *m_actions;
    a.setHandler(Command::ImportFromVCard, [this] { importFromVCard(); });
    a.setHandler(Command::ImportFromCSV, [this] { importFromCSV(); });
    a.setHandler(Command::ExportToVCard, [this] { exportToVCard(); });
    a.setHandler(Command::ExportToCSV, [this] { exportToCSV(); });
    a.setHandler(Command::Undo, [this] { m_hub->undo(); });
    a.setHandler(Command::Redo, [this] { m_hub->redo(); });
    a.setHandler(Command::ToggleContactInfo, [this] { showContactInfo(!isContactInfoVisible()); });
    a.setHandler(Command::ToggleGroupView, [this] {
        const bool show = !isGroupViewVisible();
        showGroupView(show);
        m_hub->defaults().setShowGroupView(show);
    });
    a.setHandler(Command::ToggleEdit, [this] {
        if (m_hub->editButtonEnabled())
            m_hub->setEditState(!m_hub->editState());
        refreshActions();
    });
    a.setHandler(Command::DeleteContacts, [this] { deleteContacts(); });
    a.setHandler(Command::DuplicateContacts, [this] { duplicateContacts(); });
    a.setHandler(Extra::Close, [this] { close(); });
    a.setHandler(Extra::Copy, [this] { copy(); });
    a.setHandler(Extra::CopyAsCsv, [this] { copyAsCsv(); });
    a.setHandler(Extra::Paste, [this] { paste(); });
    a.setHandler(Extra::SelectAll, [this] { selectAll(); });
    a.setHandler(Extra::NewGroup, [this] { addNewGroup(); });
    a.setHandler(Extra::DeleteGroup, [this] { deleteGroup(); });
    a.setHandler(Extra::Font, [this] { showFontDialog(); });
    a.setHandler(Extra::RevertToDefaultFont, [this] { revertToDefaultFont(); });
    a.setHandler(Extra::About, [this] { showAbout(); });
}

void DocumentWindow::connectHub()
{
    DocumentHub &hub = *m_hub;
    connect(&hub, &DocumentHub::contactsChanged, this, [this] {
        updateTitle();
        refreshActions();
    });
    connect(&hub, &DocumentHub::documentEditedChanged, this, &DocumentWindow::updateTitle);
    connect(&hub, &DocumentHub::editStateChanged, this, &DocumentWindow::updateEditState);
    connect(&hub, &DocumentHub::columnsChanged, this, &DocumentWindow::refreshActions);
    connect(&hub.undoManager(), &UndoManager::stateChanged, this, &DocumentWindow::refreshActions);
    connect(&hub.viewController(), &ViewController::selectionChanged, this, &DocumentWindow::refreshActions);
    connect(
        &hub.viewController(), &ViewController::groupSelectionChanged, this, &DocumentWindow::refreshActions);
    connect(&hub.groupList(), &GroupViewController::alertRequested, this,
        [this](const QString &message, const QString &informative) {
            Alerts::show(this, message, informative);
        });
    // The table view tells the hub what is selected and shows what the hub selects; the window only
    // follows the selection with its commands.
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &DocumentWindow::refreshActions);
    connect(m_groups->selectionModel(), &QItemSelectionModel::currentChanged, this,
        &DocumentWindow::refreshActions);
}

QToolButton *DocumentWindow::toolButton(const QString &objectName) const
{
    return m_toolbar ? m_toolbar->findChild<QToolButton *>(objectName) : nullptr;
}

bool DocumentWindow::isGroupViewVisible() const
{
    return m_state.groupViewVisible;
}

bool DocumentWindow::isContactInfoVisible() const
{
    return m_state.contactInfoVisible;
}

void DocumentWindow::showGroupView(bool show)
{
    m_state.groupViewVisible = show;
    m_groups->setVisible(show);
    m_hub->groupList().setOutlineViewHidden(!show);
    if (!show)
        m_table->setFocus();
    refreshActions();
}

void DocumentWindow::showContactInfo(bool show)
{
    m_state.contactInfoVisible = show;
    m_infoPane->setVisible(show);
    if (show && m_infoPane->layout()->count() > 0)
        m_infoPane->setFocus();
    refreshActions();
}

void DocumentWindow::setFindBarVisible(bool visible)
{
    m_state.findBarVisible = visible;
    refreshActions();
}

void DocumentWindow::setMergePanelOpen(bool open)
{
    m_state.mergePanelOpen = open;
    refreshActions();
}

void DocumentWindow::setLayoutMode(bool on)
{
    m_state.layoutMode = on;
    refreshActions();
}

void DocumentWindow::setPrintStyle(const QString &style)
{
    const bool changed = m_state.printStyle != style;
    m_state.printStyle = style;
    refreshActions();
    if (changed)
        emit printStyleChanged(style);
}

void DocumentWindow::setPaneContactHasPhones(bool hasPhones)
{
    m_state.paneContactHasPhones = hasPhones;
    refreshActions();
}

WindowState DocumentWindow::windowState() const
{
    WindowState state = m_state;
    state.isKeyWindow = isActiveWindow() || QApplication::activeWindow() == nullptr;
    return state;
}

void DocumentWindow::refreshActions()
{
    if (!m_actions || !m_hub->isOpen())
        return;
    m_actions->refresh(*m_hub, windowState());
    const ContactGroupPtr group = m_groups ? m_groups->currentGroup() : nullptr;
    m_actions->setExtraEnabled(WindowActions::Extra::DeleteGroup, m_hub->groupList().canDeleteGroup(group));
    m_actions->setExtraEnabled(WindowActions::Extra::NewGroup, m_hub->groupList().canAddGroup());
    const bool editing = m_hub->editState();
    m_actions->setExtraEnabled(WindowActions::Extra::Paste, editing);
    const bool rows = !m_hub->selectedRows().isEmpty();
    m_actions->setExtraEnabled(WindowActions::Extra::Copy, rows);
    m_actions->setExtraEnabled(WindowActions::Extra::CopyAsCsv, rows);
    emit actionsRefreshed();
}

void DocumentWindow::updateTitle()
{
    const QString name = m_hub->documentName().isEmpty() ? tr("Untitled") : m_hub->documentName();
    setWindowTitle(name + QStringLiteral("[*]"));
    setWindowModified(m_hub->isDocumentEdited());
}

void DocumentWindow::updateEditState()
{
    const bool editing = m_hub->editState();
    m_editLine->setEditing(editing);
    // The button shows what it does: lock while editing is on, edit while locked.
    m_actions->action(Command::ToggleEdit)
        ->setIcon(WindowIcons::icon(editing ? QStringLiteral("lock") : QStringLiteral("edit")));
    m_groups->updateTable();
    refreshActions();
}

void DocumentWindow::runNamed(const QString &name, const std::function<void()> &edit)
{
    UndoManager &undo = m_hub->undoManager();
    UndoManager::Group step(undo);
    edit();
    undo.setActionName(name);
}

// ---- Commands

void DocumentWindow::deleteContacts()
{
    if (!m_hub->validateCommand({ Command::DeleteContacts, {}, {} }, windowState()).enabled)
        return;
    const QList<int> rows = m_hub->selectedRows();
    const int first = rows.isEmpty() ? 0 : *std::min_element(rows.begin(), rows.end());
    const ContactTable selected = m_hub->selectedContacts();
    runNamed(tr("Delete Contacts"), [&] { m_hub->viewController().deleteContacts(selected, first); });
}

void DocumentWindow::duplicateContacts()
{
    if (!m_hub->validateCommand({ Command::DuplicateContacts, {}, {} }, windowState()).enabled)
        return;
    const ContactTable selected = m_hub->selectedContacts();
    runNamed(tr("Duplicate Contacts"), [&] { m_hub->viewController().duplicateContacts(selected); });
}

void DocumentWindow::addNewGroup()
{
    if (!m_hub->groupList().canAddGroup())
        return;
    ContactGroupPtr group;
    runNamed(tr("New Group"), [&] { group = m_hub->groupList().addGroup(); });
    if (!group)
        return;
    if (!isGroupViewVisible())
        showGroupView(true);
    m_groups->editGroupName(group);
}

void DocumentWindow::deleteGroup()
{
    const ContactGroupPtr group = m_groups->currentGroup();
    if (!m_hub->groupList().canDeleteGroup(group))
        return;
    runNamed(tr("Delete Group"), [&] { m_hub->groupList().deleteGroup(group); });
}

void DocumentWindow::importFromVCard()
{
    if (m_hub->validateCommand({ Command::ImportFromVCard, {}, {} }, windowState()).enabled)
        m_import->importFromVCard();
}

void DocumentWindow::importFromCSV()
{
    m_import->importFromCSV();
}

void DocumentWindow::exportToVCard()
{
    m_export->exportToVCard(m_hub->table().contactTable(), m_hub->selectedContacts());
}

void DocumentWindow::exportToCSV()
{
    m_export->exportToCSV(m_hub->table().contactTable(), m_hub->selectedContacts());
}

void DocumentWindow::copy()
{
    m_table->copy();
}

void DocumentWindow::copyAsCsv()
{
    m_table->copyAsCsv();
}

void DocumentWindow::paste()
{
    runNamed(tr("Paste"), [&] { m_table->paste(); });
}

void DocumentWindow::selectAll()
{
    m_table->selectAll();
}

// ---- Font

QFont DocumentWindow::tableFont() const
{
    return m_table->font();
}

void DocumentWindow::applyStoredFont()
{
    const TableFontSpec spec = m_hub->defaults().tableFont(m_hub->documentName());
    m_fontSpec = spec;
    QFont font = systemFont();
    if (!spec.isSystemFont()) {
        font = QFont(spec.family);
        font.setPointSizeF(std::max(spec.pointSize, UserDefaults::MinimumFontSize));
    }
    m_table->setFont(font);
    m_groups->setFont(font);
    m_hub->setTextMetrics(metricsOf(font));
    m_groups->applyRowHeight();
}

void DocumentWindow::setTableFont(const QFont &font)
{
    QFont chosen = font;
    if (chosen.pointSizeF() < UserDefaults::MinimumFontSize)
        chosen.setPointSizeF(UserDefaults::MinimumFontSize);
    m_fontSpec = TableFontSpec { chosen.family(), chosen.pointSizeF() };
    m_table->setFont(chosen);
    m_groups->setFont(chosen);
    m_hub->setTextMetrics(metricsOf(chosen));
    m_groups->applyRowHeight();
}

void DocumentWindow::revertToDefaultFont()
{
    if (m_fontSpec.isSystemFont() && m_fontSpec.pointSize == UserDefaults::DefaultFontSize)
        return;
    setTableFont(systemFont());
    m_fontSpec = TableFontSpec { QString(), UserDefaults::DefaultFontSize };
}

void DocumentWindow::showFontDialog()
{
    auto *dialog = new QFontDialog(tableFont(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(QStringLiteral("fontDialog"));
    connect(dialog, &QFontDialog::fontSelected, this, &DocumentWindow::setTableFont);
    dialog->open();
}

void DocumentWindow::showAbout()
{
    auto *about = new AboutDialog(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

// ---- Window events

void DocumentWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow() && !m_table->hasFocus() && !QApplication::focusWidget())
            m_table->setFocus();
        refreshActions();
    }
}

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closed)
        saveOnClose();
    event->accept();
}

void DocumentWindow::saveOnClose()
{
    m_closed = true;
    UserDefaults &defaults = m_hub->defaults();
    const QString name = m_hub->documentName();
    WindowFrame::save(this, defaults, name);
    defaults.setTableFont(name, m_fontSpec);
    m_hub->saveColumns(m_hub->columns());
    // The records are freed on a worker: closing a large document does not hold the window up.
    m_hub->close();
}
