#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class UserDefaults;

// The application's preferences: the folders whose address books (one subfolder per book, one vCard
// file per contact) the group list shows. OK keeps the list; Cancel leaves it as it was.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesDialog(UserDefaults &defaults, QWidget *parent = nullptr);

    QStringList folders() const;
    void addFolder(const QString &path);
    QListWidget *folderList() const { return m_list; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *removeButton() const { return m_remove; }
    // The address books found in the selected folder.
    QString booksText() const;
    // Asked on OK with the folders chosen: the books they would drop that can't go now, as lines the
    // user reads. Any line keeps the dialog open, with an alert that says why.
    void setRemovalCheck(std::function<QStringList(const QStringList &folders)> check)
    {
        m_removalCheck = std::move(check);
    }

    void accept() override;

signals:
    void addressBookFoldersChanged(const QStringList &folders);

private:
    void chooseFolder();
    void removeSelected();
    void showBooks();

    UserDefaults &m_defaults;
    QListWidget *m_list;
    QPushButton *m_add;
    QPushButton *m_remove;
    QLabel *m_books;
    std::function<QStringList(const QStringList &folders)> m_removalCheck;
};
