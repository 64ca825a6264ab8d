#include "print/pdf/PdfFile.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A cross-reference table larger than this is not one of ours.
constexpr qsizetype MaxObjects = 10'000'000;
constexpr qsizetype EntrySize = 20;

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

qsizetype skipSpace(const QByteArray &data, qsizetype at)
{
    while (at < data.size() && isSpace(data.at(at)))
        ++at;
    return at;
}

// Reads an unsigned decimal number at `at`; -1 when there is none.
qint64 readNumber(const QByteArray &data, qsizetype &at)
{
    at = skipSpace(data, at);
    const qsizetype start = at;
    qint64 value = 0;
    while (at < data.size() && data.at(at) >= '0' && data.at(at) <= '9' && at - start < 15)
        value = value * 10 + (data.at(at++) - '0');
    return at == start ? -1 : value;
}

bool startsWith(const QByteArray &data, qsizetype at, const char *word)
{
    return at >= 0 && at <= data.size() && QByteArrayView(data).sliced(at).startsWith(QByteArrayView(word));
}

// The end of the balanced "<< ... >>" starting at `at` (one past the closing ">>"), or -1.
qsizetype dictionaryEnd(const QByteArray &text, qsizetype at)
{
    int depth = 0;
    for (qsizetype i = at; i + 1 < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '(') {
            // A literal string may hold brackets; skip it, honouring escapes and nesting.
            int parens = 1;
            for (++i; i < text.size() && parens > 0; ++i) {
                if (text.at(i) == '\\')
                    ++i;
                else if (text.at(i) == '(')
                    ++parens;
                else if (text.at(i) == ')')
                    --parens;
            }
            --i;
        } else if (c == '<' && text.at(i + 1) == '<') {
            ++depth;
            ++i;
        } else if (c == '>' && text.at(i + 1) == '>') {
            --depth;
            ++i;
            if (depth == 0)
                return i + 1;
        }
    }
    return -1;
}

} // namespace

std::optional<PdfFile> PdfFile::parse(const QByteArray &data, QString *error)
{
    const auto fail = [error](const QString &message) -> std::optional<PdfFile> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (!data.startsWith("%PDF-"))
        return fail(u"not a PDF file"_s);
    const qsizetype startxref = data.lastIndexOf("startxref");
    if (startxref < 0 || data.size() - startxref > 1024)
        return fail(u"no cross-reference table at the end of the file"_s);
    qsizetype at = startxref + qsizetype(qstrlen("startxref"));
    const qint64 xref = readNumber(data, at);
    if (xref <= 0 || xref >= startxref || !startsWith(data, xref, "xref"))
        return fail(u"the cross-reference table is not where the file says"_s);

    PdfFile file;
    file.m_data = data;
    file.m_xrefStart = xref;
    at = xref + 4;
    QList<std::pair<int, qsizetype>> offsets;
    while (true) {
        const qsizetype before = skipSpace(data, at);
        if (startsWith(data, before, "trailer"))
            break;
        const qint64 first = readNumber(data, at);
        const qint64 count = readNumber(data, at);
        if (first < 0 || count < 0 || first + count > MaxObjects)
            return fail(u"the cross-reference table is damaged"_s);
        at = skipSpace(data, at);
        for (qint64 i = 0; i < count; ++i, at += EntrySize) {
            if (at + EntrySize > data.size())
                return fail(u"the cross-reference table is cut short"_s);
            if (data.at(at + 17) != 'n')
                continue;
            qsizetype digits = at;
            const qint64 offset = readNumber(data, digits);
            if (offset <= 0 || offset >= xref)
                return fail(u"an object lies outside the file"_s);
            offsets.append({ int(first + i), qsizetype(offset) });
        }
    }
    const qsizetype trailer = skipSpace(data, at);
    file.m_trailer = data.mid(trailer, startxref - trailer);
    if (file.m_trailer.contains("/Prev") || file.m_trailer.contains("/XRefStm"))
        return fail(u"the file has been updated in place"_s);

    // Objects follow one another: each ends where the next begins.
    std::sort(
        offsets.begin(), offsets.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        const auto [number, start] = offsets.at(i);
        const qsizetype limit = i + 1 < offsets.size() ? offsets.at(i + 1).second : xref;
        qsizetype header = start;
        if (readNumber(data, header) != number)
            return fail(u"object %1 is not where the table says"_s.arg(number));
        const qsizetype endobj = data.lastIndexOf("endobj", limit - 1);
        if (endobj < start)
            return fail(u"object %1 has no end"_s.arg(number));
        const qsizetype end = skipSpace(data, endobj + 6);
        file.m_objects.insert(number, Span { start, std::min(end, limit) });
    }
    return file;
}

QList<int> PdfFile::objectNumbers() const
{
    QList<int> numbers = m_objects.keys();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QByteArray PdfFile::object(int number) const
{
    if (const auto it = m_replaced.constFind(number); it != m_replaced.constEnd())
        return *it;
    const auto it = m_objects.constFind(number);
    if (it == m_objects.constEnd())
        return QByteArray();
    return m_data.mid(it->start, it->end - it->start);
}

QByteArray PdfFile::dictionary(int number) const
{
    const QByteArray text = object(number);
    const qsizetype open = text.indexOf("<<");
    const qsizetype stream = text.indexOf("stream");
    if (open < 0 || (stream >= 0 && stream < open))
        return QByteArray();
    const qsizetype end = dictionaryEnd(text, open);
    return end < 0 ? QByteArray() : text.mid(open + 2, end - open - 4);
}

std::optional<QByteArray> PdfFile::streamData(int number) const
{
    const QByteArray text = object(number);
    const qsizetype open = text.indexOf("<<");
    const qsizetype dictEnd = open < 0 ? -1 : dictionaryEnd(text, open);
    if (dictEnd < 0)
        return std::nullopt;
    qsizetype at = text.indexOf("stream", dictEnd);
    if (at < 0 || text.mid(dictEnd, at - dictEnd).trimmed().size() != 0)
        return std::nullopt;
    at += 6;
    if (at < text.size() && text.at(at) == '\r')
        ++at;
    if (at < text.size() && text.at(at) == '\n')
        ++at;
    const qsizetype end = text.lastIndexOf("endstream");
    if (end < at)
        return std::nullopt;
    // The stream's length is what its dictionary says when that is a number; the line end before
    // "endstream" is not part of it otherwise.
    const QByteArray length = value(text.mid(open + 2, dictEnd - open - 4), "Length");
    bool ok = false;
    const qsizetype declared = length.toLongLong(&ok);
    if (ok && declared >= 0 && at + declared <= end)
        return text.mid(at, declared);
    qsizetype stop = end;
    if (stop > at && text.at(stop - 1) == '\n')
        --stop;
    if (stop > at && text.at(stop - 1) == '\r')
        --stop;
    return text.mid(at, stop - at);
}

void PdfFile::replaceStream(int number, const QByteArray &dictionaryEntries, const QByteArray &data)
{
    QByteArray text = QByteArray::number(number) + " 0 obj\n<<";
    if (!dictionaryEntries.isEmpty())
        text += ' ' + dictionaryEntries.trimmed();
    text += " /Length " + QByteArray::number(data.size()) + " >>\nstream\n";
    text += data;
    text += "\nendstream\nendobj\n";
    m_replaced.insert(number, text);
    if (!m_objects.contains(number))
        m_objects.insert(number, Span { m_xrefStart, m_xrefStart });
}

QByteArray PdfFile::write() const
{
    if (m_replaced.isEmpty())
        return m_data;
    QList<std::pair<qsizetype, int>> order; // by place in the file
    for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it)
        order.append({ it->start, it.key() });
    std::sort(order.begin(), order.end());

    QByteArray out;
    out.reserve(m_data.size() + 4096);
    QHash<int, qsizetype> offsets;
    qsizetype copied = 0;
    for (const auto &[start, number] : order) {
        const Span span = m_objects.value(number);
        if (span.start > copied)
            out += QByteArrayView(m_data).sliced(copied, span.start - copied);
        offsets.insert(number, out.size());
        out += object(number);
        copied = std::max(copied, span.end);
    }
    if (m_xrefStart > copied)
        out += QByteArrayView(m_data).sliced(copied, m_xrefStart - copied);

    const qsizetype xref = out.size();
    int size = 1;
    for (int number : offsets.keys())
        size = std::max(size, number + 1);
    out += "xref\n0 " + QByteArray::number(size) + "\n0000000000 65535 f \n";
    for (int number = 1; number < size; ++number) {
        if (offsets.contains(number))
            out += QByteArray::number(offsets.value(number)).rightJustified(10, '0') + " 00000 n \n";
        else
            out += "0000000000 65535 f \n";
    }
    static const QRegularExpression sizeEntry(u"/Size\\s+\\d+"_s);
    QString trailer = QString::fromLatin1(m_trailer);
    trailer.replace(sizeEntry, u"/Size %1"_s.arg(size));
    out += trailer.toLatin1();
    out += "startxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

QByteArray PdfFile::value(const QByteArray &dictionary, const QByteArray &key)
{
    // Keys of the top level only: nested dictionaries are skipped.
    const QByteArray name = '/' + key;
    qsizetype at = 0;
    int depth = 0;
    while (at < dictionary.size()) {
        if (startsWith(dictionary, at, "<<")) {
            ++depth;
            at += 2;
            continue;
        }
        if (startsWith(dictionary, at, ">>")) {
            --depth;
            at += 2;
            continue;
        }
        if (depth == 0 && startsWith(dictionary, at, name.constData())) {
            const qsizetype after = at + name.size();
            if (after < dictionary.size() && !isSpace(dictionary.at(after)) && dictionary.at(after) != '/'
                && dictionary.at(after) != '[' && dictionary.at(after) != '<'
                && dictionary.at(after) != '(') {
                at = after;
                continue;
            }
            qsizetype start = skipSpace(dictionary, after);
            if (start >= dictionary.size())
                return QByteArray();
            const char first = dictionary.at(start);
            if (first == '[') {
                int brackets = 0;
                for (qsizetype i = start; i < dictionary.size(); ++i) {
                    if (dictionary.at(i) == '[')
                        ++brackets;
                    else if (dictionary.at(i) == ']' && --brackets == 0)
                        return dictionary.mid(start, i + 1 - start);
                }
                return QByteArray();
            }
            if (first == '<' && startsWith(dictionary, start, "<<")) {
                const qsizetype end = dictionaryEnd(dictionary, start);
                return end < 0 ? QByteArray() : dictionary.mid(start, end - start);
            }
            qsizetype end = start + (first == '/' ? 1 : 0);
            while (end < dictionary.size() && !isSpace(dictionary.at(end)) && dictionary.at(end) != '/'
                && dictionary.at(end) != '>' && dictionary.at(end) != '[' && dictionary.at(end) != '<')
                ++end;
            QByteArray result = dictionary.mid(start, end - start);
            // A reference is three words: "n 0 R".
            static const QRegularExpression referencePattern(u"^\\s*(\\d+)\\s+(\\d+)\\s+R"_s);
            const QRegularExpressionMatch ref
                = referencePattern.match(QString::fromLatin1(dictionary.mid(start, 40)));
            if (ref.hasMatch())
                result = ref.captured(0).trimmed().toLatin1();
            return result;
        }
        ++at;
    }
    return QByteArray();
}

int PdfFile::reference(const QByteArray &value)
{
    static const QRegularExpression referencePattern(u"^\\s*(\\d+)\\s+\\d+\\s+R\\s*$"_s);
    const QRegularExpressionMatch match = referencePattern.match(QString::fromLatin1(value));
    if (!match.hasMatch())
        return -1;
    bool ok = false;
    const int number = match.captured(1).toInt(&ok);
    return ok ? number : -1;
}
