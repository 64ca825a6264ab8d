#pragma once

#include <QList>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

// Reading and writing many cards spends nearly all its time on work that depends on one card
// alone; that work is shared out among the machine's cores in batches.
namespace CardWorkers {

// A batch small enough that a stop request is heard within milliseconds, large enough that handing
// it to the worker threads costs little beside the work itself.
constexpr qsizetype BatchSize = 512;

// The pool the cards are read and written on. A pool of its own: a read or a write usually runs on
// a thread of the global pool already, and must not wait for threads that pool would have to give.
QThreadPool &pool();

// Calls work(item) for every item of the batch, on several threads when there are enough items and
// cores; returns when all are done. Each item must be independent of the others.
template <typename T, typename F> void forEach(QList<T> &batch, F work)
{
    constexpr qsizetype WorthThreads = 32;
    if (batch.size() < WorthThreads || QThread::idealThreadCount() < 2) {
        for (T &item : batch)
            work(item);
        return;
    }
    QtConcurrent::blockingMap(&pool(), batch, work);
}

} // namespace CardWorkers
