#include "GroupListTestSupport.h"
#include "document/DocumentHub.h"
#include "document/GroupViewController.h"
#include "document/UserDefaults.h"
#include "document/VdirContactStore.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/ZRPerson.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray card(const QString &uid, const QString &name, const QString &extra = QString())
{
    QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\n"_s;
    if (!uid.isEmpty())
        text += u"UID:"_s + uid + u"\r\n"_s;
    text += u"N:%1;;;;\r\nFN:%1\r\n"_s.arg(name) + extra + u"END:VCARD\r\n"_s;
    return text.toUtf8();
}

// Two address books as a sync tool leaves them: "personal" (with its own display name) and "work",
// besides files that are no cards or broken ones.
class VdirStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath(u"personal"_s);
        QDir(root.path()).mkpath(u"work"_s);
        write(u"personal/displayname"_s, "Personal\n");
        write(u"personal/a.vcf"_s, card(u"uid-ann"_s, u"Ann"_s, u"CATEGORIES: Friends ,Golf\r\n"_s));
        // Categories folded over two lines, with parameters and an escaped comma.
        write(u"personal/b.vcf"_s,
            card(u"uid-bob"_s, u"Bob"_s, u"item1.CATEGORIES;CHARSET=UTF-8:Friends,Tea\\, \r\n Coffee\r\n"_s));
        write(u"personal/c.VCF"_s, card(QString(), u"Cy"_s, u"CATEGORIES:Chess\r\n"_s)); // no UID
        write(u"personal/d.vcf"_s, card(u"uid-ann"_s, u"Dee"_s)); // a UID another card took
        write(u"personal/e.vcf"_s, card(u"uid-eve"_s, u"Eve"_s) + card(u"uid-fay"_s, u"Fay"_s));
        write(u"personal/broken.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Half");
        write(u"personal/notes.txt"_s, card(u"uid-txt"_s, u"Txt"_s));
        write(u"personal/empty.vcf"_s, QByteArray());
        write(u"work/w.vcf"_s, card(u"uid-wu"_s, u"Wu"_s, u"CATEGORIES:Clients\r\n"_s));
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QString book(const QString &name) const { return QFileInfo(root.filePath(name)).canonicalFilePath(); }

    static QStringList names(const QList<StoreContact> &contacts)
    {
        QStringList list;
        for (const StoreContact &c : contacts)
            list << c.familyName;
        return list;
    }

    // Every file's name, size, time and content, to show the store writes nothing.
    QStringList snapshot() const
    {
        QStringList lines;
        QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            QByteArray hash;
            if (info.isFile()) {
                QFile f(info.filePath());
                if (f.open(QIODevice::ReadOnly))
                    hash = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
            }
            lines << u"%1 %2 %3 %4"_s.arg(info.filePath())
                         .arg(info.size())
                         .arg(info.lastModified().toMSecsSinceEpoch())
                         .arg(QString::fromLatin1(hash));
        }
        lines.sort();
        return lines;
    }

    QTemporaryDir root;
};

} // namespace

TEST_F(VdirStoreTest, EverySubfolderIsOneAddressBookWhoseCategoriesAreItsGroups)
{
    // The same folder configured twice, and one that does not exist.
    VdirContactStore store({ root.path(), root.path() + u"/"_s, root.filePath(u"missing"_s) });
    LogCapture log;
    const auto containers = store.containers();
    ASSERT_TRUE(containers.ok());
    ASSERT_EQ(containers.items.size(), 2);
    EXPECT_EQ(containers.items.at(0).name, u"Personal"_s);
    EXPECT_EQ(containers.items.at(0).identifier, book(u"personal"_s));
    EXPECT_EQ(containers.items.at(1).name, u"work"_s);
    EXPECT_EQ(LogCapture::count(u"missing, not a folder"_s), 1);

    const auto groups = store.groupsInContainer(book(u"personal"_s));
    ASSERT_TRUE(groups.ok());
    QStringList groupNames;
    for (const auto &group : groups.items)
        groupNames << group.name;
    EXPECT_EQ(groupNames, (QStringList { u"Friends"_s, u"Golf"_s, u"Tea, Coffee"_s, u"Chess"_s }));

    const auto friends = store.contactsInGroup(book(u"personal"_s), groups.items.at(0).identifier);
    ASSERT_TRUE(friends.ok());
    EXPECT_EQ(names(friends.items), (QStringList { u"Ann"_s, u"Bob"_s }));
    const auto work = store.contactsInGroup(
        book(u"work"_s), VdirContactStore::groupIdentifier(book(u"work"_s), u"Clients"_s));
    EXPECT_EQ(names(work.items), (QStringList { u"Wu"_s }));

    // Groups are per book: another book's group, or an unknown book, is not answered.
    EXPECT_EQ(store.contactsInGroup(book(u"work"_s), groups.items.at(0).identifier).status,
        ContactStore::Status::Error);
    EXPECT_EQ(store.groupsInContainer(QString()).status, ContactStore::Status::UnknownContainer);
    EXPECT_EQ(store.contactsInContainer(root.path()).status, ContactStore::Status::UnknownContainer);
}

TEST_F(VdirStoreTest, BadFilesAreSkippedWithALoggedErrorAndIdentifiersStayStable)
{
    // A pipe named like a card would block a reader for good; a file past the size bound is not read.
    ASSERT_EQ(::mkfifo(QFile::encodeName(root.filePath(u"personal/pipe.vcf"_s)).constData(), 0600), 0);
    {
        QFile huge(root.filePath(u"personal/huge.vcf"_s));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(VdirContactStore::MaxFileSize + 1));
    }
    const QStringList before = snapshot();

    LogCapture log;
    VdirContactStore store({ root.path() });
    const auto contacts = store.contactsInContainer(book(u"personal"_s));
    ASSERT_TRUE(contacts.ok());
    // Ann, Bob, Cy, Dee and Eve; not the text file, the broken, empty, huge or pipe ones.
    EXPECT_EQ(names(contacts.items), (QStringList { u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Dee"_s, u"Eve"_s }));
    EXPECT_EQ(LogCapture::count(u"ERROR can't read "_s + root.filePath(u"personal/broken.vcf"_s)), 1);
    EXPECT_EQ(LogCapture::count(u"ERROR can't read "_s + root.filePath(u"personal/empty.vcf"_s)), 1);
    EXPECT_EQ(LogCapture::count(u"personal/huge.vcf, larger than"_s), 1);
    EXPECT_EQ(LogCapture::count(u"personal/e.vcf holds 2 cards"_s), 1);
    EXPECT_EQ(LogCapture::count(u"notes.txt"_s), 0);

    // The UID where there is one; a card without one, or whose UID is taken, by its file name.
    QStringList ids;
    for (const StoreContact &c : contacts.items)
        ids << c.identifier;
    EXPECT_EQ(ids, (QStringList { u"uid-ann"_s, u"uid-bob"_s, u"c.VCF"_s, u"d.vcf"_s, u"uid-eve"_s }));
    // Asked again, the same identifiers: groups find their members by them.
    EXPECT_EQ(store.contactsInContainer(book(u"personal"_s)).items.at(2).identifier, u"c.VCF"_s);

    EXPECT_EQ(snapshot(), before);
}

TEST_F(VdirStoreTest, TheGroupListShowsTheConfiguredBooksAndTheirGroups)
{
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(u"d.ini"_s), QSettings::IniFormat);
    UserDefaults defaults(settings);
    defaults.setAddressBookFolders({ root.path() });
    const QStringList before = snapshot();

    ViewController controller;
    GroupViewController list(&controller, VdirContactStore::fromUserDefaults(defaults), &defaults);
    controller.setContainerTable(list.loader().containersFromStore());
    list.outlineWillAppear();

    const ContactContainerPtr personal = controller.containerTable().at(0);
    ASSERT_EQ(personal->groups.size(), 5);
    const ContactGroupPtr chess = personal->groups.at(4);
    EXPECT_EQ(chess->name, u"Chess"_s);
    list.groupSelectionDidChange(chess);
    ASSERT_TRUE(chess->contactTable.has_value());
    ASSERT_EQ(chess->contactTable->size(), 1);
    EXPECT_EQ(chess->contactTable->at(0)->person->valueForIdentifier(u"LastName"_s).toString(), u"Cy"_s);
    EXPECT_EQ(chess->contactTable->at(0)->person, personal->groups.at(0)->contactTable->at(2)->person);
    EXPECT_EQ(personal->groups.at(1)->contactTable->size(), 2); // Friends
    EXPECT_EQ(defaults.lastContainerIdentifier(), book(u"personal"_s));

    // Edits stay in the window; the folders are never written.
    controller.undoDeleteContacts(*chess->contactTable, personal->groups.at(0), true);
    list.deleteGroup(chess);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(VdirStoreTest, AWindowsHubShowsTheBooksBesideItsFile)
{
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath(u"d.ini"_s), QSettings::IniFormat);
    UserDefaults defaults(settings);
    defaults.setAddressBookFolders({ root.path() });
    DocumentHub::Options options;
    options.store = VdirContactStore::fromUserDefaults(defaults);
    DocumentHub hub(defaults, options);
    DocumentWindowData data;
    data.containerTable = { ZRvCard::makeVCardContainer() };
    data.selectedGroupDict = data.containerTable.first()->groups.first();
    hub.open(data);

    const ContainerTable &containers = hub.viewController().containerTable();
    ASSERT_EQ(containers.size(), 3);
    EXPECT_EQ(containers.at(0)->name, u"vCard"_s);
    EXPECT_EQ(containers.at(1)->name, u"Personal"_s);
    EXPECT_EQ(hub.selectedGroup(), data.selectedGroupDict) << "the file's contacts are shown first";
}
