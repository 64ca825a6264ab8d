// Every file of the shared corpus of real-world vCards: read without a crash, and every record field
// survives writing the record out and reading it back.

#include "common/TestPaths.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QList<QByteArray> cutIntoCards(const QByteArray &text)
{
    QList<QByteArray> cards;
    const QByteArray lower = text.toLower();
    qsizetype position = 0;
    while (true) {
        const qsizetype begin = lower.indexOf("begin:vcard", position);
        if (begin < 0)
            break;
        const qsizetype end = lower.indexOf("end:vcard", begin + 11);
        if (end < 0)
            break;
        cards.append(text.mid(begin, end + 9 - begin) + "\r\n");
        position = end + 9;
    }
    return cards;
}

// The fields the record writer carries; note and photo are added by the document's writer.
QStringList roundTripIdentifiers()
{
    QStringList ids = ZRPerson::allIdentifiers();
    ids.removeAll(Ident::Photo);
    ids.removeAll(Ident::Note);
    return ids;
}

// What of a field must survive: everything, but for messaging addresses without a service, which
// the store contact built for writing gives the default service (as its rule for such addresses
// says) and which therefore come back with it.
QVariant comparable(const QString &identifier, const QVariant &value)
{
    if (identifier != Ident::InstantMessage)
        return value;
    QVariantList entries;
    for (const QVariant &v : value.toList()) {
        const QVariantMap entry = v.toMap();
        QString service = entry.value(CN::InstantMessageAddressServiceKey).toString();
        if (service.isEmpty())
            service = CN::InstantMessageServiceAIM;
        entries.append(QVariantList { entry.value(Key::Label), entry.value(Key::Value), service });
    }
    return entries;
}

} // namespace

TEST(CorpusRoundTripTest, EveryCardReadsAndEveryFieldSurvivesWriteAndRead)
{
    const QString root = TestPaths::shared(QStringLiteral("corpus/vcard"));
    if (!QFileInfo::exists(root))
        GTEST_SKIP() << "no shared corpus at " << root.toStdString();

    int files = 0, cards = 0, rejected = 0;
    QDirIterator it(root, { QStringLiteral("*.vcf"), QStringLiteral("*.vcard") }, QDir::Files,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        const QList<QByteArray> texts = cutIntoCards(file.readAll());
        for (qsizetype i = 0; i < texts.size(); ++i) {
            ++cards;
            QString error;
            const QList<StoreContact> first = VCardSerialization::contactsWithData(texts[i], &error);
            if (first.isEmpty()) {
                ++rejected;
                EXPECT_FALSE(error.isEmpty()) << "rejected without a reason: " << path.toStdString();
                std::cout << "[ rejected ] " << QDir(root).relativeFilePath(path).toStdString() << " card "
                          << (i + 1) << ": " << error.toStdString() << "\n";
                continue;
            }
            auto original = ZRPerson::fromStoreContact(first.first());
            const QByteArray written = original->vCardData();
            ASSERT_FALSE(written.isEmpty()) << path.toStdString();
            const QList<StoreContact> again = VCardSerialization::contactsWithData(written, &error);
            ASSERT_EQ(again.size(), 1) << path.toStdString() << ": " << error.toStdString() << "\n"
                                       << written.toStdString();
            auto reread = ZRPerson::fromStoreContact(again.first());
            EXPECT_EQ(reread->uniqueId(), original->uniqueId());
            EXPECT_EQ(reread->showAsPerson(), original->showAsPerson());
            for (const QString &id : roundTripIdentifiers()) {
                EXPECT_EQ(comparable(id, reread->valueForIdentifier(id)),
                    comparable(id, original->valueForIdentifier(id)))
                    << QDir(root).relativeFilePath(path).toStdString() << " card " << (i + 1) << " field "
                    << id.toStdString() << "\n"
                    << written.toStdString();
            }
        }
    }
    std::cout << "[   corpus ] " << files << " files, " << cards << " cards, " << rejected << " rejected\n";
    EXPECT_GT(files, 100);
    EXPECT_LT(rejected, cards / 10) << "the parser rejects too much of what real clients write";
}
