#pragma once

#include "model/VCardLineReader.h"

#include <QByteArrayView>
#include <algorithm>
#include <cstring>

// Finds the end of a property's header (its name and parameters) as the reader unfolds the
// property line by line, and the transfer encoding its parameters name. That encoding decides how
// the next lines join the value (a quoted-printable soft break, a base64 line), so it must be the
// one the whole property reads with: a look at part of the header, or at words inside a parameter
// value, joins a line that the property does not decode, and the line is lost from the card. Each
// byte is scanned once, however many lines a long header is folded over.
class VCardHeaderScan
{
public:
    // Starts on the first line of a property. Every line of a file passes here, so the common
    // header (a colon, no quote among the parameters) is decided inline, with memchr, which is
    // inlined where QByteArrayView's search is a call.
    void start(QByteArrayView line)
    {
        *this = VCardHeaderScan();
        const char *data = line.data();
        const auto *colon = static_cast<const char *>(memchr(data, ':', size_t(line.size())));
        if (!colon)
            return scan(line);
        const auto *semicolon = static_cast<const char *>(memchr(data, ';', size_t(colon - data)));
        if (!semicolon) {
            m_stage = Stage::Done;
            m_scanned = colon - data + 1;
            return;
        }
        const char *parameters = semicolon + 1;
        if (memchr(parameters, '"', size_t(colon - parameters)))
            return scan(line);
        // Most parameters (TYPE=HOME, TYPE=CELL ...) hold neither a Q nor a B: one pass over them
        // tells, before the parameters are looked at one by one.
        bool mayNameEncoding = false;
        for (const char *c = parameters; c < colon; ++c) {
            const char lower = char(*c | 0x20);
            mayNameEncoding |= lower == 'q' || lower == 'b';
        }
        m_parametersStart = parameters - data;
        m_mayNameEncoding = mayNameEncoding;
        settle(line, colon - data);
        m_stage = Stage::Done;
        m_scanned = colon - data + 1;
    }
    // Goes on through text (the property so far, of which earlier calls saw a start) from where the
    // last call stopped.
    void scan(QByteArrayView text);
    // The text was cut back to size bytes (a soft line break taken out of it).
    void truncate(qsizetype size) { m_scanned = std::min(m_scanned, size); }
    bool isComplete() const { return m_stage == Stage::Done; }
    // The encoding the property reads with if it ends here.
    VCardProperty::Encoding encoding() const { return m_encoding; }

    // The encoding one parameter that forEachParameter gave names; None when it names none. A
    // quoted TYPE value is text (a service called "BASE64"), never a keyword.
    // Asked for every parameter of a file: inline, and the value, which seldom has the length of a
    // word, is looked at first.
    static VCardProperty::Encoding encodingNamedBy(
        QByteArrayView parameters, QByteArrayView name, QByteArrayView value)
    {
        using Encoding = VCardProperty::Encoding;
        Encoding named;
        if (VCardLineReader::equalsIgnoringCase(value, "QUOTED-PRINTABLE"))
            named = Encoding::QuotedPrintable;
        else if (VCardLineReader::equalsIgnoringCase(value, "BASE64"))
            named = Encoding::Base64;
        else if (value.size() == 1 && (value[0] | 0x20) == 'b')
            return VCardLineReader::equalsIgnoringCase(name, "ENCODING") ? Encoding::Base64 : Encoding::None;
        else
            return Encoding::None;
        if (VCardLineReader::equalsIgnoringCase(name, "ENCODING"))
            return named;
        if (VCardLineReader::equalsIgnoringCase(name, "TYPE")
            && !VCardLineReader::isQuotedParameterValue(parameters, value))
            return named;
        return Encoding::None;
    }
    // The encoding the parameters name, the last one that names one winning.
    static VCardProperty::Encoding encodingOfParameters(QByteArrayView parameters);

private:
    void settle(QByteArrayView text, qsizetype colon);

    enum class Stage { Name, Parameters, Done };
    Stage m_stage = Stage::Name;
    qsizetype m_scanned = 0;
    qsizetype m_parametersStart = 0;
    qsizetype m_firstColon = -1; // the first colon after the parameters begin, quoted or not
    bool m_quoted = false;
    bool m_mayNameEncoding = false; // a Q or a B among the parameters so far
    VCardProperty::Encoding m_encoding = VCardProperty::Encoding::None;
};
