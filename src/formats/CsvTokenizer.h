#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Cuts delimited text into records of fields. A field that starts with a double quote runs to the
// quote that closes it, through separators and line breaks, with doubled quotes standing for one;
// text between a closing quote and the next separator is kept as it is. Any other field runs to
// the next separator. Records end at CR, LF, CR LF or a Unicode line or paragraph separator.
// Field lengths and counts are bounded, so hostile text costs bounded memory.
class CsvTokenizer
{
public:
    static constexpr qsizetype MaxFieldLength = 1024 * 1024;
    static constexpr qsizetype MaxFields = 4096;

    explicit CsvTokenizer(QStringView text, QChar separator = u',');

    // Reads the next record into fields; false at the end of the text or on an error.
    bool next(QStringList &fields);

    bool atEnd() const { return m_position >= m_text.size(); }
    // Characters of the last record, its line break excluded; quotes and separators count.
    qsizetype recordLength() const { return m_recordLength; }
    // The line (from 1) on which the last record started.
    qsizetype recordLine() const { return m_recordLine; }
    // Why reading stopped early; empty when it did not.
    QString error() const { return m_error; }
    qsizetype errorLine() const { return m_errorLine; }

private:
    bool fail(const QString &message, qsizetype line);
    // Consumes the line break at the current position, if any; true when there was one.
    bool consumeLineBreak();

    QStringView m_text;
    QChar m_separator;
    qsizetype m_position = 0;
    qsizetype m_line = 1;
    qsizetype m_recordLength = 0;
    qsizetype m_recordLine = 0;
    QString m_error;
    qsizetype m_errorLine = 0;
};
