#include "ui/dialogs/ReadProgress.h"

#include "document/BackgroundRead.h"
#include "ui/dialogs/ProgressWindow.h"

#include <QFileInfo>

ReadProgress::ReadProgress(QObject *parent)
    : QObject(parent)
    , m_read(new BackgroundRead(this))
{
    connect(m_read, &BackgroundRead::finished, this, &ReadProgress::readFinished);
}

ReadProgress::~ReadProgress()
{
    // A window of its own has no parent to take it along.
    if (m_ownsWindow && m_window)
        delete m_window.data();
}

void ReadProgress::setMinimumDuration(int milliseconds)
{
    m_read->setMinimumDuration(milliseconds);
}

void ReadProgress::setAfterRead(
    std::function<void(const DocumentReadResult &, const std::atomic_bool *)> step)
{
    m_read->setAfterRead(std::move(step));
}

bool ReadProgress::isRunning() const
{
    return m_read->isRunning();
}

bool ReadProgress::start(
    QWidget *window, const QString &path, InputFormat format, TextEncoding::Number encoding)
{
    if (m_read->isRunning())
        return false;
    // One progress window per owner, made on first use; a different parent needs a new one.
    if (m_window && m_window->parentWidget() != window) {
        if (m_ownsWindow)
            delete m_window.data();
        else
            m_window->deleteLater();
        m_window = nullptr;
    }
    if (!m_window) {
        m_window = new ProgressWindow(window);
        m_ownsWindow = window == nullptr;
        m_window->setCancelHook([this] { m_read->cancel(); });
        connect(m_read, &BackgroundRead::progressChanged, m_window.data(), &ProgressWindow::setProgress);
    }
    if (!m_read->start(path, format, encoding))
        return false;
    m_window->begin(ReadNoticeText::ReadingMessage.arg(QFileInfo(path).fileName()));
    return true;
}

void ReadProgress::readFinished(const DocumentReadResult &result)
{
    if (m_window)
        m_window->requestClose();
    emit finished(result);
}
