#pragma once

#include "document/DocumentReader.h"

#include <QCoreApplication>
#include <QList>
#include <QMessageBox>
#include <functional>

struct CommandAlert;
struct DocumentError;

// Every alert and notice of opening, importing and exporting, in one place. Each is a message box,
// window-modal over the given window (application-modal without one), opened without waiting and
// deleted when closed; the box is returned so a caller (or a test) can follow it.
class Alerts
{
    Q_DECLARE_TR_FUNCTIONS(Alerts)
public:
    static QMessageBox *show(QWidget *window, const QString &message, const QString &informativeText = {},
        QMessageBox::Icon icon = QMessageBox::Warning);

    // "Couldn't read the file.", "Can't save the file" ... of the import and export commands.
    static QMessageBox *commandAlert(QWidget *window, const CommandAlert &alert);
    // A document that couldn't be opened: what went wrong and what to check.
    static QMessageBox *documentError(QWidget *window, const DocumentError &error, const QString &fileName);
    // What a read has to say besides its contacts: the cards it skipped, a CSV file without header
    // line. One box after the other; then() runs when the last is closed (at once when there are none).
    static QMessageBox *notices(
        QWidget *window, const QList<ReadNotice> &notices, std::function<void()> then = {});

    // A question with "OK" and "Cancel"; answered(true) for OK.
    static QMessageBox *question(QWidget *window, const QString &message, const QString &informativeText,
        std::function<void(bool ok)> answered);
    // "Would you like to restore default preferences?"
    static QMessageBox *restoreDefaults(QWidget *window, std::function<void(bool ok)> answered);
};
