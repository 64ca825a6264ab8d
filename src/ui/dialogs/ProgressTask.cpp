#include "ui/dialogs/ProgressTask.h"

#include "document/WorkerPool.h"
#include "ui/dialogs/ProgressWindow.h"

#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

ProgressTask::ProgressTask(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(new ProgressWindow(window))
{
    m_window->setCancelHook([this] {
        if (m_cancel)
            m_cancel->store(true);
    });
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, &ProgressTask::deliver);
}

ProgressTask::~ProgressTask()
{
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.disconnect(this);
    m_watcher.waitForFinished();
    if (m_window && !m_window->parentWidget())
        delete m_window.data();
}

bool ProgressTask::start(const QString &message, Job job)
{
    if (m_running || !m_window)
        return false;
    m_running = true;
    m_cancel = std::make_shared<std::atomic_bool>(false);
    const quint64 generation = ++m_generation;
    m_window->setProgress(0);
    if (m_showDelay <= 0) {
        m_window->begin(message);
    } else {
        m_window->setMessage(message);
        QTimer::singleShot(m_showDelay, this, [this, message, generation] {
            if (m_running && m_generation == generation && m_window)
                m_window->begin(message);
        });
    }

    // Progress crosses to the GUI thread by queued call on this object, which outlives the worker
    // (the destructor waits); the window itself may be gone by then, with the window it belonged to.
    Progress progress = [this](int percent) {
        QMetaObject::invokeMethod(
            this,
            [this, percent] {
                if (m_running && m_window)
                    m_window->setProgress(percent);
            },
            Qt::QueuedConnection);
    };
    std::shared_ptr<std::atomic_bool> cancel = m_cancel;
    m_watcher.setFuture(QtConcurrent::run(
        WorkerPool::instance(), [job = std::move(job), cancel, progress] { job(cancel.get(), progress); }));
    return true;
}

void ProgressTask::deliver()
{
    m_running = false;
    const bool cancelled = m_cancel && m_cancel->load();
    if (m_window) {
        if (!cancelled)
            m_window->setProgress(100);
        m_window->requestClose();
    }
    emit finished(cancelled);
}
