#include "model/ContactDefaults.h"

#include "model/AddressFormats.h"
#include "model/StoreContact.h"

#include <QLocale>
#include <QMutex>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

ContactDefaults::Settings g_settings;
QString g_countryOverride;
QString g_languageOverride;
ContactDefaults::SortOrder g_sortOverride = ContactDefaults::SortOrder::None;
// Every address made while reading a file asks for the country: the values are worked out once, and
// again after configure().
std::optional<QString> g_country;
std::optional<ContactDefaults::SortOrder> g_sort;
std::optional<QString> g_language;
// Large exports write records on several threads, and records ask for these as they are written.
QMutex g_mutex;

bool isTwoLetterCode(const QString &code)
{
    return code.size() == 2 && code.at(0).isLetter() && code.at(1).isLetter() && code.at(0).unicode() < 128
        && code.at(1).unicode() < 128;
}

QString systemLanguageLocked()
{
    if (!g_languageOverride.isEmpty())
        return g_languageOverride;
    if (!g_language)
        g_language = QLocale::languageToCode(QLocale::system().language());
    return *g_language;
}

QString systemLanguage()
{
    QMutexLocker lock(&g_mutex);
    return systemLanguageLocked();
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

// Runs once per contact read, so it walks the UTF-16 text in place.
bool writtenInCjk(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x1100) // below the first Hangul jamo nothing is CJK
            continue;
        char32_t ucs4 = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ucs4 = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
            ++i;
        }
        if (isCjk(ucs4))
            return true;
    }
    return false;
}

} // namespace

namespace ContactDefaults {

static QString readCountryCode()
{
    const QString configured = g_settings.countryCode.trimmed().toLower();
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
    const QString configured = g_settings.sortOrder.trimmed().toLower();
    if (configured == u"given"_s)
        return SortOrder::GivenName;
    if (configured == u"family"_s)
        return SortOrder::FamilyName;
    return localeWritesFamilyNameFirst(systemLanguageLocked()) ? SortOrder::FamilyName : SortOrder::GivenName;
}

QString countryCode()
{
    QMutexLocker lock(&g_mutex);
    if (!g_countryOverride.isEmpty())
        return g_countryOverride;
    if (!g_country)
        g_country = readCountryCode();
    return *g_country;
}

SortOrder sortOrder()
{
    QMutexLocker lock(&g_mutex);
    if (g_sortOverride != SortOrder::None)
        return g_sortOverride;
    if (!g_sort)
        g_sort = readSortOrder();
    return *g_sort;
}

void configure(const Settings &settings)
{
    AddressFormats::formatsChanged();
    QMutexLocker lock(&g_mutex);
    g_settings = settings;
    g_country.reset();
    g_sort.reset();
    g_language.reset();
}

bool localeWritesFamilyNameFirst(const QString &language)
{
    static const QStringList familyFirst { u"ja"_s, u"zh"_s, u"ko"_s, u"hu"_s, u"vi"_s };
    return familyFirst.contains(language.left(2).toLower());
}

NameOrder nameOrderForContact(const StoreContact &contact, const QString &language)
{
    for (const QString *part : { &contact.familyName, &contact.givenName, &contact.extras().middleName }) {
        if (writtenInCjk(*part))
            return NameOrder::FamilyNameFirst;
    }
    return localeWritesFamilyNameFirst(language) ? NameOrder::FamilyNameFirst : NameOrder::GivenNameFirst;
}

NameOrder nameOrderForContact(const StoreContact &contact)
{
    return nameOrderForContact(contact, systemLanguage());
}

void overrideForTesting(const QString &countryCode, SortOrder order, const QString &language)
{
    AddressFormats::formatsChanged();
    QMutexLocker lock(&g_mutex);
    g_countryOverride = countryCode.toLower();
    g_sortOverride = order;
    g_languageOverride = language;
}

} // namespace ContactDefaults
