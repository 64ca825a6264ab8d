#pragma once

#include "model/StoreContact.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Writes store contacts as vCard 3.0 (UTF-8, CR LF). Standard labels become TYPE parameters;
// any other label is written as an "itemN." group with X-ABLabel. A birthday or date without a
// year is written as year 1604 with X-APPLE-OMIT-YEAR=1604, a full date that 3.0 readers accept
// and that the parameter marks as year-less. NOTE and PHOTO are left to the document's writer, as
// are CATEGORIES and the document's own X-RENMEI and X-HAGAKILAYOUTS: no card written here has any
// of them, and nothing but its last line starts with END:VCARD (values never hold a bare line break).
class VCardWriter
{
public:
    static QByteArray write(const QList<StoreContact> &contacts, QString *error = nullptr);
    // Appends the contact's card; beforeEnd (whole content lines with CR LF) goes in just before its
    // END:VCARD line.
    static void appendCard(QByteArray &out, const StoreContact &contact, QByteArrayView beforeEnd = {});

    // Appends one content line with CR LF, folded so that no line exceeds 75 octets and no
    // UTF-8 sequence is split.
    static void appendFolded(QByteArray &out, QByteArrayView line);
    // Appends text as UTF-8 with the backslash escapes of vCard 3.0 text values.
    static void appendEscaped(QByteArray &out, QStringView text);

    static constexpr int YearlessYear = 1604;
};
