#pragma once

#include <QtGlobal>
#include <functional>

// Work over many independent items (the contacts of a large export) shared out to the machine's
// cores in contiguous chunks, so that each chunk's output can be joined in order afterwards.
namespace ChunkedWork {

// How many chunks to cut count items into: one per core, none smaller than minimumChunk items.
int chunksFor(qsizetype count, qsizetype minimumChunk);

// Calls item(index, chunk) for every index of [0, count), chunk i covering a contiguous range that
// follows chunk i - 1's; chunk 0 runs on the calling thread, every other on a thread of its own, so
// item must only touch what belongs to its index and its chunk. progress(done) is called on the
// calling thread alone, with how many items are done in all; when it returns false the work stops
// as soon as each thread ends its current item, and the result is false.
bool run(qsizetype count, int chunks, const std::function<void(qsizetype index, int chunk)> &item,
    const std::function<bool(qsizetype done)> &progress);

// The first index of a chunk; the chunk ends where the next begins.
qsizetype chunkStart(qsizetype count, int chunks, int chunk);

} // namespace ChunkedWork
