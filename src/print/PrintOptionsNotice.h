#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

// Says, to every window of the process, that the stored print options or the chosen print style changed:
// PrintOptionsStore posts it on every save, so whoever edits the options (the style settings, layout mode,
// the command line's tests) keeps every view drawn from them (previews, other windows' settings) current
// without knowing who shows one. The options are one dictionary for the whole application, so the notice
// is too.
class PrintOptionsNotice : public QObject
{
    Q_OBJECT
public:
    static PrintOptionsNotice &instance();

    void postOptionsUpdated(const QVariantMap &options) { emit printOptionsUpdated(options); }
    void postPrintStyleChanged(const QString &style) { emit printStyleChanged(style); }

signals:
    // The options were saved; they are what a new load would return.
    void printOptionsUpdated(const QVariantMap &options);
    void printStyleChanged(const QString &style);

private:
    PrintOptionsNotice() = default;
};
