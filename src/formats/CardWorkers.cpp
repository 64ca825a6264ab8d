#include "formats/CardWorkers.h"

QThreadPool &CardWorkers::pool()
{
    // Never destroyed: threads of a pool torn down during exit could still be finishing a batch.
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(QThread::idealThreadCount());
        return p;
    }();
    return *pool;
}
