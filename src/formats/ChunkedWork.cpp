#include "formats/ChunkedWork.h"

#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace ChunkedWork {

int chunksFor(qsizetype count, qsizetype minimumChunk)
{
    const int cores = qBound(1, QThread::idealThreadCount(), 16);
    const qsizetype bySize = minimumChunk > 0 ? count / minimumChunk : count;
    return int(qBound(qsizetype(1), bySize, qsizetype(cores)));
}

qsizetype chunkStart(qsizetype count, int chunks, int chunk)
{
    return chunks <= 0 ? 0 : count * chunk / chunks;
}

bool run(qsizetype count, int chunks, const std::function<void(qsizetype index, int chunk)> &item,
    const std::function<bool(qsizetype done)> &progress)
{
    chunks = int(qBound(qsizetype(1), qsizetype(chunks), qMax(qsizetype(1), count)));
    std::atomic_bool stop { false };
    std::atomic<qsizetype> othersDone { 0 };
    // Others report in batches: one shared counter touched for every item would be fought over.
    constexpr qsizetype Batch = 64;
    std::vector<std::thread> threads;
    threads.reserve(size_t(chunks - 1));
    for (int chunk = 1; chunk < chunks; ++chunk) {
        threads.emplace_back([&, chunk] {
            const qsizetype end = chunkStart(count, chunks, chunk + 1);
            qsizetype pending = 0;
            for (qsizetype i = chunkStart(count, chunks, chunk); i < end; ++i) {
                if (stop.load(std::memory_order_relaxed))
                    break;
                item(i, chunk);
                if (++pending == Batch) {
                    othersDone.fetch_add(pending, std::memory_order_relaxed);
                    pending = 0;
                }
            }
            othersDone.fetch_add(pending, std::memory_order_relaxed);
        });
    }

    const auto keepGoing = [&](qsizetype ownDone) {
        if (!progress || stop.load(std::memory_order_relaxed))
            return !stop.load(std::memory_order_relaxed);
        if (!progress(ownDone + othersDone.load(std::memory_order_relaxed)))
            stop.store(true, std::memory_order_relaxed);
        return !stop.load(std::memory_order_relaxed);
    };
    const qsizetype ownEnd = chunkStart(count, chunks, 1);
    qsizetype ownDone = 0;
    for (qsizetype i = 0; i < ownEnd; ++i) {
        item(i, 0);
        ++ownDone;
        if (!keepGoing(ownDone))
            break;
    }
    // The calling thread's share is done: it goes on reporting until the others are too.
    const qsizetype othersTotal = count - ownEnd;
    while (
        !stop.load(std::memory_order_relaxed) && othersDone.load(std::memory_order_relaxed) < othersTotal) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        keepGoing(ownDone);
    }
    for (std::thread &thread : threads)
        thread.join();
    if (stop.load(std::memory_order_relaxed))
        return false;
    // The last word is "all done", as it is when the calling thread does every item itself.
    return chunks == 1 || !progress || progress(count);
}

} // namespace ChunkedWork
