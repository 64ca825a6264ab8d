#pragma once

#include "document/ContactStore.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <memory>

class UserDefaults;

// Address books kept as folders of one-contact vCard files, the way CardDAV sync tools leave them on
// disk: every subfolder of a configured folder is one address book, and the CATEGORIES of its cards
// are its groups. The folders are only read. A book is read once, on first use, and kept: what the
// window shows must not shift under it while the user works.
class VdirContactStore : public ContactStore
{
public:
    // Bounds on what one book may cost. A file past the size limit is skipped with a logged error;
    // files past the count limit are left unread (in name order) with one logged error.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;
    static constexpr int MaxFilesPerBook = 20000;
    static constexpr int MaxBooksPerFolder = 1000;
    static constexpr qint64 MaxDisplayNameSize = 1024;

    explicit VdirContactStore(const QStringList &folders);
    // The folders the user configured ("ZR1DaddressBookFolders").
    static std::shared_ptr<VdirContactStore> fromUserDefaults(UserDefaults &defaults);

    Result<Container> containers() override;
    Result<Group> groupsInContainer(const QString &containerIdentifier) override;
    Result<StoreContact> contactsInContainer(const QString &containerIdentifier) override;
    Result<StoreContact> contactsInGroup(
        const QString &containerIdentifier, const QString &groupIdentifier) override;

    // The group identifier of a category of a book.
    static QString groupIdentifier(const QString &containerIdentifier, const QString &category);

private:
    struct Card
    {
        StoreContact contact;
        QStringList categories;
    };
    struct Book
    {
        Status status = Status::Ok;
        QString error;
        QList<Card> cards;
        QStringList categories; // in order of first appearance
    };

    const Book &book(const QString &containerIdentifier);
    static Book readBook(const QString &path);
    static bool readCard(const QString &path, Card &card, QSet<QString> &identifiersSeen);

    QStringList m_folders;
    QSet<QString> m_knownBooks;
    bool m_listed = false;
    QHash<QString, Book> m_books;
};
