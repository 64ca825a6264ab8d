#pragma once

#include <QString>
#include <QVariantMap>

class QSettings;

// Keeps the print options and the chosen print style in the settings the caller owns. Loading never
// fails: a missing, older or damaged dictionary is replaced or repaired and written back at once.
namespace PrintOptionsStore {

// The options under "ZR1DprintOptions", for the given language when defaults must be built.
QVariantMap load(QSettings &settings, const QString &language);
// The same, for the user's preferred language.
QVariantMap load(QSettings &settings);
// Saves, then posts PrintOptionsNotice::printOptionsUpdated, so every view drawn from the options
// follows at once.
void save(QSettings &settings, const QVariantMap &options);

// The style under "ZR1DprintStyle"; an empty, absent or unknown value becomes "Hagaki" and is written back.
QString loadPrintStyle(QSettings &settings);
// Posts PrintOptionsNotice::printStyleChanged when the style is another.
void savePrintStyle(QSettings &settings, const QString &style);

// Every style the menu offers, in menu order, and its title.
QStringList printStyles();
QString printStyleTitle(const QString &style);

// The paper the shared print information takes for a style: "Postcard" for postcards, else "Letter".
QString paperNameForStyle(const QString &style);

} // namespace PrintOptionsStore
