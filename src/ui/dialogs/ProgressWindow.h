#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The window shown while long work runs off the GUI thread: an icon, a message ("Reading the file:
// contacts.vcf"), progress in percent and Cancel. It never waits for anything itself; the work
// reports progress to setProgress() and closes it with requestClose() when done. Shown over a window
// it is a sheet (window-modal); without one it is a window of its own.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    void setMessage(const QString &message);
    QString message() const;
    int progress() const;
    // What Cancel (or Escape, or closing the window) does besides closing the window.
    void setCancelHook(std::function<void()> hook) { m_cancelHook = std::move(hook); }
    QPushButton *cancelButton() const { return m_cancel; }

    // Opens the window: window-modal over the parent when there is one. Progress stays as it is.
    void begin(const QString &message);

public slots:
    void setProgress(int percent);
    // The work finished: the window goes away without counting as a cancel.
    void requestClose();

signals:
    void canceled();

protected:
    void reject() override;

private:
    QLabel *m_message;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    std::function<void()> m_cancelHook;
};
