#include "document/BackgroundRead.h"

#include "DocumentTestSupport.h"
#include "document/Document.h"
#include "document/WorkerPool.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace DocumentTestSupport;

namespace {

QString manyCards(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += card(
            u"Person %1"_s.arg(i), u"TEL;TYPE=CELL:+81 90 0000 %1\r\n"_s.arg(i, 4, 10, QLatin1Char('0')));
    return text;
}

} // namespace

TEST(BackgroundReadTest, ReportsRisingProgressAndDeliversOnTheGuiThread)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"many.vcf"_s, manyCards(500).toUtf8());
    BackgroundRead read;
    read.setMinimumDuration(0);
    QList<int> percents;
    QObject::connect(&read, &BackgroundRead::progressChanged, [&](int percent) { percents << percent; });
    QThread *deliveredOn = nullptr;
    DocumentReadResult delivered;
    QObject::connect(&read, &BackgroundRead::finished, [&](const DocumentReadResult &result) {
        deliveredOn = QThread::currentThread();
        delivered = result;
    });
    QSignalSpy finished(&read, &BackgroundRead::finished);

    ASSERT_TRUE(read.start(path, InputFormat::VCard, TextEncoding::Automatic));
    EXPECT_EQ(read.message(), u"Reading the file: many.vcf"_s);
    EXPECT_FALSE(read.start(path, InputFormat::VCard, TextEncoding::Automatic)) << "one read at a time";
    ASSERT_TRUE(finished.wait(20000));
    QCoreApplication::processEvents();

    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(deliveredOn, QCoreApplication::instance()->thread());
    EXPECT_FALSE(read.isRunning());
    ASSERT_TRUE(delivered.ok());
    EXPECT_EQ(delivered.contactTable.size(), 500);
    ASSERT_GE(percents.size(), 3);
    EXPECT_EQ(percents.first(), 0);
    EXPECT_EQ(percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(percents.cbegin(), percents.cend()));

    // The window then hands the result to its document.
    Document document;
    document.beginRead(path, DocumentText::VCardType);
    DocumentError error;
    EXPECT_TRUE(document.finishRead(delivered, &error));
    EXPECT_EQ(document.contactTable().size(), 500);
}

TEST(BackgroundReadTest, CancelEndsTheReadWithNoDocumentAndNoError)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"huge.vcf"_s, manyCards(20000).toUtf8());
    BackgroundRead read;
    read.setMinimumDuration(0);
    QSignalSpy finished(&read, &BackgroundRead::finished);
    // Cancel as soon as the cards start coming: the flag must reach the card reader.
    QObject::connect(&read, &BackgroundRead::progressChanged, &read, [&](int percent) {
        if (percent >= 1)
            read.cancel();
    });
    ASSERT_TRUE(read.start(path, InputFormat::VCard, TextEncoding::Automatic));
    ASSERT_TRUE(finished.wait(60000));
    const auto result = finished.first().first().value<DocumentReadResult>();
    EXPECT_EQ(result.status, DocumentReadResult::Status::Cancelled);
    EXPECT_TRUE(result.contactTable.isEmpty());

    Document document;
    document.beginRead(path, DocumentText::VCardType);
    DocumentError error;
    EXPECT_FALSE(document.finishRead(result, &error));
    EXPECT_FALSE(error.isSet()) << "a cancelled opening shows no error";
    EXPECT_TRUE(document.containerTable().isEmpty());

    // The helper is reusable after a cancel.
    const QString small = writeFile(dir, u"small.vcf"_s, card(u"Ann"_s).toUtf8());
    ASSERT_TRUE(read.start(small, InputFormat::VCard, TextEncoding::Automatic));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.last().first().value<DocumentReadResult>().contactTable.size(), 1);
}

TEST(BackgroundReadTest, TheCancelFlagStopsTheCardReaderAtTheNextCard)
{
    std::atomic_bool cancel { false };
    int lastPercent = -1;
    const DocumentReadResult result
        = DocumentReader::readText(manyCards(1000), InputFormat::VCard, &cancel, [&](int percent) {
              lastPercent = percent;
              if (percent >= 10)
                  cancel = true;
          });
    EXPECT_EQ(result.status, DocumentReadResult::Status::Cancelled);
    EXPECT_FALSE(result.containers);
    EXPECT_LT(lastPercent, 12) << "the reader went on after the flag was set";
}

TEST(BackgroundReadTest, ReadErrorsArriveAsResultsAndDestroyingMidReadIsSafe)
{
    QTemporaryDir dir;
    BackgroundRead read;
    read.setMinimumDuration(0);
    QSignalSpy finished(&read, &BackgroundRead::finished);
    ASSERT_TRUE(read.start(dir.filePath(u"absent.vcf"_s), InputFormat::VCard, TextEncoding::Automatic));
    ASSERT_TRUE(finished.wait(20000));
    const auto result = finished.first().first().value<DocumentReadResult>();
    EXPECT_EQ(result.status, DocumentReadResult::Status::ReadError);
    EXPECT_FALSE(result.readError.isEmpty());

    // A window closed while its file is read: the worker is stopped before the helper goes.
    const QString path = writeFile(dir, u"huge.vcf"_s, manyCards(20000).toUtf8());
    auto reading = std::make_unique<BackgroundRead>();
    ASSERT_TRUE(reading->start(path, InputFormat::VCard, TextEncoding::Automatic));
    QThread::msleep(20);
    reading.reset();
    QCoreApplication::processEvents();
}

TEST(BackgroundReadTest, ReadsOnItsOwnThreadsAndKeepsNothingOnceDelivered)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"some.vcf"_s, manyCards(50).toUtf8());
    BackgroundRead read;
    read.setMinimumDuration(0);
    // Qt's painter waits on the GUI thread for fills it hands to the global pool: a read there would
    // freeze painting for as long as it runs.
    QSemaphore reading;
    QSemaphore release;
    int globalThreadsBusy = -1;
    read.setAfterRead([&](const DocumentReadResult &, const std::atomic_bool *) {
        reading.release();
        release.acquire();
    });
    std::weak_ptr<ContactEntry> firstEntry;
    QSignalSpy finished(&read, &BackgroundRead::finished);
    QObject::connect(&read, &BackgroundRead::finished, [&](const DocumentReadResult &result) {
        ASSERT_EQ(result.contactTable.size(), 50);
        firstEntry = result.contactTable.first();
    });
    ASSERT_TRUE(read.start(path, InputFormat::VCard, TextEncoding::Automatic));
    ASSERT_TRUE(reading.tryAcquire(1, 20000));
    globalThreadsBusy = QThreadPool::globalInstance()->activeThreadCount();
    const int ownThreadsBusy = WorkerPool::instance()->activeThreadCount();
    release.release();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(globalThreadsBusy, 0);
    EXPECT_EQ(ownThreadsBusy, 1);

    // The spy's copy is the last one: dropping it frees the contacts while the read object lives on
    // (a window keeps it until it closes).
    ASSERT_FALSE(firstEntry.expired());
    finished.clear();
    EXPECT_TRUE(firstEntry.expired()) << "the finished read still holds its result";

    // Taking the result does not spoil the next read.
    read.setAfterRead({});
    ASSERT_TRUE(read.start(path, InputFormat::VCard, TextEncoding::Automatic));
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.first().first().value<DocumentReadResult>().contactTable.size(), 50);
}
