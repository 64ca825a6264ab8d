#include "tools/PostalCsv.h"

namespace PostalCsv {

QList<QStringView> splitRecord(QStringView line, bool *wellFormed)
{
    QList<QStringView> fields;
    bool ok = line.size() <= MaximumLineLength;
    qsizetype position = 0;
    const qsizetype length = ok ? line.size() : 0;
    while (position <= length && fields.size() < MaximumFields) {
        if (position < length && line[position] == u'"') {
            // Quoted: the field runs to the closing quote. A doubled quote stays doubled in the view;
            // the postal files never contain one, and a view cannot collapse it.
            qsizetype close = position + 1;
            while (true) {
                close = line.indexOf(u'"', close);
                if (close < 0 || close + 1 >= length || line[close + 1] != u'"')
                    break;
                close += 2;
            }
            if (close < 0) {
                ok = false;
                fields.append(line.mid(position + 1));
                position = length + 1;
                break;
            }
            fields.append(line.mid(position + 1, close - position - 1));
            position = close + 1;
            if (position < length && line[position] != u',') {
                ok = false; // text after the closing quote: skip it up to the next comma
                const qsizetype comma = line.indexOf(u',', position);
                position = comma < 0 ? length : comma;
            }
            position += 1; // past the comma (or past the end)
        } else {
            qsizetype comma = line.indexOf(u',', position);
            if (comma < 0)
                comma = length;
            fields.append(line.mid(position, comma - position));
            position = comma + 1;
        }
    }
    if (position <= length)
        ok = false; // more fields than any postal record has
    if (wellFormed)
        *wellFormed = ok;
    return fields;
}

void forEachRecord(QStringView text, const RecordHandler &record)
{
    qsizetype start = 0;
    qsizetype lineNumber = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        ++lineNumber;
        start = next;
        if (line.isEmpty())
            continue;
        if (line.size() > MaximumLineLength) {
            if (!record({}, lineNumber, false))
                return;
            continue;
        }
        bool wellFormed = true;
        const QList<QStringView> fields = splitRecord(line, &wellFormed);
        if (!record(fields, lineNumber, wellFormed))
            return;
    }
}

} // namespace PostalCsv
