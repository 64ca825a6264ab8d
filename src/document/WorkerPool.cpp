#include "document/WorkerPool.h"

#include <QThread>
#include <QThreadPool>

namespace {

struct Pool : QThreadPool
{
    Pool()
    {
        setObjectName(QStringLiteral("WorkerPool"));
        // A read and a closing document's clean-up may overlap even on one core.
        setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
    }
};

} // namespace

// Destroyed at exit like the global pool: it waits for what is still running, so nothing is cut off
// halfway (a closed document's contacts are freed before the leak checkers look).
Q_GLOBAL_STATIC(Pool, g_pool)

QThreadPool *WorkerPool::instance()
{
    return g_pool();
}
