#include "model/LayoutString.h"

#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"

#include <QStringView>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

struct RectKey
{
    const QString &key;
    QLatin1StringView tag;
};

// Written in this order; the tags are the file format.
const std::array<RectKey, 4> &rectKeys()
{
    static const std::array<RectKey, 4> keys = { {
        { Key::ReceiverAddress, "ra"_L1 },
        { Key::ReceiverName, "rn"_L1 },
        { Key::SenderAddress, "sa"_L1 },
        { Key::SenderName, "sn"_L1 },
    } };
    return keys;
}

bool isNumberStart(QChar c, QChar next)
{
    if (c.isDigit())
        return true;
    return (c == u'-' || c == u'+' || c == u'.') && (next.isDigit() || next == u'.');
}

} // namespace

QRectF LayoutString::rectFromString(const QString &rectText)
{
    // Reads up to four numbers in order, like the platform's rectangle notation reader; anything that
    // is not a number separates them. Lengths are bounded by the text itself, so no input can hang this.
    std::array<double, 4> v { 0, 0, 0, 0 };
    qsizetype found = 0;
    const qsizetype n = rectText.size();
    qsizetype i = 0;
    while (i < n && found < 4) {
        const QChar next = i + 1 < n ? rectText.at(i + 1) : QChar();
        if (!isNumberStart(rectText.at(i), next)) {
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n) {
            const QChar c = rectText.at(j);
            const bool exponentSign
                = (c == u'-' || c == u'+') && (rectText.at(j - 1) == u'e' || rectText.at(j - 1) == u'E');
            if (!(c.isDigit() || c == u'.' || c == u'e' || c == u'E' || exponentSign))
                break;
            ++j;
        }
        bool ok = false;
        double d = QStringView(rectText).mid(i, j - i).toDouble(&ok);
        if (!ok || !std::isfinite(d))
            d = 0;
        v[found++] = d;
        i = j;
    }
    return QRectF(v[0], v[1], v[2], v[3]);
}

QString LayoutString::stringFromRect(const QRectF &r)
{
    return QString::asprintf("{{%4.2f,%4.2f},{%4.2f,%4.2f}}", r.x(), r.y(), r.width(), r.height());
}

QString LayoutString::normarizeRect(const QString &rectText)
{
    return stringFromRect(rectFromString(rectText));
}

QString LayoutString::layoutStringFromHagakiLayoutDict(const QVariantMap &record)
{
    if (record.isEmpty())
        return QString(u""_s);
    // The seven keys are found in one walk through the record, an address's dictionary as often as
    // not: an export asks for the string of every address of every record.
    static const QString *const keys[] = { &Key::Sender, &Key::Company, &Key::Renmei, &rectKeys()[0].key,
        &rectKeys()[1].key, &rectKeys()[2].key, &rectKeys()[3].key };
    const QVariant *found[7];
    findKeys(record, keys, found);
    long flags = 0;
    if (found[0] && found[0]->toBool())
        flags |= SenderFlag;
    if (found[1] && found[1]->toBool())
        flags |= CompanyFlag;
    if (found[2] && found[2]->toBool())
        flags |= RenmeiFlag;
    QString out;
    for (size_t i = 0; i < rectKeys().size(); ++i) {
        const QVariant *v = found[3 + i];
        if (!v || v->typeId() != QMetaType::QString)
            continue;
        const QString text = v->toString();
        if (text.isEmpty())
            continue;
        if (out.isEmpty())
            out = QString::number(flags) + u';';
        out += rectKeys()[i].tag + u':' + normarizeRect(text) + u';';
    }
    if (!out.isEmpty())
        return out;
    // Most addresses have no layout of their own: their few strings are made once.
    static const QString flagsOnly[]
        = { u"0;"_s, u"1;"_s, u"2;"_s, u"3;"_s, u"4;"_s, u"5;"_s, u"6;"_s, u"7;"_s };
    return flagsOnly[flags];
}

void LayoutString::hagakiLayoutFromLayoutString(QVariantMap &record, const QString &layoutString)
{
    if (layoutString.isEmpty())
        return;
    const QList<QStringView> pieces = QStringView(layoutString).split(u';');
    const int flags = pieces.value(0).trimmed().toInt();
    record.insert(Key::Sender, bool(flags & SenderFlag));
    record.insert(Key::Company, bool(flags & CompanyFlag));
    record.insert(Key::Renmei, bool(flags & RenmeiFlag));
    for (const QStringView piece : pieces) {
        const qsizetype colon = piece.indexOf(u':');
        if (colon < 0)
            continue;
        const QStringView tag = piece.left(colon);
        // The rectangle's own text never holds ':', so the second part is everything after the first one.
        const QStringView rest = piece.mid(colon + 1);
        const qsizetype second = rest.indexOf(u':');
        const QStringView value = second < 0 ? rest : rest.left(second);
        for (const RectKey &rk : rectKeys()) {
            if (tag == rk.tag)
                record.insert(rk.key, value.toString());
        }
    }
}
