#include "model/ContactDefaults.h"

#include "model/StoreContact.h"

#include <QLocale>
#include <QSettings>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString g_countryOverride;
ContactDefaults::SortOrder g_sortOverride = ContactDefaults::SortOrder::None;
// Every address made while reading a file asks for the country; reading the settings file each time
// would dominate the reading, so the values are read once and again after reload().
std::optional<QString> g_country;
std::optional<ContactDefaults::SortOrder> g_sort;

bool isTwoLetterCode(const QString &code)
{
    return code.size() == 2 && code.at(0).isLetter() && code.at(1).isLetter() && code.at(0).unicode() < 128
        && code.at(1).unicode() < 128;
}

QString systemLanguage()
{
    return QLocale::languageToCode(QLocale::system().language());
}

bool isCjk(char32_t ucs4)
{
    switch (QChar::script(ucs4)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
        return true;
    default:
        return false;
    }
}

bool writtenInCjk(const QString &text)
{
    for (const char32_t ucs4 : text.toUcs4()) {
        if (isCjk(ucs4))
            return true;
    }
    return false;
}

} // namespace

namespace ContactDefaults {

static QString readCountryCode()
{
    const QString configured = QSettings().value(SettingsKey::CountryCode).toString().trimmed().toLower();
    if (isTwoLetterCode(configured))
        return configured;
    const QLocale::Territory territory = QLocale::system().territory();
    if (territory != QLocale::AnyTerritory) {
        const QString code = QLocale::territoryToCode(territory).toLower();
        if (isTwoLetterCode(code))
            return code;
    }
    return u"us"_s;
}

static SortOrder readSortOrder()
{
    const QString configured = QSettings().value(SettingsKey::SortOrder).toString().trimmed().toLower();
    if (configured == u"given"_s)
        return SortOrder::GivenName;
    if (configured == u"family"_s)
        return SortOrder::FamilyName;
    return localeWritesFamilyNameFirst(systemLanguage()) ? SortOrder::FamilyName : SortOrder::GivenName;
}

QString countryCode()
{
    if (!g_countryOverride.isEmpty())
        return g_countryOverride;
    if (!g_country)
        g_country = readCountryCode();
    return *g_country;
}

SortOrder sortOrder()
{
    if (g_sortOverride != SortOrder::None)
        return g_sortOverride;
    if (!g_sort)
        g_sort = readSortOrder();
    return *g_sort;
}

void reload()
{
    g_country.reset();
    g_sort.reset();
}

bool localeWritesFamilyNameFirst(const QString &language)
{
    static const QStringList familyFirst { u"ja"_s, u"zh"_s, u"ko"_s, u"hu"_s, u"vi"_s };
    return familyFirst.contains(language.left(2).toLower());
}

NameOrder nameOrderForContact(const StoreContact &contact, const QString &language)
{
    for (const QString *part : { &contact.familyName, &contact.givenName, &contact.middleName }) {
        if (writtenInCjk(*part))
            return NameOrder::FamilyNameFirst;
    }
    return localeWritesFamilyNameFirst(language) ? NameOrder::FamilyNameFirst : NameOrder::GivenNameFirst;
}

NameOrder nameOrderForContact(const StoreContact &contact)
{
    return nameOrderForContact(contact, systemLanguage());
}

void overrideForTesting(const QString &countryCode, SortOrder order)
{
    g_countryOverride = countryCode.toLower();
    g_sortOverride = order;
}

} // namespace ContactDefaults
