#include "model/VCardOtherProperties.h"

namespace {

bool dropped(QByteArrayView name)
{
    static const char *const names[] = { "BEGIN", "END", "VERSION", "PRODID", "REV", "CATEGORIES", "X-RENMEI",
        "X-HAGAKILAYOUTS", "X-ABLABEL", "X-ABADR", "NAME", "PROFILE", "AGENT", "LABEL" };
    for (const char *dropped : names) {
        if (VCardLineReader::equalsIgnoringCase(name, dropped))
            return true;
    }
    return false;
}

bool validName(QByteArrayView name)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const bool ok
            = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

void appendUpper(QByteArray &out, QByteArrayView text)
{
    for (const char c : text)
        out += (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

// Whether a parameter value can be written so that it reads back as it is: quotes and control
// characters cannot stand in one, and taking them out could change what it says (X-IRMC-N).
bool writable(QByteArrayView value)
{
    for (const char c : value) {
        if (c == '"' || (uchar(c) < 0x20 && c != '\t') || c == 0x7F)
            return false;
    }
    return true;
}

// A value that may not stand bare is quoted; white space at its ends would be trimmed on reading.
void appendParameterValue(QByteArray &out, QByteArrayView value)
{
    const QByteArray cleaned = value.toByteArray().trimmed();
    // Bare, these would name the value's encoding; quoted they are text, as they were read.
    const bool quote = cleaned.contains(',') || cleaned.contains(';') || cleaned.contains(':')
        || VCardLineReader::equalsIgnoringCase(cleaned, "BASE64")
        || VCardLineReader::equalsIgnoringCase(cleaned, "QUOTED-PRINTABLE");
    if (quote)
        out += '"';
    out += cleaned;
    if (quote)
        out += '"';
}

// Line breaks in a decoded value are written as the escape vCard 3.0 reads as one.
void appendValue(QByteArray &out, QByteArrayView value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r') {
            if (i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
}

} // namespace

namespace VCardOtherProperties {

bool keeps(const VCardProperty &property)
{
    return validName(property.name) && !dropped(property.name)
        && !VCardLineReader::trimmedBytes(property.rawValue).isEmpty();
}

void append(QByteArray &lines, const VCardProperty &property)
{
    appendUpper(lines, property.name);
    VCardLineReader::forEachParameter(property.parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (VCardLineReader::equalsIgnoringCase(name, "ENCODING")
            || VCardLineReader::equalsIgnoringCase(name, "CHARSET") || !validName(name) || !writable(value))
            return true;
        // A 2.1 TYPE written as an encoding's name (a bare BASE64) is the encoding, said below.
        if (VCardLineReader::equalsIgnoringCase(name, "TYPE")
            && !VCardLineReader::isQuotedParameterValue(property.parameters, value)
            && (VCardLineReader::equalsIgnoringCase(value, "BASE64")
                || VCardLineReader::equalsIgnoringCase(value, "QUOTED-PRINTABLE")
                || VCardLineReader::equalsIgnoringCase(value, "8BIT")))
            return true;
        lines += ';';
        appendUpper(lines, name);
        lines += '=';
        appendParameterValue(lines, value);
        return true;
    });
    const bool utf8
        = property.charset.isEmpty() || VCardLineReader::equalsIgnoringCase(property.charset, "UTF-8");
    if (property.encoding == VCardProperty::Encoding::Base64) {
        lines += ";ENCODING=b:";
        for (const char c : property.rawValue) {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                lines += c;
        }
    } else if (property.encoding == VCardProperty::Encoding::None && utf8) {
        lines += ':';
        appendValue(lines, VCardLineReader::trimmedBytes(property.rawValue));
    } else {
        lines += ':';
        appendValue(lines, VCardLineReader::decodedText(property).trimmed().toUtf8());
    }
    lines += "\r\n";
}

QByteArray withoutEmbeddedPhotos(QByteArrayView lines)
{
    QByteArray kept;
    forEachLine(lines, [&kept](QByteArrayView line) {
        if (isPhotoLine(line) && isEmbeddedPhotoLine(line))
            return;
        kept += line;
        kept += "\r\n";
    });
    return kept;
}

} // namespace VCardOtherProperties
