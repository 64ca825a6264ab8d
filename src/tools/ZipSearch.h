#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QVariantMap>

// One row of the postal-code search's result list.
struct ZipResultRow
{
    QString zip; // "123-4567"
    QString state;
    QString city;
    QString street;
    QString phoneticCity;
    QString phoneticStreet;
    QString company;
    QString phoneticCompany;
    bool business = false; // from the business file: the row carries "PhoneticCompany"

    // The row as the sheet hands it to its opener: "ZIP", "State", "City", "Street", "PhoneticCity",
    // "PhoneticStreet", "Company" and, for a business row, "PhoneticCompany".
    QVariantMap toVariantMap() const;
    bool operator==(const ZipResultRow &) const = default;
};

// The searches over the compact search texts: plain substring scans, no index.
namespace ZipSearch {

// The leading run of digits and "-" when the text starts with one of them; otherwise empty.
// Full-width digits and hyphens count too and come back as ASCII.
QString findNumericString(QStringView text);
// "1234567" -> "123-4567"; a code of three characters or fewer is returned as it is.
QString formatZIP(QStringView code);
// Removes one pair of enclosing double quotes.
QStringView stripDoublequote(QStringView value);

// Lines of text whose code begins with the code digits (a "-" after the third digit is ignored);
// a complete seven-digit code matches only itself.
QList<QStringView> findAddressLines(QStringView code, QStringView text);

// Lines of text matching an address: the lines containing the longest head (of at least two
// characters) of address, narrowed by the longest head of the rest of the address.
QList<QStringView> findZipLines(QStringView address, QStringView text);

// Result rows from compact lines; a line with too few columns gives empty values for the rest.
QList<ZipResultRow> dictionariesFromFindLines(const QList<QStringView> &lines);

} // namespace ZipSearch
