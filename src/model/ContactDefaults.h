#pragma once

#include "model/StoreContact.h"

#include <QString>

// The user's contact settings: default country and sort order come from the locale unless the
// application's settings choose them. The settings are read by whoever owns them and handed over
// with configure(); these are the keys under which the application keeps them:
//   "Contacts/CountryCode"  two-letter country code, any case ("jp"); anything else is ignored
//   "Contacts/SortOrder"    "given" or "family"; anything else means the locale's default
namespace ContactDefaults {

namespace SettingsKey {
inline const QString CountryCode = QStringLiteral("Contacts/CountryCode");
inline const QString SortOrder = QStringLiteral("Contacts/SortOrder");
} // namespace SettingsKey

// The settings' texts as they are stored; empty ones leave the choice to the locale.
struct Settings
{
    QString countryCode;
    QString sortOrder;
};

enum class SortOrder { None = 0, GivenName = 1, FamilyName = 2 };
using NameOrder = StoreContact::NameOrder;

// Two-letter code, lower case, as the store gives it ("jp", "us"); "us" when the locale has no region.
QString countryCode();
// By family name where the locale writes family names first, by given name elsewhere.
SortOrder sortOrder();
// Takes the user's settings (the locale's defaults for empty or unusable texts) and forgets what
// was worked out before; records made afterwards follow them.
void configure(const Settings &settings);
// The order in which a contact's name is shown: family name first for names written in CJK scripts
// or when the locale puts family names first, given name first otherwise.
NameOrder nameOrderForContact(const StoreContact &contact);
// The same for an explicit two-letter language instead of the system's.
NameOrder nameOrderForContact(const StoreContact &contact, const QString &language);
// Japanese, Chinese, Korean, Hungarian and Vietnamese write the family name first.
bool localeWritesFamilyNameFirst(const QString &language);

// For tests: fixes the values instead of reading locale and settings, and the system's language (what
// name order follows); empty / None restore the defaults.
void overrideForTesting(const QString &countryCode, SortOrder order, const QString &language = QString());

} // namespace ContactDefaults
