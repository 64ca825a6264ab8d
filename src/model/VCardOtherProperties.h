#pragma once

#include "model/VCardLineReader.h"

#include <QByteArray>
#include <QByteArrayView>

// Properties of a card that no field of a contact holds (GEO, a client's own X- properties, a
// second TITLE...). They are kept as vCard 3.0 content lines and written back with the card, so that
// a file read and exported loses none of what its writer put in it.
namespace VCardOtherProperties {

// Whether a property nothing else reads is worth keeping: not the card's frame or version, not the
// stamps of the program that wrote it (PRODID, REV), not what the document reads itself
// (CATEGORIES, joint names, layouts), and not an empty value.
bool keeps(const VCardProperty &property);

// Appends the property to lines as one unfolded content line of UTF-8 ending in CR LF: without its
// group (the writer numbers groups of its own), its transfer encoding undone unless it is base64.
void append(QByteArray &lines, const VCardProperty &property);

// Calls f with each content line of lines, without its CR LF.
template <typename F> void forEachLine(QByteArrayView lines, F &&f)
{
    while (!lines.isEmpty()) {
        qsizetype end = lines.indexOf("\r\n");
        if (end < 0)
            end = lines.size();
        if (end > 0)
            f(lines.first(end));
        lines = lines.sliced(std::min(lines.size(), end + 2));
    }
}

} // namespace VCardOtherProperties
