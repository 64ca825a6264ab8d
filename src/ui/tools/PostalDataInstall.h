#pragma once

#include <QString>
#include <QStringList>

class PostalDataLoader;
class QAction;
class QObject;
class QWidget;

// Installing the national postal-code data from the window: the two files the postal service
// publishes (the general file and the business file, each a zip archive or its CSV) are chosen in a
// file dialog, checked and written on a worker, and the loader reads them again.
namespace PostalDataInstall {

// Which chosen file is which: a name with "jigyosyo" is the business file, the other the general one.
// The general path is empty when no general file was chosen.
struct Paths
{
    QString general;
    QString business;
};
Paths classify(const QStringList &files);

// The file dialog, then the installation; the result is told in a message box.
void chooseAndInstall(QWidget *window, PostalDataLoader &data);
// Installs the files and reloads on a worker; the result is told in a message box over window.
void install(QWidget *window, PostalDataLoader &data, const QStringList &files);

// The menu command "Install Postal Data…".
QAction *makeAction(QWidget *window, QObject *parent);

} // namespace PostalDataInstall
