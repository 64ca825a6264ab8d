#pragma once

#include <QJsonValue>
#include <QVariant>

struct DateComponents;

// Field values as JSON, for the command line's stable output: dictionaries become objects, lists
// arrays, dates "yyyy-MM-dd" (or "--MM-dd" without a year), the store's objects objects of their parts.
namespace VariantJson {

QJsonValue toJson(const QVariant &value);
// A date as toJson spells it.
QString dateText(const DateComponents &date);

} // namespace VariantJson
