#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// The print options: one nested dictionary of settings with a sub-dictionary per print style, persisted
// as it is. These functions build the defaults, repair what was stored, and read values the way every
// layout does (a stored string "130" and a number 130.0 read alike).
namespace PrintOptions {

// Dictionaries stored with a lower or missing "Version" are discarded.
inline constexpr int CurrentVersion = 5;

// The fonts the defaults name. The user font stands for the application's own font; the vertical family
// is the Japanese face used for vertical text when it is installed, else the user font.
struct FontDefaults
{
    QString userFontName;
    int userFontSize = 14;
    QString verticalFamily;

    // Reads the installed fonts; needs a QGuiApplication.
    static FontDefaults fromSystem();
};

// Fresh defaults for a language code ("ja" gives the Japanese conventions, anything else the English).
QVariantMap initPrintOptions(const QString &language);
QVariantMap initPrintOptions(const QString &language, const FontDefaults &fonts);

// "ja" when the first preferred language starts with "ja", else "en" (also for an empty list).
QString languageForPreferredLanguages(const QStringList &languages);
// The same for the user's interface languages.
QString preferredLanguage();

// True when a stored value is a dictionary whose "Version" is at least the current one.
bool isCurrentVersion(const QVariant &stored);

// The options to work on, from what was stored: a missing, older or non-dictionary value is replaced by
// defaults for the language; a current one is kept, with any missing or damaged style sub-dictionary,
// array or key filled from the defaults so that readers never meet a hole. Sets *replaced when the
// stored value was discarded and *repaired when something had to be filled in.
QVariantMap repairedPrintOptions(
    const QVariant &stored, const QString &language, bool *replaced = nullptr, bool *repaired = nullptr);
QVariantMap repairedPrintOptions(const QVariant &stored, const QString &language, const FontDefaults &fonts,
    bool *replaced = nullptr, bool *repaired = nullptr);

// A copy in which every nested hash has become a map, so all levels share one dictionary type.
QVariant deepCopyDictionary(const QVariant &value);

// The sub-dictionary key a print style reads ("Labels" reads "Mailing Labels"); empty for an unknown style.
QString optionsKeyForStyle(const QString &style);
QVariantMap styleOptions(const QVariantMap &options, const QString &style);
void setStyleOptions(QVariantMap &options, const QString &style, const QVariantMap &styleOptions);

// Readers that accept both the string and the number forms. Missing or unreadable values give the fallback;
// a number is never NaN or infinite.
double number(const QVariant &value, double fallback = 0.0);
int integer(const QVariant &value, int fallback = 0);
bool flag(const QVariant &value, bool fallback = false);
QString text(const QVariant &value);

// The address list's item table as created: "Name" always printed, then the address, phone numbers,
// e-mail addresses and company; every other field off.
QVariantList defaultItemTable();

} // namespace PrintOptions
