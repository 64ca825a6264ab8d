#include "common/TestPaths.h"
#include "model/VCardSerialization.h"
#include "model/VCardTestSupport.h"

#include <QDirIterator>
#include <gtest/gtest.h>

// Cards written by many real clients: each file is read or rejected with a reason, never a crash,
// and every contact read survives a write and a second read unchanged.
TEST(VCardReaderCorpusTest, EveryFileReadsAndRoundTrips)
{
    const QString folder = TestPaths::shared(QStringLiteral("corpus/vcard"));
    if (!TestPaths::haveShared(QStringLiteral("corpus/vcard")))
        GTEST_SKIP() << "no shared corpus at " << folder.toStdString();
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    ASSERT_FALSE(files.isEmpty());

    int parsedFiles = 0;
    int contactsRead = 0;
    for (const QString &path : std::as_const(files)) {
        const std::string name = QDir(folder).relativeFilePath(path).toStdString();
        QString error;
        const QList<StoreContact> contacts
            = VCardSerialization::contactsWithData(VCardTestSupport::readFile(path), &error);
        if (contacts.isEmpty()) {
            EXPECT_FALSE(error.isEmpty()) << name << ": rejected without a reason";
            std::printf("rejected %s: %s\n", name.c_str(), qPrintable(error));
            continue;
        }
        if (!error.isEmpty())
            std::printf("partly read %s: %s\n", name.c_str(), qPrintable(error));
        ++parsedFiles;
        contactsRead += int(contacts.size());
        QString writeError;
        const QByteArray written = VCardSerialization::dataWithContacts(contacts, &writeError);
        ASSERT_TRUE(writeError.isEmpty()) << name;
        QString rereadError;
        const QList<StoreContact> reread = VCardSerialization::contactsWithData(written, &rereadError);
        ASSERT_EQ(reread.size(), contacts.size()) << name << ": " << rereadError.toStdString();
        for (qsizetype i = 0; i < contacts.size(); ++i) {
            const StoreContact before = VCardTestSupport::withoutNoteAndImages(contacts[i]);
            const StoreContact after = VCardTestSupport::withoutNoteAndImages(reread[i]);
            EXPECT_TRUE(before == after)
                << name << " contact " << i
                << " differs in: " << VCardTestSupport::describeDifference(before, after) << "\n"
                << written.toStdString();
        }
    }
    std::printf("%d of %d files read, %d contacts\n", parsedFiles, int(files.size()), contactsRead);
}
