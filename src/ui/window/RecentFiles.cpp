#include "ui/window/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

const QString RecentFiles::SettingsKey = QStringLiteral("RecentFiles");

RecentFiles::RecentFiles(QSettings &settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{
}

QStringList RecentFiles::files() const
{
    // A damaged setting may hold anything; only non-empty paths are files.
    QStringList files;
    for (const QString &path : m_settings.value(SettingsKey).toStringList()) {
        if (!path.isEmpty() && !files.contains(path))
            files.append(path);
        if (files.size() == MaximumCount)
            break;
    }
    return files;
}

void RecentFiles::add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, MaximumCount));
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = files();
    if (list.removeAll(QDir::cleanPath(QFileInfo(path).absoluteFilePath())) > 0)
        store(list);
}

void RecentFiles::clear()
{
    store({});
}

void RecentFiles::store(const QStringList &files)
{
    if (files.isEmpty())
        m_settings.remove(SettingsKey);
    else
        m_settings.setValue(SettingsKey, files);
    emit changed();
}

void RecentFiles::fillMenu(QMenu *menu)
{
    menu->clear();
    const QStringList list = files();
    QStringList names;
    for (const QString &path : list)
        names << QFileInfo(path).fileName();
    for (const QString &path : list) {
        // Two files of one name are told apart by their folders.
        const QFileInfo info(path);
        QString title = info.fileName();
        if (names.count(title) > 1)
            title = tr("%1 — %2").arg(title, QDir::toNativeSeparators(info.absolutePath()));
        QAction *action = menu->addAction(title);
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { emit openRequested(path); });
    }
    if (!list.isEmpty())
        menu->addSeparator();
    QAction *clearAction = menu->addAction(tr("Clear Menu"), this, &RecentFiles::clear);
    clearAction->setEnabled(!list.isEmpty());
}

QMenu *RecentFiles::makeMenu(QWidget *parent)
{
    auto *menu = new QMenu(tr("Open Recent"), parent);
    fillMenu(menu);
    connect(this, &RecentFiles::changed, menu, [this, menu] { fillMenu(menu); });
    return menu;
}
