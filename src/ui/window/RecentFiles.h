#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class QSettings;

// The files opened last, newest first, kept in the settings so that "Open Recent" survives a
// restart. A file is listed once, by its absolute path; the list keeps at most MaximumCount.
class RecentFiles : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaximumCount = 10;
    static const QString SettingsKey;

    explicit RecentFiles(QSettings &settings, QObject *parent = nullptr);

    QStringList files() const;
    void add(const QString &path);
    void remove(const QString &path);
    void clear();

    // Fills an "Open Recent" menu: one item per file (its name; the path as tooltip), then "Clear Menu".
    // Choosing an item emits openRequested(path).
    void fillMenu(QMenu *menu);
    // A menu that follows the list by itself.
    QMenu *makeMenu(QWidget *parent);

signals:
    void changed();
    void openRequested(const QString &path);

private:
    void store(const QStringList &files);

    QSettings &m_settings;
};
