#pragma once

#include "document/DocumentReader.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

// Reads a contact file off the GUI thread for a window that shows progress: percent by signal, a
// cancel that reaches the card reader at its next card, and the result delivered on the GUI thread.
// The progress window stays up for at least minimumDuration, so that it never merely flickers.
// Once delivered, the result is the receivers' alone: nothing here keeps a reference to the contacts,
// so whoever holds them last decides on which thread they are freed.
class BackgroundRead : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundRead(QObject *parent = nullptr);
    // Cancels a running read and waits for it: the worker never outlives its receiver.
    ~BackgroundRead() override;

    // false when a read is already running.
    bool start(const QString &path, InputFormat format, TextEncoding::Number encoding);
    void cancel();
    bool isRunning() const { return m_running; }
    QString message() const { return m_message; }

    // Work on a successful read, done on the worker before the result is delivered (a window's first
    // rows); it is given the cancel flag. Applies to the reads started after it is set.
    using AfterRead = std::function<void(const DocumentReadResult &result, const std::atomic_bool *cancel)>;
    void setAfterRead(AfterRead step) { m_afterRead = std::move(step); }

    void setMinimumDuration(int milliseconds) { m_minimumDuration = milliseconds; }
    int minimumDuration() const { return m_minimumDuration; }

signals:
    void progressChanged(int percent);
    // Always comes once per start, on this object's thread; result.status tells a cancel apart.
    void finished(const DocumentReadResult &result);

private:
    void deliver();

    // The worker fills the slot; the GUI thread takes what is in it once, when the work has finished.
    QFutureWatcher<void> m_watcher;
    std::shared_ptr<DocumentReadResult> m_result;
    std::shared_ptr<std::atomic_bool> m_cancel;
    AfterRead m_afterRead;
    QString m_message;
    qint64 m_startedAt = 0;
    int m_minimumDuration = 1000;
    bool m_running = false;
};
