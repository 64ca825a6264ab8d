#include "print/vertical/VerticalNumerals.h"

#include "print/vertical/VerticalCharacters.h"

#include <array>

using namespace Qt::StringLiterals;

namespace VerticalNumerals {

namespace {

constexpr std::array<char16_t, 10> kanji { u'〇', u'一', u'二', u'三', u'四', u'五', u'六', u'七', u'八',
    u'九' };
constexpr std::array<char16_t, 3> groupWords { 0, u'万', u'億' };
constexpr qsizetype maxPositionalDigits = 12;
constexpr char16_t PostalMark = u'\u3012'; // 〒

bool isDigit(QChar c)
{
    return VerticalCharacters::isDigit(c.unicode());
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0xFF10 ? u - 0xFF10 : u - u'0';
}

bool isHyphen(QChar c)
{
    switch (c.unicode()) {
    case u'-':
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
    case 0x30FC:
    case 0xFF0D:
    case 0xFF70:
        return true;
    default:
        return false;
    }
}

// One group of up to four digits (value 1..9999) with 千, 百 and 十; a 1 before them is silent.
QString positionalGroup(int value)
{
    static constexpr std::array<char16_t, 4> places { 0, u'十', u'百', u'千' };
    QString out;
    for (int place = 3; place >= 0; --place) {
        int unit = 1;
        for (int i = 0; i < place; ++i)
            unit *= 10;
        const int digit = (value / unit) % 10;
        if (digit == 0)
            continue;
        if (place == 0 || digit != 1)
            out += QChar(kanji[digit]);
        if (place > 0)
            out += QChar(places[place]);
    }
    return out;
}

} // namespace

QString kanjiDigits(QStringView digits)
{
    QString out;
    out.reserve(digits.size());
    for (QChar c : digits)
        out += isDigit(c) ? QChar(kanji[digitValue(c)]) : c;
    return out;
}

QString kanjiPositional(QStringView digits)
{
    if (digits.isEmpty())
        return QString();
    if (digits.size() > maxPositionalDigits || (digits.size() > 1 && digitValue(digits[0]) == 0))
        return kanjiDigits(digits);
    qint64 value = 0;
    for (QChar c : digits)
        value = value * 10 + digitValue(c);
    if (value == 0)
        return QString(QChar(kanji[0]));
    QString out;
    for (int group = 2; group >= 0; --group) {
        qint64 unit = 1;
        for (int i = 0; i < group; ++i)
            unit *= 10000;
        const int part = int((value / unit) % 10000);
        if (part == 0)
            continue;
        // 10000 reads 一万, not 万: the silent 1 applies inside a group only.
        QString text = positionalGroup(part);
        if (group > 0 && part == 1)
            text = QString(QChar(kanji[1]));
        out += text;
        if (group > 0)
            out += QChar(groupWords[group]);
    }
    return out;
}

QString transform(const QString &text, const Options &options)
{
    QString out = text;
    if (options.hyphen != NumberHyphen::Keep) {
        const QChar replacement = options.hyphen == NumberHyphen::LongMark ? QChar(0x30FC) : QChar(u'の');
        for (qsizetype i = 1; i + 1 < out.size(); ++i) {
            if (isHyphen(out[i]) && isDigit(text[i - 1]) && isDigit(text[i + 1]))
                out[i] = replacement;
        }
    }
    if (options.uprightLetters) {
        for (QChar &c : out) {
            const char16_t u = c.unicode();
            if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
                c = QChar(char16_t(u - u'!' + 0xFF01));
        }
    }
    if (options.numerals == NumeralStyle::Arabic)
        return out;

    QString result;
    result.reserve(out.size());
    qsizetype i = 0;
    while (i < out.size()) {
        if (!isDigit(out[i])) {
            result += out[i++];
            continue;
        }
        qsizetype end = i;
        while (end < out.size() && isDigit(out[end]))
            ++end;
        const QStringView number = QStringView(out).mid(i, end - i);
        result
            += options.numerals == NumeralStyle::KanjiDigits ? kanjiDigits(number) : kanjiPositional(number);
        i = end;
    }
    return result;
}

qsizetype uprightNumberAt(QStringView text, qsizetype pos)
{
    if (pos < 0 || pos >= text.size() || !isDigit(text[pos]))
        return 0;
    if (pos > 0 && isDigit(text[pos - 1]))
        return 0;
    // A postal code after its mark is one number: "〒100-0001" must not stand "100" up beside "0001".
    if (pos > 0 && text[pos - 1] == PostalMark)
        return 0;
    qsizetype end = pos;
    while (end < text.size() && isDigit(text[end]) && end - pos <= MaxUprightDigits)
        ++end;
    const qsizetype length = end - pos;
    return length <= MaxUprightDigits ? length : 0;
}

} // namespace VerticalNumerals
