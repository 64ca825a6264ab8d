#include "formats/CsvTokenizer.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == 0x2028 || u == 0x2029;
}

} // namespace

CsvTokenizer::CsvTokenizer(QStringView text, QChar separator)
    : m_text(text)
    , m_separator(separator)
{
}

bool CsvTokenizer::fail(const QString &message, qsizetype line)
{
    m_error = message;
    m_errorLine = line;
    m_position = m_text.size();
    return false;
}

bool CsvTokenizer::consumeLineBreak()
{
    if (m_position >= m_text.size() || !isLineBreak(m_text[m_position]))
        return false;
    if (m_text[m_position] == u'\r' && m_position + 1 < m_text.size() && m_text[m_position + 1] == u'\n')
        ++m_position;
    ++m_position;
    ++m_line;
    return true;
}

bool CsvTokenizer::next(QStringList &fields)
{
    fields.clear();
    if (!m_error.isEmpty() || atEnd())
        return false;
    const qsizetype size = m_text.size();
    const qsizetype recordStart = m_position;
    qsizetype linesInside = 0; // line breaks inside quoted fields do not count towards the length
    m_recordLine = m_line;

    while (true) {
        if (fields.size() >= MaxFields)
            return fail(QCoreApplication::translate("CsvReader", "Line %1 has more than %2 fields.")
                            .arg(m_recordLine)
                            .arg(MaxFields),
                m_recordLine);
        QString field;
        if (m_position < size && m_text[m_position] == u'"') {
            const qsizetype quoteLine = m_line;
            ++m_position;
            bool closed = false;
            while (m_position < size) {
                const QChar c = m_text[m_position];
                if (c == u'"') {
                    if (m_position + 1 < size && m_text[m_position + 1] == u'"') {
                        field += u'"';
                        m_position += 2;
                        continue;
                    }
                    ++m_position;
                    closed = true;
                    break;
                }
                if (isLineBreak(c)) {
                    // Line breaks inside a value become LF, whatever the file's line ends are.
                    const qsizetype before = m_position;
                    consumeLineBreak();
                    linesInside += m_position - before;
                    field += u'\n';
                } else {
                    field += c;
                    ++m_position;
                }
                if (field.size() > MaxFieldLength)
                    break;
            }
            if (field.size() > MaxFieldLength)
                return fail(QCoreApplication::translate(
                                "CsvReader", "A field on line %1 is longer than %2 characters.")
                                .arg(quoteLine)
                                .arg(MaxFieldLength),
                    quoteLine);
            if (!closed)
                return fail(QCoreApplication::translate(
                                "CsvReader", "The quoted field that starts on line %1 has no closing quote.")
                                .arg(quoteLine),
                    quoteLine);
        }
        // An unquoted field, or what follows a closing quote, runs to the separator or line end.
        const qsizetype start = m_position;
        while (m_position < size && m_text[m_position] != m_separator && !isLineBreak(m_text[m_position]))
            ++m_position;
        if (m_position - start + field.size() > MaxFieldLength)
            return fail(
                QCoreApplication::translate("CsvReader", "A field on line %1 is longer than %2 characters.")
                    .arg(m_line)
                    .arg(MaxFieldLength),
                m_line);
        field += m_text.sliced(start, m_position - start);
        fields.append(field);

        if (m_position < size && m_text[m_position] == m_separator) {
            ++m_position;
            continue;
        }
        m_recordLength = m_position - recordStart - linesInside;
        consumeLineBreak();
        return true;
    }
}
