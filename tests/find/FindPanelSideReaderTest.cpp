#include "find/FindPanelSideReader.h"

#include "model/ZRPerson.h"

#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

namespace {

// Contacts whose "texts" are their numbers, so that what comes back says where it came from; every
// seventh is handed back, as a record that cannot be read without changing it would be.
class FindPanelSideReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3000; ++i) {
            auto entry = std::make_shared<ContactEntry>();
            entry->person = ZRPerson::create();
            contacts.append(entry);
            numbers.emplace(entry.get(), i);
        }
    }

    FindPanelSideReader reader { [this](const ContactEntry &entry, std::u16string &out) {
        const int number = numbers.at(&entry);
        ++readOnTheSide;
        if (number % 7 == 0)
            return CardTexts::Reading::NeedsRecord;
        const QString text = QString::number(number);
        out.append(reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size()));
        return number % 5 == 0 ? CardTexts::Reading::DatedTexts : CardTexts::Reading::Texts;
    } };

    // Reads the front from `from` on until the two meet, pausing the other thread now and then as the
    // panel does between slices; then takes the back. Every contact must come once, in order.
    void readRun(qsizetype from, qsizetype to)
    {
        reader.share(contacts.constData(), from, to);
        ASSERT_TRUE(reader.isSharing());
        qsizetype front = from;
        // The other thread has begun before this one claims anything, so both ends are read.
        QElapsedTimer waited;
        waited.start();
        while (readOnTheSide == 0 && waited.elapsed() < 5000)
            QThread::yieldCurrentThread();
        for (int claims = 0;; ++claims) {
            const qsizetype claimed = reader.claimFront(front + 16);
            if (claimed == front)
                break;
            ASSERT_GT(claimed, front);
            ASSERT_LE(claimed, front + 16);
            for (; front < claimed; ++front)
                got << QString::number(front);
            if (claims % 10 == 9)
                reader.pause();
        }
        meet = front;
        reader.handOver([&](CardTexts::Reading reading, std::u16string_view texts) {
            if (reading == CardTexts::Reading::NeedsRecord) {
                EXPECT_TRUE(texts.empty());
                got << QString::number(front) + u'!';
            } else {
                const QString text = QString::fromUtf16(texts.data(), qsizetype(texts.size()));
                EXPECT_EQ(text, QString::number(front));
                EXPECT_EQ(reading == CardTexts::Reading::DatedTexts, front % 5 == 0);
                got << text;
            }
            ++front;
        });
        EXPECT_EQ(front, to);
        EXPECT_FALSE(reader.isSharing());
    }

    static QStringList expected(qsizetype from, qsizetype to, qsizetype back)
    {
        QStringList out;
        for (qsizetype i = from; i < to; ++i)
            out << QString::number(i) + (i >= back && i % 7 == 0 ? QStringLiteral("!") : QString());
        return out;
    }

    ContactTable contacts;
    std::map<const ContactEntry *, int> numbers;
    std::atomic<int> readOnTheSide = 0;
    QStringList got;
    qsizetype meet = 0;
};

} // namespace

TEST_F(FindPanelSideReaderTest, TheTwoEndsOfARunComeBackWholeAndInOrder)
{
    readRun(100, 2900);
    // Where the two met depends on the threads' pace; before it, every contact is this thread's.
    EXPECT_EQ(got, expected(100, 2900, meet));
    EXPECT_LT(meet, 2900);

    got.clear();
    readOnTheSide = 0;
    readRun(0, 3000); // the same reader again, on another run
    EXPECT_EQ(got.size(), 3000);
}

TEST_F(FindPanelSideReaderTest, DroppingOrDestroyingStopsTheOtherThread)
{
    reader.share(contacts.constData(), 0, 3000);
    reader.drop();
    EXPECT_FALSE(reader.isSharing());
    const int read = readOnTheSide;
    EXPECT_LE(read, 3000);
    EXPECT_EQ(reader.claimFront(10), 0) << "nothing is shared any more";
    EXPECT_EQ(readOnTheSide, read);
    {
        FindPanelSideReader other([&](const ContactEntry &, std::u16string &) {
            ++readOnTheSide;
            return CardTexts::Reading::Texts;
        });
        other.share(contacts.constData(), 0, 3000); // destroyed while its thread may be reading
    }
    SUCCEED();
}
