#pragma once

#include "document/SortDescriptor.h"
#include "document/SortValue.h"
#include "formats/ContactContainer.h"

#include <QString>
#include <optional>
#include <utility>

// Orders the contact entries of a table themselves (after a header change, after contacts are added or
// restored). Only sort keys of the fields table below order records; any other key leaves them as
// they are.
namespace ContactSort {

struct IdentifierAndKey
{
    QString identifier;
    QString key;
    friend bool operator==(const IdentifierAndKey &, const IdentifierAndKey &) = default;
};

// "Email domain" -> ("Email", "domain"); nothing for a key outside the table.
std::optional<IdentifierAndKey> separateSortKeyIntoIdentifierAndKey(const QString &sortKey);

// The text a record is ordered by for an identifier and sub-key (its first value of a multi-valued
// field).
QString sortText(ZRPerson &person, const IdentifierAndKey &split);
SortValue sortValue(const ContactEntry &entry, const IdentifierAndKey &split);

// Dates of records: a missing date comes last in both directions.
int compareDateComponents(const QVariant &a, const QVariant &b, bool ascending);

int compare(const ContactEntry &a, const ContactEntry &b, const SortDescriptor &descriptor);

// Stable; a key outside the table leaves the order unchanged.
void sortContactTable(ContactTable &table, const SortDescriptor &descriptor);

} // namespace ContactSort
