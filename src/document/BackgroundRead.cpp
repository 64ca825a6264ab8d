#include "document/BackgroundRead.h"

#include "document/WorkerPool.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

BackgroundRead::BackgroundRead(QObject *parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, &BackgroundRead::deliver);
}

BackgroundRead::~BackgroundRead()
{
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.disconnect(this);
    m_watcher.waitForFinished();
}

bool BackgroundRead::start(const QString &path, InputFormat format, TextEncoding::Number encoding)
{
    if (m_running)
        return false;
    m_running = true;
    m_message = ReadNoticeText::ReadingMessage.arg(QFileInfo(path).fileName());
    m_startedAt = QDateTime::currentMSecsSinceEpoch();
    m_cancel = std::make_shared<std::atomic_bool>(false);
    emit progressChanged(0);

    // Progress crosses to this object's thread by queued call; QPointer drops it once we are gone.
    QPointer<BackgroundRead> self(this);
    auto progress = [self](int percent) {
        if (!self)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, percent] {
                if (self && self->m_running)
                    emit self->progressChanged(percent);
            },
            Qt::QueuedConnection);
    };
    std::shared_ptr<std::atomic_bool> cancelFlag = m_cancel;
    auto slot = std::make_shared<DocumentReadResult>();
    m_result = slot;
    m_watcher.setFuture(QtConcurrent::run(
        WorkerPool::instance(), [path, format, encoding, cancelFlag, progress, after = m_afterRead, slot] {
            DocumentReadResult result
                = DocumentReader::readFile(path, format, encoding, cancelFlag.get(), progress);
            if (after && result.status == DocumentReadResult::Status::Read && !cancelFlag->load())
                after(result, cancelFlag.get());
            *slot = std::move(result);
        }));
    return true;
}

void BackgroundRead::cancel()
{
    if (m_running && m_cancel)
        m_cancel->store(true);
}

void BackgroundRead::deliver()
{
    if (!m_result)
        return;
    // Taken, not copied: a future keeps its result until it is destroyed, and a read kept alive
    // past its window's close would free every contact on whichever thread let go of it last.
    auto result = std::make_shared<DocumentReadResult>(std::move(*std::exchange(m_result, nullptr)));
    // A cancel that came after the last card still counts: the user asked for no document.
    if (m_cancel && m_cancel->load())
        result->status = DocumentReadResult::Status::Cancelled;
    const qint64 elapsed = QDateTime::currentMSecsSinceEpoch() - m_startedAt;
    const qint64 wait = result->status == DocumentReadResult::Status::Cancelled
        ? 0
        : std::max<qint64>(0, m_minimumDuration - elapsed);
    QTimer::singleShot(int(wait), this, [this, result]() mutable {
        m_running = false;
        if (result->status != DocumentReadResult::Status::Cancelled)
            emit progressChanged(100);
        // The receivers copy what they keep; this reference goes with the emission.
        const std::shared_ptr<DocumentReadResult> delivered = std::move(result);
        emit finished(*delivered);
    });
}
