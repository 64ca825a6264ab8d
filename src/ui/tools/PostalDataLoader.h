#pragma once

#include "tools/ZipSearchTexts.h"

#include <QFutureWatcher>
#include <QObject>
#include <memory>

// The postal-code data of this run as the window sees it: the national data, read on a worker when
// the first window opens, and until then (or when none is installed) the small sample built into the
// program, so that a search always has something to look in and never waits on the GUI thread.
class PostalDataLoader : public QObject
{
    Q_OBJECT

public:
    enum class State { NotStarted, Loading, Loaded, NotInstalled };

    // The application's one loader.
    static PostalDataLoader &instance();
    explicit PostalDataLoader(QObject *parent = nullptr);

    // Reads the installed data from this folder (tests, a command line's --data); before start().
    void setDataDirectory(const QString &directory) { m_directory = directory; }
    QString dataDirectory() const;
    // Starts reading the installed data on a worker unless it has started already.
    void start();
    // Reads the installed data again, after an installation.
    void reload();
    State state() const { return m_state; }
    bool isInstalled() const;

    // The national texts once loaded, else the built-in sample.
    std::shared_ptr<const ZipSearchTexts> texts();
    // What the sheet tells the user about the data; "" when the national data is in use.
    QString statusText() const;

signals:
    // The texts to search changed (the national data arrived).
    void textsChanged();

private:
    void finished();

    QString m_directory;
    State m_state = State::NotStarted;
    std::shared_ptr<const ZipSearchTexts> m_national;
    std::shared_ptr<const ZipSearchTexts> m_sample;
    QFutureWatcher<ZipSearchTexts> m_watcher;
};
