#pragma once

#include <QObject>
#include <QString>

// Says, to every window of the process, that the stored print options or the chosen print style changed:
// PrintOptionsStore posts it on every save, so whoever edits the options (the style settings, layout mode,
// the command line's tests) keeps every preview current without knowing who shows one.
class PrintOptionsNotice : public QObject
{
    Q_OBJECT
public:
    static PrintOptionsNotice &instance();

    void postOptionsUpdated() { emit printOptionsUpdated(); }
    void postPrintStyleChanged(const QString &style) { emit printStyleChanged(style); }

signals:
    void printOptionsUpdated();
    void printStyleChanged(const QString &style);

private:
    PrintOptionsNotice() = default;
};
