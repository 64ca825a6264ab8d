#pragma once

#include "document/DocumentReader.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

// The contacts of a read as JSON, as "corvanthe dump" prints them. Other tools and tests compare this
// output, so it must stay stable: every non-empty field by its identifier (the photo by its size in
// bytes), the joint names, the postcard layout string of each address when any address has one, and
// the names of the category groups that hold the contact.
namespace DumpJson {

// One object per contact, in file order.
QJsonArray contacts(const DocumentReadResult &read);
// The object of one contact, given the names of the groups that hold it.
QJsonObject contact(const ContactEntry &entry, const QJsonArray &groups);
// The output for all the contacts of every file: one indented JSON array.
QByteArray text(const QJsonArray &contacts);

} // namespace DumpJson
