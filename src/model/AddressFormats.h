#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

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

    AddressFormats() = default;
    // Builds the table from the resource's JSON text; language is the user's two-letter language.
    void load(const QByteArray &json, const QString &language);

    QVariantList addressFormatTable() const { return m_table; }
    void setAddressFormatTable(const QVariantList &table);
    QVariantMap addressFormatDict() const;
    // Re-derives the keys of the given country dictionaries and installs them.
    void setAddressFormatDict(const QVariantList &countries);

    // [country code, part names...]; the country name is not used.
    QStringList orderOfaddressFormats(const QString &countryCode, const QString &country = QString()) const;
    QString predictCountryCode(const QString &upperCasedText) const;
    // The display text; stores the formatted mailing address under "formattedString" in the entry.
    QString addressFromLabeledValue(QVariantMap &entry, int option) const;
    // Range entries {"identifier", "value", "range": QVariantMap{"location","length"}}; empty for an empty entry.
    QVariantList rangeTableFromAddressDictionary(const QVariantMap &entry) const;

private:
    QVariantList m_table;
    QHash<QString, QVariantMap> m_byCode;
    QString m_language;
};
