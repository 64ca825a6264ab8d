#include "ui/dialogs/ProgressWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

namespace {
constexpr int IconSize = 48;
constexpr int MinimumWidth = 420;
} // namespace

ProgressWindow::ProgressWindow(QWidget *parent)
    : QDialog(parent)
    , m_message(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(QApplication::applicationDisplayName());
    auto *icon = new QLabel(this);
    const QIcon appIcon = QApplication::windowIcon();
    const QIcon shown = appIcon.isNull() ? style()->standardIcon(QStyle::SP_FileDialogContentsView) : appIcon;
    icon->setPixmap(shown.pixmap(IconSize, IconSize));
    icon->setAlignment(Qt::AlignTop);

    // A long file name wraps rather than widening the window past the screen.
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setAccessibleName(tr("Progress"));

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressWindow::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(m_message, 0, 1);
    layout->addWidget(m_bar, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(MinimumWidth);
}

void ProgressWindow::setMessage(const QString &message)
{
    m_message->setText(message);
}

QString ProgressWindow::message() const
{
    return m_message->text();
}

int ProgressWindow::progress() const
{
    return m_bar->value();
}

void ProgressWindow::setProgress(int percent)
{
    m_bar->setValue(std::clamp(percent, 0, 100));
}

void ProgressWindow::begin(const QString &message)
{
    setMessage(message);
    m_cancel->setEnabled(true);
    if (parentWidget())
        open(); // window-modal: the rest of the application stays usable
    else
        show();
}

void ProgressWindow::requestClose()
{
    if (isVisible())
        done(QDialog::Accepted);
}

void ProgressWindow::reject()
{
    // Cancel once: the work may take a moment to notice, and a second press must not count again.
    if (!isVisible())
        return;
    m_cancel->setEnabled(false);
    QDialog::reject();
    if (m_cancelHook)
        m_cancelHook();
    emit canceled();
}
