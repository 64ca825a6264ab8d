#include "model/VCardHeaderScan.h"

void VCardHeaderScan::scan(QByteArrayView text)
{
    if (m_stage == Stage::Done)
        return;
    const char *data = text.data();
    const qsizetype size = text.size();
    qsizetype i = m_scanned;
    if (m_stage == Stage::Name) {
        // The name runs to the first ";" or ":", as the property's reading cuts it.
        while (i < size && data[i] != ';' && data[i] != ':')
            ++i;
        if (i == size) {
            m_scanned = size;
            return;
        }
        if (data[i] == ':') {
            m_stage = Stage::Done;
            m_encoding = VCardProperty::Encoding::None;
            m_scanned = i + 1;
            return;
        }
        m_stage = Stage::Parameters;
        m_parametersStart = ++i;
    }
    // A Q or a B noted on the way spares the look at each parameter when there is none.
    for (; i < size; ++i) {
        const char c = data[i];
        const char lower = char(c | 0x20);
        m_mayNameEncoding = m_mayNameEncoding || lower == 'q' || lower == 'b';
        if (c == '"') {
            m_quoted = !m_quoted;
        } else if (c == ':') {
            if (!m_quoted) {
                settle(text, i);
                m_stage = Stage::Done;
                m_scanned = i + 1;
                return;
            }
            if (m_firstColon < 0) {
                // An unbalanced quote would leave the header at this colon if nothing follows.
                m_firstColon = i;
                settle(text, i);
            }
        }
    }
    m_scanned = size;
}

void VCardHeaderScan::settle(QByteArrayView text, qsizetype colon)
{
    m_encoding = m_mayNameEncoding
        ? encodingOfParameters(text.sliced(m_parametersStart, colon - m_parametersStart))
        : VCardProperty::Encoding::None;
}

VCardProperty::Encoding VCardHeaderScan::encodingOfParameters(QByteArrayView parameters)
{
    VCardProperty::Encoding encoding = VCardProperty::Encoding::None;
    VCardLineReader::forEachParameter(parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (const VCardProperty::Encoding named = encodingNamedBy(parameters, name, value);
            named != VCardProperty::Encoding::None)
            encoding = named;
        return true;
    });
    return encoding;
}
