#pragma once

#include "model/DateComponents.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// The rules of the date editors (the birthday and the labelled dates).
namespace DateRules {

inline constexpr int MaximumYear = 2900;

// The year field: empty gives no year (0); a whole number from 1 to MaximumYear is taken; anything
// else is refused (nullopt).
std::optional<int> yearFromText(const QString &text);
QString textFromYear(int year);
// The month menu: the twelve months by their short names ("MMM") in the locale.
QStringList monthNames(const QLocale &locale = QLocale());
// The number of days the month has (in a leap year when there is no year).
int daysInMonth(int year, int month);
// Today, as the picker starts.
DateComponents today();
// The text a date is shown as: "yyyy.MM.dd(EEE)", or "MM.dd" without a year.
QString displayText(const DateComponents &date);

// What the birthday editor hands back: {"value": the date, "stringValue": its text}.
QVariantMap birthdayResult(const DateComponents &date);
// What the dates editor hands back: one labelled date carrying its number.
QVariantMap datesResult(const QString &label, const DateComponents &date, qsizetype labelIndex);

} // namespace DateRules
