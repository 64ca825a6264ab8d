#pragma once

#include <QFuture>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

// An entry of the vertical font popups: the name stored in the options and the name shown.
struct VerticalFont
{
    QString fontName;
    QString displayName;

    bool operator==(const VerticalFont &) const = default;
};

// The fonts offered for vertical text: installed families that cover Japanese, less those known to set
// it badly, plus the printer fonts that are always offered. Reading the font database takes a while on
// a machine with many fonts, so windows build the list off the GUI thread with start().
namespace VerticalFontList {

// Never more entries than this, however many fonts are installed.
inline constexpr int MaxFonts = 2000;

// Printer-resident fonts, always offered when installed.
QStringList alwaysOfferedFonts();
// Families with Japanese coverage that are not offered.
QStringList excludedFamilies();

// The list from a list of families: hidden names (leading ".") skipped, the always-offered fonts taken,
// others taken when hasJapanese says so and they are not excluded. When nothing is taken, the fallback
// family alone.
QList<VerticalFont> makeVerticalFontList(const QStringList &families,
    const std::function<bool(const QString &)> &hasJapanese, const QString &fallbackFamily);
// The same from the installed fonts; callable from any thread.
QList<VerticalFont> makeVerticalFontList(const QString &fallbackFamily);
// Builds the list from the installed fonts on the global thread pool. The fallback is the application
// font, read here on the calling thread.
QFuture<QList<VerticalFont>> start();

// Index of the entry whose font name is fontName; 0 (the first entry) when it is missing, -1 only for
// an empty list.
int indexOfFont(const QList<VerticalFont> &fonts, const QString &fontName);
// Records with "fontName" and "displayName", as the settings hand them around.
QVariantList toVariantList(const QList<VerticalFont> &fonts);

} // namespace VerticalFontList
