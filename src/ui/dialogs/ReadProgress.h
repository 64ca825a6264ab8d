#pragma once

#include "document/DocumentReader.h"
#include "ui/dialogs/ProgressWindow.h"

#include <QObject>
#include <QPointer>

class BackgroundRead;
class QWidget;

// Reads a contact file on a worker behind the progress window "Reading the file: <name>". Cancel
// closes the window at once and stops the reader at its next card; the result (Cancelled then)
// still arrives through finished(), exactly once per start. The window stays up for at least the
// minimum duration (one second when opening a document) without ever blocking the GUI thread.
class ReadProgress : public QObject
{
    Q_OBJECT
public:
    explicit ReadProgress(QObject *parent = nullptr);
    ~ReadProgress() override;

    // window: the window the progress is a sheet of; none when opening a document.
    bool start(QWidget *window, const QString &path, InputFormat format, TextEncoding::Number encoding);
    void setMinimumDuration(int milliseconds);
    // Work done on the worker after a successful read (see BackgroundRead::setAfterRead).
    void setAfterRead(std::function<void(const DocumentReadResult &, const std::atomic_bool *)> step);
    bool isRunning() const;
    ProgressWindow *progressWindow() const { return m_window; }

signals:
    void finished(const DocumentReadResult &result);

private:
    void readFinished(const DocumentReadResult &result);

    BackgroundRead *m_read;
    QPointer<ProgressWindow> m_window;
    bool m_ownsWindow = false;
};
