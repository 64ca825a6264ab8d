#include "common/TestPaths.h"
#include "model/CorpusMalformed.h"
#include "model/VCardSerialization.h"
#include "model/VCardTestSupport.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <span>

// Cards written by many real clients: each file is read, or rejected with a reason when it is one of
// the few known to be malformed, never a crash; every contact read survives a write and a second read
// unchanged.
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
        const QString relative = QDir(folder).relativeFilePath(path);
        const std::string name = relative.toStdString();
        QString error;
        const QList<StoreContact> contacts
            = VCardSerialization::contactsWithData(VCardTestSupport::readFile(path), &error);
        const bool knownRejected = CorpusMalformed::find(std::begin(CorpusMalformed::Rejected),
                                       std::end(CorpusMalformed::Rejected), relative)
            != nullptr;
        const bool knownPartly = CorpusMalformed::find(std::begin(CorpusMalformed::PartlyRead),
                                     std::end(CorpusMalformed::PartlyRead), relative)
            != nullptr;
        if (contacts.isEmpty()) {
            EXPECT_FALSE(error.isEmpty()) << name << ": rejected without a reason";
            EXPECT_TRUE(knownRejected) << name << " is rejected: " << error.toStdString();
            continue;
        }
        EXPECT_FALSE(knownRejected) << name << " is listed as malformed but reads";
        EXPECT_EQ(knownPartly, !error.isEmpty())
            << name << (knownPartly ? " is listed as partly read but reads whole" : " is partly read: ")
            << error.toStdString();
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
    using Files = std::span<const CorpusMalformed::File>;
    for (const Files list : { Files(CorpusMalformed::Rejected), Files(CorpusMalformed::PartlyRead) }) {
        for (const CorpusMalformed::File &file : list)
            EXPECT_TRUE(files.contains(QDir(folder).filePath(QLatin1String(file.path))))
                << file.path << " is listed as malformed but is not in the corpus";
    }
    std::printf("%d of %d files read, %d contacts\n", parsedFiles, int(files.size()), contactsRead);
}
