#pragma once

#include "model/PostalAddressFormatter.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

// Keys of the "AddressFormat" resource's country dictionaries. The first five come from the resource
// (the editor may add others, which are carried along); the rest are derived when the table is built.
namespace AddressFormatKey {

inline const QString Root = QStringLiteral("AddressFormat");
inline const QString CountryCode = QStringLiteral("CountryCode"); // ISO alpha-2, upper case
inline const QString Country = QStringLiteral("Country"); // upper-case English name, for prediction
inline const QString DisplayName = QStringLiteral("DisplayName"); // the English name lists show
inline const QString Alpha3 = QStringLiteral("Alpha3");
inline const QString FormatString = QStringLiteral("formatString");
// Multi-line template of the mailing address: %A street block, %C city, %S state, %Z postal code,
// %K country, %% a percent sign; "\n" separates lines.
inline const QString MailingFormat = QStringLiteral("mailingFormat");
inline const QString Order = QStringLiteral("Order");
inline const QString LocalizedCountry = QStringLiteral("LocalizedCountry");
inline const QString Language = QStringLiteral("Language");
// Re-deriving also stores the localised name under "Country." + language ("Country.de").
inline const QString CountryLanguagePrefix = QStringLiteral("Country.");

} // namespace AddressFormatKey

// Keys of the range entries that tell the find operations where each part sits in the display text.
namespace AddressRangeKey {

inline const QString Identifier = QStringLiteral("identifier");
inline const QString Value = QStringLiteral("value");
inline const QString Range = QStringLiteral("range");
inline const QString Location = QStringLiteral("location");
inline const QString Length = QStringLiteral("length");

} // namespace AddressRangeKey

// The per-country address formats: the order of an address's parts, country prediction from a typed
// name, the one-line display text of an address entry and the position of each part inside it.
// The table comes from the "AddressFormat" resource; ZRPerson's class operations of the same names
// forward here.
class AddressFormats
{
public:
    // Option bits of addressFromLabeledValue.
    enum Option { IncludeCountry = 1, IncludeZIP = 2, Both = 3 };

    // The table built once from the application's resource and the user's preferred language.
    static AddressFormats &shared();
    // Grows whenever anything a display text depends on changes (the formats, the region, the
    // user's default country): records re-derive their addresses only when it has moved.
    static int generation();
    static void formatsChanged();

    AddressFormats() = default;
    // Builds the table from the resource's JSON text; language is the user's two-letter language.
    // Malformed text gives an empty table (every country then uses the default order).
    void load(const QByteArray &json, const QString &language);
    // The region whose conventions the localised country names follow ("JP"); defaults to the system's.
    void setRegion(const QString &region)
    {
        m_region = region;
        formatsChanged();
    }

    QVariantList addressFormatTable() const { return m_table; }
    void setAddressFormatTable(const QVariantList &table);
    QVariantMap addressFormatDict() const;
    // Re-derives the keys of the given country dictionaries and installs them.
    void setAddressFormatDict(const QVariantList &countries);

    // The country dictionary for a code (any case), or an empty map.
    QVariantMap countryFormat(const QString &countryCode) const;
    // The country's mailing-address template, or the default one.
    const PostalAddressFormatter::Template &mailingTemplate(const QString &countryCode) const;
    // The country code whose convention applies to an address: its ISO code, else the one predicted
    // from its country name, else the user's default; upper case.
    QString conventionCountryCode(const StorePostalAddress &address) const;
    // The complete multi-line mailing address, by the template of that country.
    QString mailingAddress(const StorePostalAddress &address) const;

    // [country code, part names...]; the country name is not used.
    QStringList orderOfaddressFormats(const QString &countryCode, const QString &country = QString()) const;
    QString predictCountryCode(const QString &upperCasedText) const;
    // The display text; stores the formatted mailing address under "formattedString" in the entry.
    QString addressFromLabeledValue(QVariantMap &entry, int option) const;
    // The same texts of an address whose entry holds nothing but its parts: the address with its
    // country name and its ISO code as read; the formatted mailing address goes to *formatted.
    QString addressTexts(StorePostalAddress address, int option, QString *formatted) const;
    // Range entries {"identifier", "value", "range": QVariantMap{"location","length"}}; empty for an empty
    // entry.
    QVariantList rangeTableFromAddressDictionary(const QVariantMap &entry) const;

    // The part order used for codes the table does not know.
    static QStringList defaultOrder();
    // The country's name in the given language as written in the given region, or "" when unknown.
    static QString localizedCountryName(
        const QString &countryCode, const QString &language, const QString &region);

private:
    QVariantMap derived(const QVariantMap &country, bool initialBuild) const;
    QString regionOrSystem() const;
    // Prediction runs for every address read without a country code; it looks names up, not through the
    // table.
    void reindex();

    // What formatting needs of a country, worked out once per table change instead of once per address.
    struct Compiled
    {
        QStringList order; // "Order", or the default order when it names nothing
        QList<int> parts; // order as PostalAddressFormatter::Template::Part values, -1 for other tokens
        PostalAddressFormatter::Template mailing;
    };
    const Compiled &compiled(const QString &countryCode) const;
    static Compiled compile(const QStringList &order, const QString &mailingFormat);

    QVariantList m_table;
    QHash<QString, QVariantMap> m_byCode;
    // Text to code, first entry in table order winning: "Country", "CountryCode", "Alpha3", and the
    // localised name in upper case.
    QHash<QString, QString> m_codeByName;
    QHash<QString, QString> m_codeByCode;
    QHash<QString, QString> m_codeByAlpha3;
    QHash<QString, QString> m_codeByLocalizedName;
    QHash<QString, Compiled> m_compiled; // by upper-case and lower-case code
    Compiled m_defaultCompiled = compile(defaultOrder(), PostalAddressFormatter::defaultTemplate());
    QString m_language;
    QString m_region;
};
