#include "document/editors/DateRules.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QDate>

namespace DateRules {

std::optional<int> yearFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const int year = trimmed.toInt(&ok);
    if (!ok || year < 1 || year > MaximumYear || trimmed.startsWith(u'+'))
        return std::nullopt;
    return year;
}

QString textFromYear(int year)
{
    return year > 0 ? QString::number(year) : QString();
}

QStringList monthNames(const QLocale &locale)
{
    QStringList names;
    for (int month = 1; month <= 12; ++month)
        names << locale.standaloneMonthName(month, QLocale::ShortFormat);
    return names;
}

int daysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    return QDate(year > 0 ? year : 2000, month, 1).daysInMonth();
}

DateComponents today()
{
    return DateComponents::fromDate(QDate::currentDate());
}

QString displayText(const DateComponents &date)
{
    return ZRPerson::dateStringFromDateComponents(date);
}

QVariantMap birthdayResult(const DateComponents &date)
{
    return { { Key::Value, QVariant::fromValue(date) }, { Key::StringValue, displayText(date) } };
}

QVariantMap datesResult(const QString &label, const DateComponents &date, qsizetype labelIndex)
{
    QVariantMap entry { { Key::Label, label }, { Key::Value, QVariant::fromValue(date) },
        { Key::LabelIndex, labelIndex } };
    ZRPerson::updateDatesValue(entry);
    return entry;
}

} // namespace DateRules
