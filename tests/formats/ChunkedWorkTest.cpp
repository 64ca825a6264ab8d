#include "formats/ChunkedWork.h"

#include <QList>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

TEST(ChunkedWorkTest, EveryItemOnceInContiguousChunksInOrder)
{
    for (const qsizetype count : { 0, 1, 5, 1000, 10001 }) {
        for (const int chunks : { 1, 2, 3, 7 }) {
            QList<int> chunkOf(count, -1);
            QList<int> times(count, 0);
            qsizetype lastDone = -1;
            const bool finished = ChunkedWork::run(
                count, chunks,
                [&](qsizetype i, int chunk) {
                    chunkOf[i] = chunk;
                    ++times[i];
                },
                [&](qsizetype done) {
                    lastDone = done;
                    return true;
                });
            ASSERT_TRUE(finished);
            for (qsizetype i = 0; i < count; ++i) {
                ASSERT_EQ(times[i], 1) << count << " " << chunks;
                // Chunks follow each other: an item's chunk is never below the one before it.
                if (i > 0) {
                    ASSERT_GE(chunkOf[i], chunkOf[i - 1]);
                }
            }
            if (count > 0) {
                EXPECT_EQ(chunkOf.first(), 0);
                EXPECT_EQ(lastDone, count);
            }
        }
    }
}

TEST(ChunkedWorkTest, ProgressOnTheCallingThreadAndStopping)
{
    const auto caller = std::this_thread::get_id();
    bool onCaller = true;
    int calls = 0;
    std::atomic<qsizetype> itemsDone { 0 };
    const bool finished = ChunkedWork::run(
        100000, 4, [&](qsizetype, int) { itemsDone.fetch_add(1); },
        [&](qsizetype) {
            onCaller = onCaller && std::this_thread::get_id() == caller;
            return ++calls < 10;
        });
    EXPECT_FALSE(finished);
    EXPECT_TRUE(onCaller);
    EXPECT_EQ(calls, 10); // not asked again once it said stop
    EXPECT_LT(itemsDone.load(), 100000);

    // Chunks are never more than the items, nor fewer than one.
    EXPECT_EQ(ChunkedWork::chunksFor(0, 100), 1);
    EXPECT_EQ(ChunkedWork::chunksFor(150, 100), 1);
    EXPECT_GE(ChunkedWork::chunksFor(1000000, 100), 1);
    EXPECT_LE(ChunkedWork::chunksFor(1000000, 100), 16);
}
