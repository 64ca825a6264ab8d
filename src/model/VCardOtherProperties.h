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
// (CATEGORIES, joint names, layouts), and not an empty value. A PHOTO is kept: the record's own
// picture never comes here, only the others.
bool keeps(const VCardProperty &property);

// Appends the property to lines as one unfolded content line of UTF-8 ending in CR LF: without its
// group (the writer numbers groups of its own), its transfer encoding undone unless it is base64.
void append(QByteArray &lines, const VCardProperty &property);

// Whether a kept line is a picture (PHOTO): the card's first picture is the record's, so a kept one
// is written after it.
inline bool isPhotoLine(QByteArrayView line)
{
    return line.size() > 5 && line.startsWith("PHOTO") && (line[5] == ';' || line[5] == ':');
}

// Whether a kept PHOTO line holds its picture rather than a link to one: base64 (as append()
// writes it) or a data: URI.
inline bool isEmbeddedPhotoLine(QByteArrayView line)
{
    if (line.contains(";ENCODING=b:"))
        return true;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return line.sliced(i + 1).startsWith("data:") || line.sliced(i + 1).startsWith("DATA:");
    }
    return false;
}

// The lines but those holding pictures: what a card written without the record's picture keeps.
QByteArray withoutEmbeddedPhotos(QByteArrayView lines);

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
