#pragma once

#include <QString>
#include <QVariantMap>
#include <memory>

class ZRPerson;

// What one printed postcard, envelope or label needs from a contact: the name, the joint names, one
// postal address with its postcard layout record, and the company. Usage:
//
//     ReceiverRecord r = ReceiverRecord::convertContact(person);        // its first address
//     ReceiverRecord s = ReceiverRecord::convertContact(person, 2);     // the address numbered 2
//
// Keys of `name`, `address` and `layoutDict` are the model's (Ident::, Key::).
struct ReceiverRecord
{
    std::shared_ptr<ZRPerson> person;
    qsizetype labelIndex = 0; // the stable number of the address used (and of its layout record)
    QVariantMap name; // the name value with "Name" = the composite name; "stringValue" prints
    QString renmei; // joint names joined by "\n", or ""
    QVariantMap address; // "ZIP", "State", "City", "Street", "Country", maybe "State&City"; empty: none
    QVariantMap layoutDict; // the per-address layout record: flags and placed rectangles
    QString company;

    bool hasAddress() const { return !address.isEmpty(); }
    // The layout record's flags.
    bool isSender() const;
    bool printsCompany() const;
    bool printsRenmei() const;
    // Joint names as a list; empty entries dropped.
    QStringList renmeiList() const;

    // The record for one address of a contact; a negative `labelIndex` takes its first address. A
    // contact without that address gives a record without address (layout record numbered 0).
    static ReceiverRecord convertContact(const std::shared_ptr<ZRPerson> &person, qsizetype labelIndex = -1);
    // The label number of the first address whose layout record has "Sender" set, or -1.
    static qsizetype senderLabelIndex(const std::shared_ptr<ZRPerson> &person);
};

// The key of a combined state-and-city line in an address value.
namespace AddressKey {
inline const QString StateAndCity = QStringLiteral("State&City");
} // namespace AddressKey
