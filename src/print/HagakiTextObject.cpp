#include "HagakiTextObject.h"

#include "model/LayoutString.h"

#include <cmath>
#include <optional>

namespace {

// Any block of any paper we print on fits in this many points from the origin.
constexpr qreal MaxCoordinate = 5000;

} // namespace

namespace TextObject {

QRectF rect(const QVariantMap &object, const QString &key)
{
    return LayoutString::rectFromString(object.value(key).toString());
}

void setRect(QVariantMap &object, const QRectF &rect, const QString &key)
{
    object.insert(key, LayoutString::stringFromRect(rect));
}

bool isSender(const QVariantMap &object)
{
    return object.value(TextKey::Type).toString() == TextValue::Sender;
}

std::optional<QRectF> storedRect(const QVariant &rectText)
{
    const QString text = rectText.toString();
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const QRectF r = LayoutString::rectFromString(text);
    for (qreal v : { r.x(), r.y(), r.width(), r.height() }) {
        if (!std::isfinite(v) || std::abs(v) > MaxCoordinate)
            return std::nullopt;
    }
    return r;
}

} // namespace TextObject
