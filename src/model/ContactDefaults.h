#pragma once

#include <QString>

struct StoreContact;

// The user's contact settings: default country and sort order come from the locale and can be
// overridden in the settings ("Contacts/CountryCode", "Contacts/SortOrder": "given" or "family").
namespace ContactDefaults {

enum class SortOrder { None = 0, GivenName = 1, FamilyName = 2 };
enum class NameOrder { Default = 0, GivenNameFirst = 1, FamilyNameFirst = 2 };

// Two-letter code, lower case, as the store gives it ("jp", "us").
QString countryCode();
SortOrder sortOrder();
// The order in which a contact's name is shown: family name first for names written in CJK scripts
// or when the locale puts family names first, given name first otherwise.
NameOrder nameOrderForContact(const StoreContact &contact);

// For tests: fixes the values instead of reading locale and settings; empty / None restore the defaults.
void overrideForTesting(const QString &countryCode, SortOrder order);

} // namespace ContactDefaults
