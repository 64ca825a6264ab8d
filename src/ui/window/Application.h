#pragma once

#include "document/UserDefaults.h"
#include "formats/TextEncodings.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class Document;
struct DocumentReadResult;
class QAction;
class QMenu;
class QMessageBox;
class QSettings;
class QWidget;
class ReadProgress;
class RecentFiles;

// What the whole program shares, beside the QApplication: the settings, the files opened last, the
// find text every window's find bar starts from (kept across restarts: there is no system find
// pasteboard here), the restore-defaults question at start, and one window per open file. Opening
// reads the file on a worker behind the progress window; the window itself is made by the factory
// the window layer sets, so this class knows nothing of what a document window holds.
class Application : public QObject
{
    Q_OBJECT
public:
    // Makes (but need not show) the window of a document that was read, or of a new one.
    using WindowFactory = std::function<QWidget *(std::unique_ptr<Document> document)>;

    static const QString FindTextKey;

    explicit Application(QSettings &settings, QObject *parent = nullptr);
    ~Application() override;
    // The one made by main(); null before it and in tests that make none.
    static Application *instance();

    QSettings &settings() { return m_settings; }
    UserDefaults &userDefaults() { return m_defaults; }
    RecentFiles &recentFiles() { return *m_recent; }

    // The start: with Shift, Control and Alt held, asks whether to restore the default preferences
    // first; then opens each file in its window, or a new empty document when there is none.
    void start(const QStringList &files, Qt::KeyboardModifiers modifiers);
    static bool wantsRestoreDefaults(Qt::KeyboardModifiers modifiers);
    // Asks "Would you like to restore default preferences?"; OK forgets every setting.
    QMessageBox *askToRestoreDefaults(QWidget *window, std::function<void()> then = {});
    void restoreDefaults();

    // The window layer's factory; until it is set a plain window stands in.
    void setWindowFactory(WindowFactory factory) { m_factory = std::move(factory); }
    // How long the progress window of an opening stays up at least.
    void setMinimumOpenDuration(int milliseconds) { m_minimumOpenDuration = milliseconds; }

    QWidget *newDocument();
    // Opens the file in a window of its own, or brings its window forward when it is open already.
    // encoding: what the text is read in, 0 to detect it.
    void openFile(const QString &path, TextEncoding::Number encoding = TextEncoding::Automatic);
    // The "Open…" dialog with the encoding pop-up.
    void showOpenPanel(QWidget *window = nullptr);
    void showPreferences(QWidget *window);
    // Closes every window; quits when all of them closed.
    void quit();

    QList<QWidget *> windows() const;
    QWidget *windowForFile(const QString &path) const;
    bool isOpening() const { return !m_pending.empty(); }

    // Application-wide commands, for every window's menus.
    QAction *openAction() const { return m_openAction; }
    QAction *quitAction() const { return m_quitAction; }
    QAction *preferencesAction() const { return m_preferencesAction; }
    // An "Open Recent" menu that follows the list.
    QMenu *makeRecentFilesMenu(QWidget *parent);

    // Asked before the address-book folders change: which books the new folders would drop that a
    // window can't let go of (it has changes in them), as lines the user reads. The guard goes with
    // its owner.
    using AddressBookGuard = std::function<QStringList(const QStringList &folders)>;
    void addAddressBookGuard(QObject *owner, AddressBookGuard guard);
    QStringList addressBooksInUse(const QStringList &folders) const;

    QString findText() const { return m_findText; }
    void setFindText(const QString &text);

signals:
    void windowOpened(QWidget *window, const QString &path);
    // The last window closed, and nothing is being opened or said: the program may end.
    void allWindowsClosed();
    void findTextChanged(const QString &text);
    void addressBookFoldersChanged(const QStringList &folders);
    void defaultsRestored();

private:
    struct Pending;
    void openFiles(const QStringList &files);
    void finishOpen(ReadProgress *read, const DocumentReadResult &result);
    QWidget *showWindow(std::unique_ptr<Document> document, const QString &path);
    QWidget *makeStandInWindow(std::unique_ptr<Document> document);
    QWidget *activeDocumentWindow() const;
    void holdUntilClosed(QMessageBox *box);
    void checkAllClosed();

    QSettings &m_settings;
    UserDefaults m_defaults;
    RecentFiles *m_recent;
    QString m_findText;
    WindowFactory m_factory;
    int m_minimumOpenDuration = 1000;
    std::map<ReadProgress *, std::unique_ptr<Pending>> m_pending;
    QList<QPointer<QWidget>> m_windows;
    int m_openAlerts = 0;
    std::vector<std::pair<QPointer<QObject>, AddressBookGuard>> m_addressBookGuards;
    QAction *m_openAction;
    QAction *m_quitAction;
    QAction *m_preferencesAction;
};
