#include "print/HagakiName.h"

#include "model/Identifiers.h"
#include "print/HagakiTextObject.h"
#include "print/PrintOptionKeys.h"

#include <algorithm>

namespace HagakiName {

namespace {

constexpr qsizetype MaxJointNamesPrinted = 3;

const QStringList &leadingHonorifics()
{
    static const QStringList list { PrintValue::KeishouMr, PrintValue::KeishouMrs, PrintValue::KeishouMs,
        PrintValue::KeishouDr };
    return list;
}

const QStringList &trailingHonorifics()
{
    static const QStringList list { PrintValue::KeishouSama, PrintValue::KeishouDono,
        PrintValue::KeishouOnchu };
    return list;
}

QString spaced(const QString &text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        out += c;
        out += u' ';
    }
    return out;
}

QStringList renmeiOf(const QVariantMap &object)
{
    const QVariant value = object.value(TextKey::Renmei);
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return value.toStringList();
    const QString text = value.toString();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

qreal measure(const QString &text, const QFont &font, qreal size, const VerticalTextLayout::Options &options)
{
    return text.isEmpty() ? 0 : VerticalTextLayout::measureLength(text, font, size, options);
}

// The sender's lines end without their last blank.
QString finished(QString text, const Parts &parts)
{
    if (parts.sender && text.endsWith(u' '))
        text.chop(1);
    return text + parts.honorific;
}

} // namespace

Parts parts(const QVariantMap &textObject, const QVariantMap &layoutDict, bool sender, const QString &keishou)
{
    Parts result;
    result.sender = sender;
    const QVariantMap nameDict = textObject.value(TextKey::NameDict).toMap();
    result.last = nameDict.value(Ident::LastName).toString().left(TextObject::MaxLineLength);
    result.first = nameDict.value(Ident::FirstName).toString().left(TextObject::MaxLineLength);
    if (result.last.isEmpty() && result.first.isEmpty()) {
        if (!nameDict.contains(Ident::Name)) {
            result.last = TextValue::NoName;
        } else {
            const QString name = nameDict.value(Ident::Name).toString().left(2 * TextObject::MaxLineLength);
            qsizetype at = name.indexOf(QChar(0x3000));
            if (at < 0)
                at = name.indexOf(u' ');
            if (at > 0) {
                result.last = name.left(at);
                result.first = name.mid(at + 1);
            } else {
                result.last = name;
            }
        }
    }
    if (!sender && leadingHonorifics().contains(keishou))
        result.last.prepend(keishou);
    if (!sender && trailingHonorifics().contains(keishou))
        result.honorific = keishou;
    if (layoutDict.value(Key::Renmei).toBool()) {
        for (const QString &joint : renmeiOf(textObject)) {
            if (result.joint.size() == MaxJointNamesPrinted)
                break;
            if (!joint.isEmpty())
                result.joint.append(joint.left(TextObject::MaxLineLength));
        }
    }
    return result;
}

QStringList lines(const Parts &parts)
{
    QString main = spaced(parts.last);
    if (!parts.first.isEmpty())
        main += u' ' + spaced(parts.first);
    if (main.isEmpty())
        return { QString() };
    QStringList result { finished(main, parts) };
    for (const QString &joint : parts.joint)
        result.append(finished(spaced(joint), parts));
    return result;
}

QList<Line> layOut(
    const Parts &parts, const QFont &font, qreal size, const VerticalTextLayout::Options &options)
{
    const QStringList text = lines(parts);
    if (parts.joint.isEmpty() || text.first().isEmpty())
        return { Line { Segment { text.first(), 0 } } };

    // The given names (or, for a name in one piece, the names themselves) end together.
    const bool twoParts = !parts.first.isEmpty();
    const QString prefix = twoParts ? spaced(parts.last) + u' ' : QString();
    const qreal start = measure(prefix, font, size, options);
    const QString mainName = spaced(twoParts ? parts.first : parts.last);
    qreal field = measure(mainName, font, size, options);
    QList<qreal> jointLengths;
    for (const QString &joint : parts.joint) {
        jointLengths.append(measure(spaced(joint), font, size, options));
        field = std::max(field, jointLengths.last());
    }

    QList<Line> result;
    const qreal mainOffset = start + field - measure(mainName, font, size, options);
    Line main;
    if (twoParts)
        main.append(Segment { prefix, 0 });
    main.append(Segment { finished(mainName, parts), mainOffset });
    result.append(main);
    for (qsizetype i = 0; i < parts.joint.size(); ++i)
        result.append(Line { Segment { text.at(i + 1), start + field - jointLengths.at(i) } });
    return result;
}

QList<qreal> lengths(
    const QList<Line> &lines, const QFont &font, qreal size, const VerticalTextLayout::Options &options)
{
    QList<qreal> result;
    for (const Line &line : lines) {
        qreal length = 0;
        for (const Segment &segment : line)
            length = std::max(length, segment.offset + measure(segment.text, font, size, options));
        result.append(length);
    }
    return result;
}

QList<qreal> lengths(
    const Parts &parts, const QFont &font, qreal size, const VerticalTextLayout::Options &options)
{
    return lengths(layOut(parts, font, size, options), font, size, options);
}

QList<VerticalLineLayout> layOutColumns(const Parts &parts, const QFont &font, qreal size, qreal right,
    qreal top, qreal pitch, const VerticalTextLayout::Options &options)
{
    QList<VerticalLineLayout> columns;
    for (const Line &line : layOut(parts, font, size, options)) {
        VerticalLineLayout column;
        for (const Segment &segment : line) {
            if (segment.text.isEmpty())
                continue;
            VerticalLineLayout piece = VerticalTextLayout::layoutLine(
                { { segment.text, font, size } }, QPointF(right, top + segment.offset), options);
            column.glyphs += piece.glyphs;
            column.bounds = column.bounds.isNull() ? piece.bounds : column.bounds.united(piece.bounds);
            column.length = std::max(column.length, segment.offset + piece.length);
            column.usedVerticalForms = column.usedVerticalForms || piece.usedVerticalForms;
        }
        columns.append(column);
        right -= pitch;
    }
    return columns;
}

} // namespace HagakiName
