#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <utility>

// Field values written straight as indented JSON text: byte for byte what
// QJsonDocument::toJson(Indented) writes for VariantJson::toJson of the same values, without building
// the QJsonValue tree first. The dump of a large file spent most of its time building and freeing
// that tree.
namespace JsonText {

using Members = QList<std::pair<QString, QVariant>>;

// Text written at the end of an array: room is made ahead of the bytes, which are then put straight
// into it. Appending piece by piece through the array's own calls cost more than the text itself:
// every comma and every indent went through an insert that checks, grows and copies. The array has
// its final size once the writer is gone.
class Writer
{
public:
    explicit Writer(QByteArray &out)
        : m_out(out)
        , m_used(out.size())
    {
    }
    ~Writer() { m_out.resize(m_used); }
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    // Room for n more bytes at the end of what is written; commit() says how many were used.
    char *room(qsizetype n)
    {
        if (m_used + n > m_out.size())
            m_out.resize(std::max(m_used + n, m_out.size() + m_out.size() / 2 + 256));
        return m_out.data() + m_used;
    }
    void commit(const char *end) { m_used = end - m_out.constData(); }
    void put(QByteArrayView bytes)
    {
        char *at = room(bytes.size());
        std::memcpy(at, bytes.data(), size_t(bytes.size()));
        m_used += bytes.size();
    }
    void put(char c)
    {
        *room(1) = c;
        ++m_used;
    }
    // depth steps of four spaces.
    void indent(int depth)
    {
        const qsizetype width = qsizetype(depth) * 4;
        std::memset(room(width), ' ', size_t(width));
        m_used += width;
    }
    // A string, quoted and escaped.
    void string(QStringView text);
    // An integer as the JSON writer spells one a double holds exactly.
    void integer(qint64 number);
    // A value as it stands depth steps in (see appendValue).
    void value(const QVariant &value, int depth);

private:
    QByteArray &m_out;
    qsizetype m_used;
};

// The value as it stands depth steps in: the lines inside it are indented depth + 1 steps of four
// spaces, and its closing bracket depth steps.
void appendValue(QByteArray &out, const QVariant &value, int depth);
// An object of the members in a JSON object's key order, a later member of the same key replacing an
// earlier one.
void appendObject(QByteArray &out, Members members, int depth);
// A string, quoted and escaped.
void appendString(QByteArray &out, const QString &text);

} // namespace JsonText
