#include "ui/tools/PostalDataInstall.h"

#include "document/WorkerPool.h"
#include "tools/PostalDataInstaller.h"
#include "ui/tools/PostalDataLoader.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QPointer>
#include <QtConcurrent>

namespace PostalDataInstall {

namespace {

struct Outcome
{
    bool ok = false;
    QString error;
};

} // namespace

Paths classify(const QStringList &files)
{
    Paths paths;
    for (const QString &file : files) {
        if (QFileInfo(file).fileName().contains(QLatin1String("jigyosyo"), Qt::CaseInsensitive))
            paths.business = file;
        else if (paths.general.isEmpty())
            paths.general = file;
    }
    return paths;
}

void chooseAndInstall(QWidget *window, PostalDataLoader &data)
{
    const QStringList files = QFileDialog::getOpenFileNames(window,
        QCoreApplication::translate("PostalDataInstall", "Install Postal Data"), QString(),
        QCoreApplication::translate(
            "PostalDataInstall", "Postal data (*.zip *.csv *.CSV *.ZIP);;All files (*)"));
    if (!files.isEmpty())
        install(window, data, files);
}

void install(QWidget *window, PostalDataLoader &data, const QStringList &files)
{
    const Paths paths = classify(files);
    if (paths.general.isEmpty()) {
        QMessageBox::warning(window, QCoreApplication::translate("PostalDataInstall", "Install Postal Data"),
            QCoreApplication::translate("PostalDataInstall",
                "Choose the general address file (ken_all.zip), and optionally the business file "
                "(jigyosyo.zip)."));
        return;
    }
    const QString directory = data.dataDirectory();
    auto *watcher = new QFutureWatcher<Outcome>(&data);
    QPointer<QWidget> guardedWindow(window);
    QObject::connect(watcher, &QFutureWatcher<Outcome>::finished, &data, [watcher, guardedWindow, &data] {
        const Outcome outcome = watcher->result();
        watcher->deleteLater();
        if (outcome.ok)
            data.reload();
        if (!guardedWindow)
            return;
        if (outcome.ok) {
            QMessageBox::information(guardedWindow,
                QCoreApplication::translate("PostalDataInstall", "Install Postal Data"),
                QCoreApplication::translate(
                    "PostalDataInstall", "The postal-code data is installed. It is being loaded now."));
        } else {
            QMessageBox::warning(guardedWindow,
                QCoreApplication::translate("PostalDataInstall", "Install Postal Data"),
                QCoreApplication::translate(
                    "PostalDataInstall", "The postal-code data couldn't be installed: %1")
                    .arg(outcome.error));
        }
    });
    watcher->setFuture(QtConcurrent::run(WorkerPool::instance(), [paths, directory] {
        Outcome outcome;
        outcome.ok = PostalDataInstaller::install(paths.general, paths.business, directory, &outcome.error);
        return outcome;
    }));
}

QAction *makeAction(QWidget *window, QObject *parent)
{
    auto *action
        = new QAction(QCoreApplication::translate("PostalDataInstall", "Install Postal Data…"), parent);
    action->setStatusTip(QCoreApplication::translate(
        "PostalDataInstall", "Install the national postal-code data from the postal service's files"));
    QPointer<QWidget> guardedWindow(window);
    QObject::connect(action, &QAction::triggered, action, [guardedWindow] {
        PostalDataInstall::chooseAndInstall(guardedWindow, PostalDataLoader::instance());
    });
    return action;
}

} // namespace PostalDataInstall
