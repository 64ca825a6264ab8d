#include "document/VdirContactStore.h"

#include "document/UserDefaults.h"
#include "model/VCardLineReader.h"
#include "model/VCardSerialization.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The optional file in which sync tools keep an address book's own name.
const QString DisplayNameFile = u"displayname"_s;
const QString CardFilePattern = u"*.vcf"_s;

void logUnreadable(const char *function, const QString &path, const QString &reason)
{
    qWarning("%s: ERROR can't read %s, %s", function, qUtf8Printable(path), qUtf8Printable(reason));
}

QString displayNameOf(const QDir &dir)
{
    QFile file(dir.filePath(DisplayNameFile));
    if (file.open(QIODevice::ReadOnly)) {
        const QString name = QString::fromUtf8(file.read(VdirContactStore::MaxDisplayNameSize))
                                 .section(u'\n', 0, 0)
                                 .trimmed();
        if (!name.isEmpty())
            return name;
    }
    return dir.dirName();
}

} // namespace

VdirContactStore::VdirContactStore(const QStringList &folders)
    : m_folders(folders)
{
}

std::shared_ptr<VdirContactStore> VdirContactStore::fromUserDefaults(UserDefaults &defaults)
{
    return std::make_shared<VdirContactStore>(defaults.addressBookFolders());
}

QString VdirContactStore::groupIdentifier(const QString &containerIdentifier, const QString &category)
{
    return containerIdentifier + u'#' + category;
}

ContactStore::Result<ContactStore::Container> VdirContactStore::containers()
{
    Result<Container> result;
    m_knownBooks.clear();
    for (const QString &folder : m_folders) {
        const QFileInfo info(folder);
        if (folder.isEmpty() || !info.isDir()) {
            logUnreadable(Q_FUNC_INFO, folder, u"not a folder"_s);
            continue;
        }
        const QDir dir(info.absoluteFilePath());
        const QFileInfoList books
            = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name);
        if (books.size() > MaxBooksPerFolder)
            logUnreadable(Q_FUNC_INFO, folder, u"more than %1 address books"_s.arg(MaxBooksPerFolder));
        for (const QFileInfo &bookInfo : books.mid(0, MaxBooksPerFolder)) {
            const QString identifier = bookInfo.canonicalFilePath();
            // Two configured folders may overlap; a book is one container however it is reached.
            if (identifier.isEmpty() || m_knownBooks.contains(identifier))
                continue;
            m_knownBooks.insert(identifier);
            result.items.append({ identifier, displayNameOf(QDir(identifier)) });
        }
    }
    m_listed = true;
    return result;
}

const VdirContactStore::Book &VdirContactStore::book(const QString &containerIdentifier)
{
    if (!m_listed)
        containers();
    static const Book unknown { Status::UnknownContainer, u"no such address book"_s, {}, {} };
    if (!m_knownBooks.contains(containerIdentifier))
        return unknown;
    auto it = m_books.find(containerIdentifier);
    if (it == m_books.end())
        it = m_books.insert(containerIdentifier, readBook(containerIdentifier));
    return *it;
}

VdirContactStore::Book VdirContactStore::readBook(const QString &path)
{
    Book book;
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable()) {
        book.status = Status::Error;
        book.error = u"the folder %1 can't be read"_s.arg(path);
        return book;
    }
    QDir dir(path);
    dir.setNameFilters({ CardFilePattern });
    // Plain files only: a FIFO or device named like a card would block the read for good.
    const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (files.size() > MaxFilesPerBook)
        logUnreadable(Q_FUNC_INFO, path, u"more than %1 files; the rest are left out"_s.arg(MaxFilesPerBook));
    QSet<QString> identifiersSeen;
    QSet<QString> categoriesSeen;
    for (const QFileInfo &file : files.mid(0, MaxFilesPerBook)) {
        Card card;
        if (!readCard(file.absoluteFilePath(), card, identifiersSeen))
            continue;
        for (const QString &category : std::as_const(card.categories)) {
            if (!categoriesSeen.contains(category)) {
                categoriesSeen.insert(category);
                book.categories.append(category);
            }
        }
        book.cards.append(std::move(card));
    }
    return book;
}

bool VdirContactStore::readCard(const QString &path, Card &card, QSet<QString> &identifiersSeen)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        logUnreadable(Q_FUNC_INFO, path, u"not a plain file"_s);
        return false;
    }
    if (info.size() > MaxFileSize) {
        logUnreadable(Q_FUNC_INFO, path, u"larger than %1 bytes"_s.arg(MaxFileSize));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        logUnreadable(Q_FUNC_INFO, path, file.errorString());
        return false;
    }
    // The size may have changed since it was looked at: never read past the bound.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        logUnreadable(Q_FUNC_INFO, path, u"larger than %1 bytes"_s.arg(MaxFileSize));
        return false;
    }

    if (bytes.isEmpty()) {
        // The line reader is never handed a null buffer.
        logUnreadable(Q_FUNC_INFO, path, u"empty file"_s);
        return false;
    }

    int cards = 0;
    QString uid;
    QString readError;
    VCardLineReader::readCards(
        bytes,
        [&](const VCardCard &vcard) {
            if (cards++ > 0)
                return; // one contact per file; a second card is not this contact's
            for (const VCardProperty &property : vcard.properties) {
                if (property.nameIs("CATEGORIES")) {
                    const QString text = VCardLineReader::decodedText(property);
                    for (const QString &piece : VCardLineReader::components(text, u',', 4096)) {
                        const QString name = piece.trimmed();
                        if (!name.isEmpty() && !card.categories.contains(name))
                            card.categories.append(name);
                    }
                } else if (property.nameIs("UID") && uid.isEmpty()) {
                    uid = VCardLineReader::unescape(VCardLineReader::decodedText(property)).trimmed();
                }
            }
        },
        &readError);

    QString error;
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(bytes, &error);
    if (contacts.isEmpty()) {
        logUnreadable(Q_FUNC_INFO, path, error.isEmpty() ? readError : error);
        return false;
    }
    if (cards > 1)
        qWarning(
            "%s: ERROR %s holds %d cards; only the first is read", Q_FUNC_INFO, qUtf8Printable(path), cards);
    card.contact = contacts.first();
    // Groups find their members by identifier on every fetch, so it must not change between
    // fetches: a card without a UID (or with one another card took) is known by its file name.
    QString identifier = uid;
    if (identifier.isEmpty() || identifiersSeen.contains(identifier))
        identifier = info.fileName();
    identifiersSeen.insert(identifier);
    card.contact.identifier = identifier;
    return true;
}

ContactStore::Result<ContactStore::Group> VdirContactStore::groupsInContainer(
    const QString &containerIdentifier)
{
    const Book &b = book(containerIdentifier);
    Result<Group> result { b.status, b.error, {} };
    for (const QString &category : b.categories)
        result.items.append({ groupIdentifier(containerIdentifier, category), category });
    return result;
}

ContactStore::Result<StoreContact> VdirContactStore::contactsInContainer(const QString &containerIdentifier)
{
    const Book &b = book(containerIdentifier);
    Result<StoreContact> result { b.status, b.error, {} };
    for (const Card &card : b.cards)
        result.items.append(card.contact);
    return result;
}

ContactStore::Result<StoreContact> VdirContactStore::contactsInGroup(
    const QString &containerIdentifier, const QString &groupIdentifier)
{
    const Book &b = book(containerIdentifier);
    Result<StoreContact> result { b.status, b.error, {} };
    if (!result.ok())
        return result;
    const QString prefix = containerIdentifier + u'#';
    const QString category
        = groupIdentifier.startsWith(prefix) ? groupIdentifier.mid(prefix.size()) : QString();
    if (category.isEmpty() || !b.categories.contains(category)) {
        result.status = Status::Error;
        result.error = u"no group %1"_s.arg(groupIdentifier);
        return result;
    }
    for (const Card &card : b.cards) {
        if (card.categories.contains(category))
            result.items.append(card.contact);
    }
    return result;
}
