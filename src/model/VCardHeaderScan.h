#pragma once

#include "model/VCardLineReader.h"

#include <QByteArrayView>
#include <algorithm>

// Finds the end of a property's header (its name and parameters) as the reader unfolds the
// property line by line, and the transfer encoding its parameters name. That encoding decides how
// the next lines join the value (a quoted-printable soft break, a base64 line), so it must be the
// one the whole property reads with: a look at part of the header, or at words inside a parameter
// value, joins a line that the property does not decode, and the line is lost from the card. Each
// byte is scanned once, however many lines a long header is folded over.
class VCardHeaderScan
{
public:
    void reset() { *this = VCardHeaderScan(); }
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
    static VCardProperty::Encoding encodingNamedBy(
        QByteArrayView parameters, QByteArrayView name, QByteArrayView value);
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
