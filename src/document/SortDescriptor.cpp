#include "document/SortDescriptor.h"

#include "document/DefaultsKeys.h"

QVariantMap SortDescriptor::toVariantMap() const
{
    return { { DefaultsValue::SortDescKey, key }, { DefaultsValue::SortDescAscending, ascending } };
}

std::optional<SortDescriptor> SortDescriptor::fromVariant(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = value.toMap();
    const QVariant key = map.value(DefaultsValue::SortDescKey);
    if (key.typeId() != QMetaType::QString || key.toString().isEmpty())
        return std::nullopt;
    SortDescriptor result;
    result.key = key.toString();
    // A missing direction is the usual one; settings files may hold the flag as text.
    const QVariant ascending = map.value(DefaultsValue::SortDescAscending);
    result.ascending = ascending.isValid() ? ascending.toBool() : true;
    return result;
}
