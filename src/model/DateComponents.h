#pragma once

#include <QDataStream>
#include <QDate>
#include <QMetaType>

// A calendar date whose year may be absent (a birthday without the year). Held inside field
// dictionaries as a QVariant, so it is registered with the meta-type system and streamable.
struct DateComponents
{
    int year = 0; // 0: no year
    int month = 0;
    int day = 0;

    bool hasYear() const { return year != 0; }
    // A date whose month and day exist (in a leap year when the year is absent).
    bool isValid() const { return month >= 1 && month <= 12 && day >= 1 && QDate(hasYear() ? year : 2000, month, day).isValid(); }
    QDate toDate() const { return hasYear() ? QDate(year, month, day) : QDate(); }
    static DateComponents fromDate(const QDate &date) { return { date.year(), date.month(), date.day() }; }

    friend bool operator==(const DateComponents &, const DateComponents &) = default;
};

inline QDataStream &operator<<(QDataStream &out, const DateComponents &d)
{
    return out << qint32(d.year) << qint32(d.month) << qint32(d.day);
}

inline QDataStream &operator>>(QDataStream &in, DateComponents &d)
{
    qint32 y = 0, m = 0, day = 0;
    in >> y >> m >> day;
    d = { y, m, day };
    return in;
}

Q_DECLARE_METATYPE(DateComponents)
