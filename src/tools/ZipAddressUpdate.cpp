#include "tools/ZipAddressUpdate.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "tools/PostalKeys.h"

namespace ZipAddressUpdate {

Target targetForAddress(const std::optional<QVariantMap> &address, const QString &company)
{
    if (!address)
        return {};
    const QString zip = address->value(Ident::ZIP).toString();
    const QString stateCity
        = address->value(Ident::State).toString() + address->value(Ident::City).toString();
    const QString street = address->value(Ident::Street).toString();
    if (!zip.isEmpty() && stateCity.isEmpty())
        return { zip, 2 };
    if (!stateCity.isEmpty() || !street.isEmpty())
        return { stateCity, 1 };
    if (!company.isEmpty())
        return { company, 3 };
    if (!zip.isEmpty())
        return { zip, 4 };
    return {};
}

QVariantMap addressByApplyingResult(const QVariantMap &address, const QVariantMap &result, int mode)
{
    QVariantMap updated = address;
    const QString zip = result.value(Ident::ZIP).toString();
    if (mode == 1) {
        if (!zip.isEmpty())
            updated.insert(Ident::ZIP, zip);
        return updated;
    }
    updated.insert(Ident::ZIP, zip);
    updated.insert(Ident::State, result.value(Ident::State).toString());
    updated.insert(Ident::City, result.value(Ident::City).toString());
    const QString street = result.value(Ident::Street).toString();
    if (street != ZipText::NoListedStreet)
        updated.insert(Ident::Street, street);
    return updated;
}

QVariantMap labeledAddressByApplyingResult(
    const std::optional<QVariantMap> &labeledAddress, const QVariantMap &result, int mode)
{
    QVariantMap labeled = labeledAddress.value_or(QVariantMap {
        { Key::Label, ZipKey::HomeLabel },
        { Key::LabelIndex, 0 },
    });
    // A record keeps an address entry's parts beside its label, not under a value key.
    labeled = addressByApplyingResult(labeled, result, mode);
    // The display text is derived from the parts; the old one would show the old address.
    ZRPerson::updateAddressValue(labeled, 3);
    return labeled;
}

} // namespace ZipAddressUpdate
