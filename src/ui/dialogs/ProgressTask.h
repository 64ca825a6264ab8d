#pragma once

#include "ui/dialogs/ProgressWindow.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

class QWidget;

// Runs one piece of long work (writing a vCard export, reading an import) on a worker while the
// progress window shows its percent. The job polls the cancel flag and reports whole percents; it
// keeps its result in what it captured. finished() comes once per start, on the GUI thread, after
// the worker is done: cancelled tells whether the user pressed Cancel, so the result must be dropped.
class ProgressTask : public QObject
{
    Q_OBJECT
public:
    using Progress = std::function<void(int percent)>;
    using Job = std::function<void(const std::atomic_bool *cancel, const Progress &progress)>;

    explicit ProgressTask(QWidget *window, QObject *parent = nullptr);
    // Cancels a running job and waits for it: the worker never outlives what it reports to.
    ~ProgressTask() override;

    bool start(const QString &message, Job job);
    // Work that is usually quick (a CSV file) shows the window only once it has run this long.
    void setShowDelay(int milliseconds) { m_showDelay = milliseconds; }
    bool isRunning() const { return m_running; }
    ProgressWindow *progressWindow() const { return m_window; }

signals:
    void finished(bool cancelled);

private:
    void deliver();

    QPointer<ProgressWindow> m_window;
    QFutureWatcher<void> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancel;
    int m_showDelay = 0;
    quint64 m_generation = 0; // tells a delayed show which start it belongs to
    bool m_running = false;
};
