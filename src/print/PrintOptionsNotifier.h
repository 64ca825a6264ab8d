#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

// Announces every change of the stored print options to whoever draws from them (the preview, other
// windows' settings): the options are one dictionary for the whole application, so the notice is too.
// Changes go through PrintOptionsStore::publish(), which saves first and then notifies.
class PrintOptionsNotifier : public QObject
{
    Q_OBJECT

public:
    static PrintOptionsNotifier &instance();

signals:
    // The options were saved; they are what a new load would return.
    void printOptionsUpdated(const QVariantMap &options);

private:
    PrintOptionsNotifier() = default;
};
