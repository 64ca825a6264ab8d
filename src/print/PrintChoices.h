#pragma once

#include "print/PrintUnits.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// The settings' choice lists and the small conversions between what a control shows and what the
// options store.
namespace PrintChoices {

// Honorific choices in menu order: "None", "様", "殿", "御中", "Mr.", "Mrs.", "Ms.", "Dr.".
QStringList keishouChoices();
// The same choices as the menu shows them: "None" in the reader's language, the honorifics as they are.
QStringList keishouChoiceTitles();
// What "keishou" stores for a chosen title (of either list): "" for "None" or an empty title, else the
// title.
QString keishouForChoice(const QString &title);
// The choice to show for a stored honorific: 0 for "", "None" or a missing value; -1 for a text the
// list does not hold (typed elsewhere, kept as it is).
int keishouChoiceIndex(const QString &stored);
// True when the honorific adds nothing to a name.
bool isNoKeishou(const QString &keishou);

// Postcard image choices in menu order: no image, New Year card, ordinary card.
QStringList hagakiTypeChoices();
// Sets "showBackground" and "hagakiType" of the "Hagaki" options for a chosen title; "hagakiType" is
// written only when it changes. Returns false for an unknown title (nothing changes).
bool applyHagakiTypeChoice(QVariantMap &hagaki, const QString &title);
// The choice matching the stored "hagakiType" ("Nenga" when missing or unknown).
int hagakiTypeChoiceIndex(const QVariantMap &hagaki);

// The first two numbers of a point string, "(15.59, 348.66)" or "{15.59, 348.66}"; nothing when there
// are fewer than two or one is not finite.
std::optional<QPointF> parsePointString(const QString &text);
// The platform's point notation, "{x, y}".
QString pointString(const QPointF &point);

// The ordinary card's sender postal-code boxes sit 15 mm lower than the New Year card's.
inline constexpr double GeneralCardZipOffset = 42.51968503937008;

// The sender postal-code position as the settings show it, in the display unit, with the ordinary card's
// offset added while "hagakiType" is "General". A missing or unreadable position is taken as the
// default and stored.
QPointF senderZipDisplayPosition(QVariantMap &hagaki, PrintUnits::Unit unit);
// Stores a position typed in the display unit, in points and without the ordinary card's offset.
void setSenderZipDisplayPosition(QVariantMap &hagaki, const QPointF &display, PrintUnits::Unit unit);
// The origin, in points on the page, of the sender's postal-code boxes for layout: the stored position
// (the old default "(21, 354)" counts as today's default), 15 mm lower on an ordinary card.
QPointF senderZipOrigin(const QVariantMap &hagaki);

// How vertical addresses set their numbers ("Hagaki" and "Envelope" options).
enum class KanjiNumerals { Off, Digits, Positional };
enum class NumberHyphen { Off, Chouon, No };
KanjiNumerals kanjiNumerals(const QVariantMap &styleOptions);
void setKanjiNumerals(QVariantMap &styleOptions, KanjiNumerals choice);
NumberHyphen numberHyphen(const QVariantMap &styleOptions);
void setNumberHyphen(QVariantMap &styleOptions, NumberHyphen choice);
bool tateChuYoko(const QVariantMap &styleOptions);
void setTateChuYoko(QVariantMap &styleOptions, bool on);

// Printers that feed off-centre are corrected per paper name; offsets are in millimetres and bounded to
// +-MaxPrinterOffset so a damaged value cannot push the print off the paper.
inline constexpr double MaxPrinterOffset = 50.0;
QPointF printerOffset(const QVariantMap &styleOptions, const QString &paperName);
void setPrinterOffset(QVariantMap &styleOptions, const QString &paperName, const QPointF &millimeters);
// The same offset in points, ready to translate a page.
QPointF printerOffsetInPoints(const QVariantMap &styleOptions, const QString &paperName);

} // namespace PrintChoices
