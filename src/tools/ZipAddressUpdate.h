#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

// How the window's postal-code command opens the search for an address and writes the chosen
// row back. Addresses are value dictionaries keyed by Ident::ZIP, State, City, Street and Country.
namespace ZipAddressUpdate {

struct Target
{
    QString text;
    int mode = 0;
    bool operator==(const Target &) const = default;
};

// What the sheet is opened with: a code alone searches the code (mode 2); a state, city or street
// searches the state and city (mode 1); otherwise the company (mode 3), else the code (mode 4).
Target targetForAddress(const std::optional<QVariantMap> &address, const QString &company);

// The address with a confirmed row written in: after an address search only the row's code;
// after any other search its code, state, city and street (keeping the old street when the row's
// is the placeholder for "not listed").
QVariantMap addressByApplyingResult(const QVariantMap &address, const QVariantMap &result, int mode);

// The same for a labelled address entry as a record keeps it (label, labelIndex and the parts beside them),
// its display text derived again; a row that had no
// address gets a new one labelled "home" with label index 0.
QVariantMap labeledAddressByApplyingResult(
    const std::optional<QVariantMap> &labeledAddress, const QVariantMap &result, int mode);

} // namespace ZipAddressUpdate
