// Inputs the vCard fuzz target once failed on (tests/data/vcard/fuzz): each must read, write and read
// again to the same contacts, as the fuzz target demands of every input.

#include "common/TestPaths.h"
#include "model/VCardSerialization.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

StoreContact withoutNoteAndImages(StoreContact contact)
{
    contact.note.clear();
    if (contact.hasExtras()) {
        contact.editExtras().imageData.clear();
        contact.editExtras().thumbnailImageData.clear();
    }
    return contact;
}

} // namespace

TEST(VCardFuzzFindingsTest, EachFindingReadsTheSameAfterAWrite)
{
    const QDir folder(TestPaths::data(u"vcard/fuzz"_s));
    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString error;
        const QList<StoreContact> read = VCardSerialization::contactsWithData(file.readAll(), &error);
        const QByteArray written = VCardSerialization::dataWithContacts(read, &error);
        const QList<StoreContact> again = VCardSerialization::contactsWithData(written, &error);
        ASSERT_EQ(again.size(), read.size()) << written.toStdString();
        for (qsizetype i = 0; i < read.size(); ++i)
            EXPECT_TRUE(withoutNoteAndImages(read[i]) == withoutNoteAndImages(again[i]))
                << written.toStdString();
    }
}
