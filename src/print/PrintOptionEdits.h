#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// Changes to the print options that take more than one key, as the command line and the settings
// make them. Each returns "" when done, else an error naming what was wrong; the options are then
// unchanged.
namespace PrintOptionEdits {

// The address list prints these fields in this order ("Name" is always printed first); every other
// field is switched off. Titles are matched without regard to case.
QString setAddressListItems(QVariantMap &options, const QStringList &titles);
// The titles of the fields the address list prints, in order.
QStringList addressListItems(const QVariantMap &options);
// Every title the address list knows, in its order.
QStringList addressListItemTitles(const QVariantMap &options);

// The postcard's printed image: "nenga" (a New Year card), "general" (an ordinary card) or "none".
QString setCardType(QVariantMap &options, const QString &word);
QStringList cardTypeWords();

// Takes a label preset's sheet geometry and makes it the chosen preset.
QString applyLabelPreset(QVariantMap &options, const QString &name);
QStringList labelPresetNames(const QVariantMap &options);

// The body font and the vertical font of every style.
void setFont(QVariantMap &options, const QString &family);

// The honorific printed after (or before) receivers' names; "None" or "" prints none.
void setHonorific(QVariantMap &options, const QString &honorific);

} // namespace PrintOptionEdits
