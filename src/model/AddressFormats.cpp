#include "model/AddressFormats.h"

#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/PostalAddressFormatter.h"
#include "model/StoreContact.h"
#include "model/StoreKeys.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocale>
#include <QRegularExpression>
#include <atomic>
#include <unicode/uloc.h>

using namespace Qt::StringLiterals;

namespace {

const QString LeftToRightMark = QString(QChar(0x200E));

// The resource is ours, but the editor can install dictionaries of any size; a table far larger than
// the world's country count is a mistake, not data.
constexpr qsizetype MaxCountries = 1000;

QStringList orderFromFormatString(const QString &formatString)
{
    QString text = formatString;
    text.remove(LeftToRightMark);
    // Every separator splits, so consecutive ones leave empty tokens that match no part.
    static const QRegularExpression separator(u"[\\s\\x{2028}\\x{2029}]"_s);
    return text.split(separator);
}

using Part = PostalAddressFormatter::Template::Part;

int partOfToken(const QString &token)
{
    if (token == Ident::Street)
        return Part::Street;
    if (token == Ident::City)
        return Part::City;
    if (token == Ident::State)
        return Part::State;
    if (token == Ident::ZIP)
        return Part::PostalCode;
    if (token == Ident::Country)
        return Part::Country;
    return -1;
}

bool isPart(const QString &token)
{
    return partOfToken(token) >= 0;
}

// Codes are nearly always upper case already; this spares the copy then.
QString upperCode(const QString &code)
{
    return code.isUpper() ? code : code.toUpper();
}

QString firstPreferredLanguage()
{
    const QStringList languages = QLocale::system().uiLanguages();
    // The C locale states no language at all.
    if (languages.isEmpty() || languages.first() == u"C"_s || languages.first() == u"POSIX"_s)
        return QString();
    return languages.first().left(2).toLower();
}

} // namespace

namespace {
std::atomic_int g_generation { 0 };
} // namespace

int AddressFormats::generation()
{
    return g_generation.load(std::memory_order_relaxed);
}

void AddressFormats::formatsChanged()
{
    g_generation.fetch_add(1, std::memory_order_relaxed);
}

AddressFormats &AddressFormats::shared()
{
    static AddressFormats *formats = [] {
        auto *f = new AddressFormats;
        QFile file(u":/AddressFormat.json"_s);
        QByteArray json;
        if (file.open(QIODevice::ReadOnly))
            json = file.readAll();
        else
            qWarning("AddressFormats::shared: ERROR can't read the address formats");
        f->load(json, firstPreferredLanguage());
        return f;
    }();
    return *formats;
}

QString AddressFormats::regionOrSystem() const
{
    if (!m_region.isEmpty())
        return m_region;
    return QLocale::territoryToCode(QLocale::system().territory());
}

QStringList AddressFormats::defaultOrder()
{
    return { Ident::Street, Ident::City, Ident::State, Ident::ZIP, Ident::Country };
}

QString AddressFormats::localizedCountryName(
    const QString &countryCode, const QString &language, const QString &region)
{
    if (countryCode.size() != 2 || language.isEmpty())
        return QString();
    const QByteArray localeId = "_" + countryCode.toUpper().toLatin1();
    QByteArray displayLocale = language.toLatin1();
    if (!region.isEmpty())
        displayLocale += "_" + region.toLatin1();
    UChar buffer[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayCountry(
        localeId.constData(), displayLocale.constData(), buffer, int32_t(std::size(buffer)), &status);
    if (U_FAILURE(status) || length <= 0 || length > int32_t(std::size(buffer)))
        return QString();
    const QString name = QString(reinterpret_cast<const QChar *>(buffer), length);
    // ICU answers with the code itself when it has no name for it.
    return name.compare(countryCode, Qt::CaseInsensitive) == 0 ? QString() : name;
}

QVariantMap AddressFormats::derived(const QVariantMap &country, bool initialBuild) const
{
    QVariantMap copy = country;
    const QString code = country.value(AddressFormatKey::CountryCode).toString();
    if (initialBuild) {
        if (!m_language.isEmpty() && m_language != u"en"_s) {
            copy.insert(
                AddressFormatKey::LocalizedCountry, localizedCountryName(code, m_language, regionOrSystem()));
            copy.insert(AddressFormatKey::Language, m_language);
        }
    } else {
        const QString language = m_language.isEmpty() ? u"US"_s : m_language;
        if (language != u"en"_s) {
            const QString name = localizedCountryName(code, language, regionOrSystem());
            copy.insert(AddressFormatKey::LocalizedCountry, name);
            copy.insert(AddressFormatKey::CountryLanguagePrefix + language, name);
        }
    }
    copy.insert(AddressFormatKey::Order,
        orderFromFormatString(country.value(AddressFormatKey::FormatString).toString()));
    return copy;
}

void AddressFormats::load(const QByteArray &json, const QString &language)
{
    formatsChanged();
    m_table.clear();
    m_byCode.clear();
    m_language = language.left(2);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        if (!json.isEmpty())
            qWarning("AddressFormats::load: ERROR the address formats are not JSON: %s",
                qPrintable(error.errorString()));
        return;
    }
    if (!document.isObject()) {
        qWarning("AddressFormats::load: ERROR the address formats are not a dictionary");
        return;
    }
    const QJsonArray countries = document.object().value(AddressFormatKey::Root).toArray();
    for (const QJsonValue &value : countries) {
        if (m_table.size() >= MaxCountries)
            break;
        if (!value.isObject())
            continue;
        const QVariantMap country = value.toObject().toVariantMap();
        const QString code = country.value(AddressFormatKey::CountryCode).toString();
        if (code.isEmpty())
            continue;
        const QVariantMap entry = derived(country, true);
        m_byCode.insert(code, entry);
        m_table.append(entry);
    }
    reindex();
}

void AddressFormats::reindex()
{
    m_codeByName.clear();
    m_codeByCode.clear();
    m_codeByAlpha3.clear();
    m_codeByLocalizedName.clear();
    m_compiled.clear();
    for (auto it = m_byCode.cbegin(); it != m_byCode.cend(); ++it) {
        const QStringList tokens = it->value(AddressFormatKey::Order).toStringList();
        // An order of nothing but separators names no part; it gets the default like a missing one.
        const bool namesSomething
            = std::any_of(tokens.cbegin(), tokens.cend(), [](const QString &t) { return !t.isEmpty(); });
        QString mailing = it->value(AddressFormatKey::MailingFormat).toString();
        if (mailing.trimmed().isEmpty())
            mailing = PostalAddressFormatter::defaultTemplate();
        const Compiled format = compile(namesSomething ? tokens : defaultOrder(), mailing);
        m_compiled.insert(it.key().toUpper(), format);
        // Cards often carry the code in lower case; both spellings are found without a conversion.
        m_compiled.insert(it.key().toLower(), format);
    }
    const auto note = [](QHash<QString, QString> &index, const QString &text, const QString &code) {
        if (!text.isEmpty() && !index.contains(text))
            index.insert(text, code);
    };
    for (const QVariant &value : std::as_const(m_table)) {
        const QVariantMap country = value.toMap();
        const QString code = country.value(AddressFormatKey::CountryCode).toString();
        note(m_codeByName, country.value(AddressFormatKey::Country).toString(), code);
        note(m_codeByCode, code, code);
        note(m_codeByAlpha3, country.value(AddressFormatKey::Alpha3).toString(), code);
        // Callers pass upper-cased text, so the localised name is kept in upper case too.
        note(m_codeByLocalizedName, country.value(AddressFormatKey::LocalizedCountry).toString().toUpper(),
            code);
    }
}

void AddressFormats::setAddressFormatTable(const QVariantList &table)
{
    formatsChanged();
    m_table = table.mid(0, MaxCountries);
    reindex();
}

QVariantMap AddressFormats::addressFormatDict() const
{
    QVariantMap dict;
    for (auto it = m_byCode.cbegin(); it != m_byCode.cend(); ++it)
        dict.insert(it.key(), it.value());
    return dict;
}

void AddressFormats::setAddressFormatDict(const QVariantList &countries)
{
    formatsChanged();
    for (const QVariant &value : countries.mid(0, MaxCountries)) {
        const QVariantMap country = value.toMap();
        const QString code = country.value(AddressFormatKey::CountryCode).toString();
        if (code.isEmpty())
            continue;
        const QVariantMap entry = derived(country, false);
        m_byCode.insert(code, entry);
        for (QVariant &existing : m_table) {
            if (existing.toMap().value(AddressFormatKey::CountryCode).toString() == code) {
                existing = entry;
                break;
            }
        }
    }
    reindex();
}

QVariantMap AddressFormats::countryFormat(const QString &countryCode) const
{
    return m_byCode.value(upperCode(countryCode));
}

AddressFormats::Compiled AddressFormats::compile(const QStringList &order, const QString &mailingFormat)
{
    Compiled compiled;
    compiled.order = order;
    for (const QString &token : order)
        compiled.parts.append(partOfToken(token));
    compiled.mailing = PostalAddressFormatter::compile(mailingFormat);
    return compiled;
}

const AddressFormats::Compiled &AddressFormats::compiled(const QString &countryCode) const
{
    auto it = m_compiled.constFind(countryCode);
    if (it == m_compiled.cend())
        it = m_compiled.constFind(countryCode.toUpper());
    return it != m_compiled.cend() ? *it : m_defaultCompiled;
}

QString AddressFormats::conventionCountryCode(const StorePostalAddress &address) const
{
    QString code = address.isoCountryCode.trimmed().toUpper();
    if (code.isEmpty() && !address.country.trimmed().isEmpty())
        code = predictCountryCode(address.country.trimmed().toUpper());
    if (code.isEmpty())
        code = ContactDefaults::countryCode().toUpper();
    return code;
}

QString AddressFormats::mailingAddress(const StorePostalAddress &address) const
{
    return PostalAddressFormatter::render(mailingTemplate(conventionCountryCode(address)), address);
}

const PostalAddressFormatter::Template &AddressFormats::mailingTemplate(const QString &countryCode) const
{
    return compiled(countryCode).mailing;
}

QStringList AddressFormats::orderOfaddressFormats(const QString &countryCode, const QString &country) const
{
    Q_UNUSED(country)
    return QStringList { countryCode } + compiled(countryCode).order;
}

QString AddressFormats::predictCountryCode(const QString &upperCasedText) const
{
    const QString text = upperCasedText.trimmed();
    if (text.isEmpty())
        return QString();
    for (const QHash<QString, QString> *index : { &m_codeByName, &m_codeByCode, &m_codeByAlpha3 }) {
        const auto it = index->constFind(text);
        if (it != index->cend())
            return *it;
    }
    if (text == u"日本"_s)
        return u"JP"_s;
    if (text.toLower() == u"française"_s)
        return u"FR"_s;
    return m_codeByLocalizedName.value(text);
}

QString AddressFormats::addressFromLabeledValue(QVariantMap &entry, int option) const
{
    StorePostalAddress address;
    const QVariant stored = entry.value(Key::PostalAddress);
    if (stored.canConvert<StorePostalAddress>())
        address = stored.value<StorePostalAddress>();
    address.street = entry.value(Ident::Street).toString();
    address.city = entry.value(Ident::City).toString();
    address.state = entry.value(Ident::State).toString();
    // The entry's postal code is the current one; a stored postal address may predate an edit.
    address.postalCode = entry.value(Ident::ZIP).toString();
    address.country = entry.value(Ident::Country).toString();
    address.isoCountryCode = entry.value(CN::PostalAddressISOCountryCodeKey).toString();
    QString formatted;
    QString text = addressTexts(std::move(address), option, &formatted);
    entry.insert(Key::FormattedString, formatted);
    return text;
}

QString AddressFormats::addressTexts(StorePostalAddress address, int option, QString *formatted) const
{
    QString code = address.isoCountryCode;
    const QString countryName = address.country;
    if (code.isEmpty() && !countryName.isEmpty())
        code = predictCountryCode(countryName.toUpper());
    if (code.isEmpty())
        code = ContactDefaults::countryCode().toUpper();
    const Compiled &format = compiled(code);

    if (option == 0)
        address.country = QString();
    address.isoCountryCode = code;
    *formatted = PostalAddressFormatter::render(format.mailing, address);

    QString text;
    for (const int part : format.parts) {
        const QString *value = nullptr;
        switch (part) {
        case Part::Street:
            value = &address.street;
            break;
        case Part::City:
            value = &address.city;
            break;
        case Part::State:
            value = &address.state;
            break;
        case Part::PostalCode:
            value = (option & IncludeZIP) ? &address.postalCode : nullptr;
            break;
        case Part::Country:
            value = (option & IncludeCountry) ? &countryName : nullptr;
            break;
        default:
            break;
        }
        if (value && !value->isEmpty()) {
            text += *value;
            text += u' ';
        }
    }
    return text;
}

QVariantList AddressFormats::rangeTableFromAddressDictionary(const QVariantMap &entry) const
{
    QVariantList table;
    if (entry.isEmpty())
        return table;
    const QStringList order
        = orderOfaddressFormats(entry.value(CN::PostalAddressISOCountryCodeKey).toString());
    qsizetype position = 0;
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QString &token = order.at(i);
        // Tokens that are not parts contribute nothing to the display text, so they take no room here.
        const QString text = isPart(token) ? entry.value(token).toString() : QString();
        const QString value = text.isEmpty() ? QString() : text + u' ';
        table.append(QVariantMap {
            { AddressRangeKey::Identifier, token },
            { AddressRangeKey::Value, value },
            { AddressRangeKey::Range,
                QVariantMap {
                    { AddressRangeKey::Location, position }, { AddressRangeKey::Length, value.size() } } },
        });
        position += value.size();
    }
    return table;
}
