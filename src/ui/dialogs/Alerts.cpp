#include "ui/dialogs/Alerts.h"

#include "document/Document.h"
#include "document/ExportCommands.h"

#include <QApplication>
#include <QPushButton>

namespace {

QMessageBox *makeBox(
    QWidget *window, QMessageBox::Icon icon, const QString &message, const QString &informative)
{
    auto *box = new QMessageBox(
        icon, QApplication::applicationDisplayName(), message, QMessageBox::NoButton, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    if (!informative.isEmpty())
        box->setInformativeText(informative);
    return box;
}

} // namespace

QMessageBox *Alerts::show(
    QWidget *window, const QString &message, const QString &informativeText, QMessageBox::Icon icon)
{
    QMessageBox *box = makeBox(window, icon, message, informativeText);
    box->addButton(QMessageBox::Ok);
    box->open();
    return box;
}

QMessageBox *Alerts::commandAlert(QWidget *window, const CommandAlert &alert)
{
    return show(window, alert.message, alert.informativeText);
}

QMessageBox *Alerts::documentError(QWidget *window, const DocumentError &error, const QString &fileName)
{
    // A file that couldn't be read as text carries the reason in place of the usual description.
    const QString standard = DocumentText::CouldNotRead.arg(fileName);
    QStringList informative;
    if (!error.localizedDescription.isEmpty() && error.localizedDescription != standard)
        informative << error.localizedDescription;
    if (!error.recoverySuggestion.isEmpty())
        informative << error.recoverySuggestion;
    QMessageBox *box = makeBox(window, QMessageBox::Warning, standard, informative.join(QLatin1Char('\n')));
    box->addButton(QMessageBox::Ok);
    box->open();
    return box;
}

QMessageBox *Alerts::notices(QWidget *window, const QList<ReadNotice> &notices, std::function<void()> then)
{
    if (notices.isEmpty()) {
        if (then)
            then();
        return nullptr;
    }
    QMessageBox *box = show(window, notices.first().message, notices.first().informativeText);
    const QList<ReadNotice> rest = notices.mid(1);
    QWidget *owner = window;
    QObject::connect(box, &QMessageBox::finished, box,
        [owner, rest, then = std::move(then)] { Alerts::notices(owner, rest, then); });
    return box;
}

QMessageBox *Alerts::question(QWidget *window, const QString &message, const QString &informativeText,
    std::function<void(bool ok)> answered)
{
    QMessageBox *box = makeBox(window, QMessageBox::Question, message, informativeText);
    QPushButton *ok = box->addButton(tr("OK"), QMessageBox::AcceptRole);
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(ok);
    QObject::connect(box, &QMessageBox::finished, box, [box, ok, answered = std::move(answered)] {
        if (answered)
            answered(box->clickedButton() == ok);
    });
    box->open();
    return box;
}

QMessageBox *Alerts::restoreDefaults(QWidget *window, std::function<void(bool ok)> answered)
{
    return question(
        window, tr("Would you like to restore default preferences?"), QString(), std::move(answered));
}
