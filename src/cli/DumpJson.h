#pragma once

#include "document/DocumentReader.h"

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QVariant>
#include <utility>

// The contacts of a read as JSON, as "corvanthe dump" prints them. Other tools and tests compare this
// output, so it must stay stable: every non-empty field by its identifier (the photo by its size in
// bytes), the card's properties no field holds (one content line each), the joint names, the postcard
// layout string of each address when any address has one, and the names of the category groups that
// hold the contact.
namespace DumpJson {

// One object per contact, in file order.
QJsonArray contacts(const DocumentReadResult &read);
// The names of the category groups that hold each contact of the read, by unique id.
QHash<QString, QStringList> groupNamesById(const DocumentReadResult &read);
// The fields of one contact's object as VariantJson values, in the order they are set; a later field
// of the same key replaces an earlier one, as in a JSON object.
using Fields = QList<std::pair<QString, QVariant>>;
Fields fields(const ContactEntry &entry, const QStringList &groups);
// Whether the dump leaves a field of this value out: no text, no entries, or a dictionary none of
// whose texts and lists hold anything.
bool isEmptyValue(const QVariant &value);
// The card's properties no field holds, a content line each, long ones by their start, size and
// checksum.
QStringList keptLines(const QByteArray &lines);
// The object of one contact, given the names of the groups that hold it.
QJsonObject contact(const ContactEntry &entry, const QStringList &groups);
// The output for all the contacts of every file: one indented JSON array.
QByteArray text(const QJsonArray &contacts);

// The same output written a contact at a time, so that no document of every contact is ever held:
// arrayStart(), then each contact's element() with elementSeparator() between two, then arrayEnd(any)
// give the bytes text() gives for the array of those contacts.
QByteArray arrayStart();
QByteArray elementSeparator();
// One contact's object as the array's element, indented as text() indents it.
QByteArray element(const QJsonObject &contact);
// The same element written straight from the contact's fields (see JsonText), many times faster;
// from its card when its record's values are not built yet (see DumpCardJson).
QByteArray element(const ContactEntry &entry, const QStringList &groups);
QByteArray arrayEnd(bool anyElement);

} // namespace DumpJson
