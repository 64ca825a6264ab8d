#include "model/VariantCodec.h"

#include "model/DateComponents.h"
#include "model/StoreContact.h"

#include <QDate>
#include <QDateTime>
#include <QtEndian>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QString EndsEarly = u"data ends early"_s;

enum Tag : quint8 {
    Null = 0,
    Bool = 1,
    Int = 2,
    Double = 3,
    String = 4,
    Bytes = 5,
    List = 6,
    Map = 7,
    Date = 8,
    PostalAddress = 9,
    SocialProfile = 10,
    InstantMessage = 11,
    Relation = 12,
};

class Writer
{
public:
    QByteArray out;

    void u8(quint8 v) { out.append(char(v)); }
    void u32(quint32 v)
    {
        char b[4];
        qToBigEndian(v, b);
        out.append(b, 4);
    }
    void i64(qint64 v)
    {
        char b[8];
        qToBigEndian(v, b);
        out.append(b, 8);
    }
    void bytes(const QByteArray &b)
    {
        u32(quint32(b.size()));
        out.append(b);
    }
    void str(const QString &s) { bytes(s.toUtf8()); }

    void value(const QVariant &v)
    {
        const int type = v.typeId();
        if (!v.isValid() || v.isNull()) {
            u8(Null);
        } else if (type == QMetaType::Bool) {
            u8(Bool);
            u8(v.toBool() ? 1 : 0);
        } else if (type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt
            || type == QMetaType::ULongLong || type == QMetaType::Long || type == QMetaType::Short) {
            u8(Int);
            i64(v.toLongLong());
        } else if (type == QMetaType::Double || type == QMetaType::Float) {
            u8(Double);
            const double d = v.toDouble();
            quint64 bits;
            std::memcpy(&bits, &d, sizeof bits);
            i64(qint64(bits));
        } else if (type == QMetaType::QByteArray) {
            u8(Bytes);
            bytes(v.toByteArray());
        } else if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
            const QVariantList list = v.toList();
            u8(List);
            u32(quint32(list.size()));
            for (const QVariant &item : list)
                value(item);
        } else if (type == QMetaType::QVariantMap) {
            const QVariantMap map = v.toMap();
            u8(Map);
            u32(quint32(map.size()));
            for (auto it = map.cbegin(); it != map.cend(); ++it) {
                str(it.key());
                value(it.value());
            }
        } else if (type == qMetaTypeId<DateComponents>()) {
            date(v.value<DateComponents>());
        } else if (type == QMetaType::QDate) {
            date(DateComponents::fromDate(v.toDate()));
        } else if (type == QMetaType::QDateTime) {
            date(DateComponents::fromDate(v.toDateTime().date()));
        } else if (type == qMetaTypeId<StorePostalAddress>()) {
            const auto a = v.value<StorePostalAddress>();
            u8(PostalAddress);
            for (const QString *s : { &a.street, &a.city, &a.state, &a.postalCode, &a.country,
                     &a.isoCountryCode, &a.subLocality, &a.subAdministrativeArea })
                str(*s);
        } else if (type == qMetaTypeId<StoreSocialProfile>()) {
            const auto p = v.value<StoreSocialProfile>();
            u8(SocialProfile);
            for (const QString *s : { &p.urlString, &p.username, &p.userIdentifier, &p.service })
                str(*s);
        } else if (type == qMetaTypeId<StoreInstantMessageAddress>()) {
            const auto a = v.value<StoreInstantMessageAddress>();
            u8(InstantMessage);
            str(a.username);
            str(a.service);
        } else if (type == qMetaTypeId<StoreContactRelation>()) {
            u8(Relation);
            str(v.value<StoreContactRelation>().name);
        } else {
            // Anything else a record might hold is kept as its text.
            u8(String);
            str(v.toString());
        }
    }

    void date(const DateComponents &d)
    {
        u8(Date);
        i64(d.year);
        i64(d.month);
        i64(d.day);
    }
};

class Reader
{
public:
    explicit Reader(const QByteArray &data)
        : m_data(data)
    {
    }

    QString error;
    bool atEnd() const { return m_pos == m_data.size(); }

    bool value(QVariant &out, int depth)
    {
        if (depth > VariantCodec::MaxDepth)
            return fail(u"nesting deeper than %1 levels"_s.arg(VariantCodec::MaxDepth));
        quint8 tag = 0;
        if (!u8(tag))
            return false;
        switch (tag) {
        case Null:
            out = QVariant();
            return true;
        case Bool: {
            quint8 b = 0;
            if (!u8(b))
                return false;
            out = bool(b);
            return true;
        }
        case Int: {
            qint64 n = 0;
            if (!i64(n))
                return false;
            out = qlonglong(n);
            return true;
        }
        case Double: {
            qint64 bits = 0;
            if (!i64(bits))
                return false;
            double d;
            std::memcpy(&d, &bits, sizeof d);
            out = d;
            return true;
        }
        case String: {
            QString s;
            if (!str(s))
                return false;
            out = s;
            return true;
        }
        case Bytes: {
            QByteArray b;
            if (!bytes(b))
                return false;
            out = b;
            return true;
        }
        case List: {
            quint32 n = 0;
            if (!count(n))
                return false;
            QVariantList list;
            list.reserve(n);
            for (quint32 i = 0; i < n; ++i) {
                QVariant item;
                if (!value(item, depth + 1))
                    return false;
                list.append(item);
            }
            out = list;
            return true;
        }
        case Map: {
            quint32 n = 0;
            if (!count(n))
                return false;
            QVariantMap map;
            for (quint32 i = 0; i < n; ++i) {
                QString key;
                QVariant item;
                if (!str(key) || !value(item, depth + 1))
                    return false;
                map.insert(key, item);
            }
            out = map;
            return true;
        }
        case Date: {
            qint64 y = 0, m = 0, d = 0;
            if (!i64(y) || !i64(m) || !i64(d))
                return false;
            if (y < -100000 || y > 100000 || m < 0 || m > 12 || d < 0 || d > 31)
                return fail(u"date out of range"_s);
            out = QVariant::fromValue(DateComponents { int(y), int(m), int(d) });
            return true;
        }
        case PostalAddress: {
            StorePostalAddress a;
            for (QString *s : { &a.street, &a.city, &a.state, &a.postalCode, &a.country, &a.isoCountryCode,
                     &a.subLocality, &a.subAdministrativeArea }) {
                if (!str(*s))
                    return false;
            }
            out = QVariant::fromValue(a);
            return true;
        }
        case SocialProfile: {
            StoreSocialProfile p;
            for (QString *s : { &p.urlString, &p.username, &p.userIdentifier, &p.service }) {
                if (!str(*s))
                    return false;
            }
            out = QVariant::fromValue(p);
            return true;
        }
        case InstantMessage: {
            StoreInstantMessageAddress a;
            if (!str(a.username) || !str(a.service))
                return false;
            out = QVariant::fromValue(a);
            return true;
        }
        case Relation: {
            StoreContactRelation r;
            if (!str(r.name))
                return false;
            out = QVariant::fromValue(r);
            return true;
        }
        default:
            return fail(u"unknown value tag %1 at byte %2"_s.arg(tag).arg(m_pos - 1));
        }
    }

private:
    bool fail(const QString &why)
    {
        if (error.isEmpty())
            error = why;
        return false;
    }
    qsizetype remaining() const { return m_data.size() - m_pos; }

    bool u8(quint8 &v)
    {
        if (remaining() < 1)
            return fail(EndsEarly);
        v = quint8(m_data.at(m_pos++));
        return true;
    }
    bool u32(quint32 &v)
    {
        if (remaining() < 4)
            return fail(EndsEarly);
        v = qFromBigEndian<quint32>(m_data.constData() + m_pos);
        m_pos += 4;
        return true;
    }
    bool i64(qint64 &v)
    {
        if (remaining() < 8)
            return fail(EndsEarly);
        v = qFromBigEndian<qint64>(m_data.constData() + m_pos);
        m_pos += 8;
        return true;
    }
    // Every element takes at least one byte, so a count above what remains is a lie.
    bool count(quint32 &n)
    {
        if (!u32(n))
            return false;
        if (n > quint64(remaining()))
            return fail(u"element count %1 exceeds the data"_s.arg(n));
        return true;
    }
    bool bytes(QByteArray &b)
    {
        quint32 n = 0;
        if (!u32(n))
            return false;
        if (n > quint64(remaining()))
            return fail(u"length %1 exceeds the data"_s.arg(n));
        b = m_data.mid(m_pos, n);
        m_pos += n;
        return true;
    }
    bool str(QString &s)
    {
        QByteArray b;
        if (!bytes(b))
            return false;
        s = QString::fromUtf8(b);
        return true;
    }

    const QByteArray &m_data;
    qsizetype m_pos = 0;
};

} // namespace

QByteArray VariantCodec::encode(const QVariant &value)
{
    Writer w;
    w.value(value);
    return w.out;
}

bool VariantCodec::decode(const QByteArray &data, QVariant &value, QString *error)
{
    Reader r(data);
    QVariant v;
    if (!r.value(v, 0)) {
        if (error)
            *error = r.error;
        return false;
    }
    if (!r.atEnd()) {
        if (error)
            *error = u"trailing bytes after the value"_s;
        return false;
    }
    value = v;
    return true;
}
