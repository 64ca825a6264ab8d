#include "ui/window/Application.h"

#include "document/Document.h"
#include "document/DocumentHub.h"
#include "document/PreparedRows.h"
#include "ui/dialogs/Alerts.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/ReadProgress.h"
#include "ui/window/PreferencesDialog.h"
#include "ui/window/RecentFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>

namespace {

Application *theApplication = nullptr;

// The file a document window shows, as the window carries it.
const char *const PathProperty = "corvanthePath";

QString absolutePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

const QString Application::FindTextKey = QStringLiteral("FindText");

struct Application::Pending
{
    QString path;
    std::unique_ptr<Document> document;
    // Written by the reading worker before the read is delivered.
    std::shared_ptr<std::shared_ptr<const PreparedRows>> preparedRows;
};

Application::Application(QSettings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_defaults(settings)
    , m_recent(new RecentFiles(settings, this))
    , m_findText(settings.value(FindTextKey).toString())
    , m_openAction(new QAction(tr("Open…"), this))
    , m_quitAction(new QAction(tr("Quit"), this))
    , m_preferencesAction(new QAction(tr("Preferences…"), this))
{
    if (!theApplication)
        theApplication = this;
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/corvanthe/corvanthe.svg")));

    m_openAction->setShortcut(QKeySequence::Open);
    m_openAction->setStatusTip(tr("Open a vCard or CSV file"));
    connect(m_openAction, &QAction::triggered, this, [this] { showOpenPanel(activeDocumentWindow()); });
    m_quitAction->setShortcut(QKeySequence::Quit);
    m_quitAction->setMenuRole(QAction::QuitRole);
    connect(m_quitAction, &QAction::triggered, this, &Application::quit);
    m_preferencesAction->setShortcut(QKeySequence::Preferences);
    m_preferencesAction->setMenuRole(QAction::PreferencesRole);
    connect(
        m_preferencesAction, &QAction::triggered, this, [this] { showPreferences(activeDocumentWindow()); });
    connect(m_recent, &RecentFiles::openRequested, this, [this](const QString &path) { openFile(path); });
}

Application::~Application()
{
    // Reads still running are cancelled; their documents go with them.
    m_pending.clear();
    if (theApplication == this)
        theApplication = nullptr;
}

Application *Application::instance()
{
    return theApplication;
}

bool Application::wantsRestoreDefaults(Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    return (modifiers & all) == all;
}

void Application::start(const QStringList &files, Qt::KeyboardModifiers modifiers)
{
    if (!wantsRestoreDefaults(modifiers)) {
        openFiles(files);
        return;
    }
    askToRestoreDefaults(nullptr, [this, files] { openFiles(files); });
}

QMessageBox *Application::askToRestoreDefaults(QWidget *window, std::function<void()> then)
{
    QMessageBox *box = Alerts::restoreDefaults(window, [this, then = std::move(then)](bool ok) {
        if (ok)
            restoreDefaults();
        if (then)
            then();
    });
    holdUntilClosed(box);
    return box;
}

void Application::restoreDefaults()
{
    m_defaults.restoreDefaults();
    m_findText.clear();
    emit m_recent->changed();
    emit findTextChanged(m_findText);
    emit defaultsRestored();
}

void Application::openFiles(const QStringList &files)
{
    if (files.isEmpty()) {
        newDocument();
        return;
    }
    for (const QString &path : files)
        openFile(path);
}

QWidget *Application::newDocument()
{
    return showWindow(std::make_unique<Document>(), QString());
}

void Application::openFile(const QString &path, TextEncoding::Number encoding)
{
    const QString absolute = absolutePath(path);
    if (QWidget *open = windowForFile(absolute)) {
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    for (const auto &[read, pending] : m_pending)
        if (pending->path == absolute)
            return;

    auto pending = std::make_unique<Pending>();
    pending->path = absolute;
    pending->document = std::make_unique<Document>();
    pending->document->setDefaultEncoding(encoding);
    const QString type = ContactFileDialog::documentType(absolute);
    const TextEncoding::Number chosen = pending->document->beginRead(absolute, type);

    auto *read = new ReadProgress(this);
    read->setMinimumDuration(m_minimumOpenDuration);
    if (m_factory) {
        // A large file's first rows are sorted and built by the worker that reads it: the GUI thread
        // would stall for that long.
        pending->preparedRows = std::make_shared<std::shared_ptr<const PreparedRows>>();
        read->setAfterRead([prepare = DocumentHub::rowPreparer(m_defaults), rows = pending->preparedRows](
                               const DocumentReadResult &result, const std::atomic_bool *cancel) {
            *rows = prepare(result.contactTable, cancel);
        });
    }
    connect(read, &ReadProgress::finished, this,
        [this, read](const DocumentReadResult &result) { finishOpen(read, result); });
    m_pending.emplace(read, std::move(pending));
    read->start(nullptr, absolute, Document::formatForType(type), chosen);
}

void Application::finishOpen(ReadProgress *read, const DocumentReadResult &result)
{
    const auto found = m_pending.find(read);
    if (found == m_pending.end())
        return;
    std::unique_ptr<Pending> pending = std::move(found->second);
    m_pending.erase(found);
    read->deleteLater();

    DocumentError error;
    if (!pending->document->finishRead(result, &error)) {
        // A cancelled opening says nothing; a failed one says why. No window either way.
        if (error.isSet()) {
            if (!QFileInfo::exists(pending->path))
                m_recent->remove(pending->path);
            holdUntilClosed(
                Alerts::documentError(activeDocumentWindow(), error, pending->document->fileName()));
        }
        checkAllClosed();
        return;
    }
    m_recent->add(pending->path);
    if (pending->preparedRows)
        pending->document->setPreparedRows(std::move(*pending->preparedRows));
    const QList<ReadNotice> notices = pending->document->notices();
    QWidget *window = showWindow(std::move(pending->document), pending->path);
    // Cards that couldn't be read, a CSV file without header line: said on the new window.
    if (QMessageBox *box = Alerts::notices(window, notices))
        holdUntilClosed(box);
}

QWidget *Application::showWindow(std::unique_ptr<Document> document, const QString &path)
{
    QWidget *window = m_factory ? m_factory(std::move(document)) : makeStandInWindow(std::move(document));
    if (!window)
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setProperty(PathProperty, path);
    m_windows.append(window);
    // A widget says it is destroyed before its guards are cleared: it is removed by address.
    connect(window, &QObject::destroyed, this, [this](QObject *gone) {
        m_windows.removeIf([gone](const QPointer<QWidget> &w) { return w.isNull() || w.data() == gone; });
        checkAllClosed();
    });
    window->show();
    window->raise();
    window->activateWindow();
    emit windowOpened(window, path);
    return window;
}

QWidget *Application::makeStandInWindow(std::unique_ptr<Document> document)
{
    // A plain window with the application's commands, until the document window is built.
    auto *window = new QMainWindow;
    const QString name = document->fileName();
    window->setWindowTitle(name.isEmpty() ? tr("Untitled") : name);
    window->resize(900, 500);
    QMenu *file = window->menuBar()->addMenu(tr("File"));
    file->addAction(m_openAction);
    file->addMenu(makeRecentFilesMenu(window));
    file->addSeparator();
    file->addAction(m_preferencesAction);
    file->addSeparator();
    file->addAction(m_quitAction);
    return window;
}

QMenu *Application::makeRecentFilesMenu(QWidget *parent)
{
    return m_recent->makeMenu(parent);
}

void Application::showOpenPanel(QWidget *window)
{
    auto *panel = new ContactFileDialog(ContactFileDialog::Kind::OpenDocument, &m_settings, window);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    connect(panel, &QDialog::finished, this, [this, panel](int result) {
        const QString path = panel->chosenFile();
        if (result == QDialog::Accepted && !path.isEmpty())
            openFile(path, panel->encodingType());
    });
    panel->open();
}

void Application::showPreferences(QWidget *window)
{
    auto *dialog = new PreferencesDialog(m_defaults, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setRemovalCheck([this](const QStringList &folders) { return addressBooksInUse(folders); });
    connect(
        dialog, &PreferencesDialog::addressBookFoldersChanged, this, &Application::addressBookFoldersChanged);
    dialog->open();
}

void Application::addAddressBookGuard(QObject *owner, AddressBookGuard guard)
{
    std::erase_if(m_addressBookGuards, [](const auto &entry) { return entry.first.isNull(); });
    m_addressBookGuards.emplace_back(owner, std::move(guard));
}

QStringList Application::addressBooksInUse(const QStringList &folders) const
{
    QStringList uses;
    for (const auto &[owner, guard] : m_addressBookGuards) {
        if (owner)
            uses += guard(folders);
    }
    return uses;
}

void Application::quit()
{
    // Each window may still refuse (a running export); what closed is gone, the rest stays.
    const QList<QWidget *> open = windows();
    for (QWidget *window : open)
        window->close();
    checkAllClosed();
}

QList<QWidget *> Application::windows() const
{
    QList<QWidget *> list;
    for (const QPointer<QWidget> &window : m_windows)
        if (window)
            list.append(window);
    return list;
}

QWidget *Application::windowForFile(const QString &path) const
{
    const QString absolute = absolutePath(path);
    for (const QPointer<QWidget> &window : m_windows)
        if (window && window->property(PathProperty).toString() == absolute)
            return window;
    return nullptr;
}

QWidget *Application::activeDocumentWindow() const
{
    QWidget *active = QApplication::activeWindow();
    for (const QPointer<QWidget> &window : m_windows)
        if (window && window == active)
            return window;
    return nullptr;
}

void Application::setFindText(const QString &text)
{
    if (text == m_findText)
        return;
    m_findText = text;
    m_settings.setValue(FindTextKey, text);
    emit findTextChanged(text);
}

void Application::holdUntilClosed(QMessageBox *box)
{
    if (!box)
        return;
    ++m_openAlerts;
    connect(box, &QObject::destroyed, this, [this] {
        --m_openAlerts;
        checkAllClosed();
    });
}

void Application::checkAllClosed()
{
    if (windows().isEmpty() && m_pending.empty() && m_openAlerts == 0)
        emit allWindowsClosed();
}
