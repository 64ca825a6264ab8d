#include "print/HagakiTextObject.h"

#include "model/LayoutString.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Any block of any paper we print on fits in this many points from the origin.
constexpr qreal MaxCoordinate = 5000;

QString exact(qreal v)
{
    if (!std::isfinite(v))
        v = 0;
    QString text = QString::number(v, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

} // namespace

namespace TextObject {

QRectF rect(const QVariantMap &object, const QString &key)
{
    return LayoutString::rectFromString(object.value(key).toString());
}

void setRect(QVariantMap &object, const QRectF &rect, const QString &key)
{
    // Layout strings round to hundredths; a text object keeps the exact numbers so that refitting and
    // the postal-code boxes see exactly what was laid out.
    object.insert(key,
        QStringLiteral("{{%1, %2}, {%3, %4}}")
            .arg(exact(rect.x()), exact(rect.y()), exact(rect.width()), exact(rect.height())));
}

bool isSender(const QVariantMap &object)
{
    return object.value(TextKey::Type).toString() == TextValue::Sender;
}

std::optional<QRectF> storedRect(const QVariant &rectText)
{
    const QString text = rectText.toString();
    if (!std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    const QRectF r = LayoutString::rectFromString(text);
    for (qreal v : { r.x(), r.y(), r.width(), r.height() }) {
        if (!std::isfinite(v) || std::abs(v) > MaxCoordinate)
            return std::nullopt;
    }
    return r;
}

QString bounded(const QString &text, qsizetype maxLines, qsizetype maxLength)
{
    if (text.size() <= maxLength && text.count(u'\n') < maxLines)
        return text;
    QStringList lines;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (lines.size() == maxLines)
            break;
        lines.append(line.left(maxLength).toString());
    }
    return lines.join(u'\n');
}

} // namespace TextObject
