#include "NormalizePhoneNumber.h"

#include <QFile>
#include <QRegularExpression>
#include <QtDebug>
#include <algorithm>

using namespace Qt::StringLiterals;

const QString NormalizePhoneNumber::FourPlusFourTitle = u"(12) 3456-7890"_s;
const QString NormalizePhoneNumber::ThreePlusFourTitle = u"(123) 456-7890"_s;
const QString NormalizePhoneNumber::TwoPlusFourTitle = u"(1234) 56-7890"_s;
const QString NormalizePhoneNumber::QuadTwoTitle = u"(12) 34 56 78 90"_s;
const QString NormalizePhoneNumber::CountryNumbersResource = u":/CountryNumbers.csv"_s;

namespace {

// A table longer than this is not a calling-code table; stop rather than grow without bound.
constexpr qsizetype MaxCountryRows = 10000;

bool isAsciiDigits(QStringView text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QList<CountryNumber> sortedByNumber(QList<CountryNumber> rows)
{
    std::stable_sort(rows.begin(), rows.end(),
        [](const CountryNumber &a, const CountryNumber &b) { return a.number < b.number; });
    return rows;
}

} // namespace

NormalizePhoneNumber::NormalizePhoneNumber()
{
    QFile file(CountryNumbersResource);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("NormalizePhoneNumber: ERROR can't read %s", qUtf8Printable(CountryNumbersResource));
        return;
    }
    m_countryNumbers = sortedByNumber(arrayFromCountryNumbersString(QString::fromUtf8(file.readAll())));
}

NormalizePhoneNumber::NormalizePhoneNumber(QList<CountryNumber> countryNumbers)
    : m_countryNumbers(sortedByNumber(std::move(countryNumbers)))
{
}

QList<CountryNumber> NormalizePhoneNumber::arrayFromCountryNumbersString(const QString &text)
{
    QList<CountryNumber> rows;
    const QStringList lines = text.split(QRegularExpression(u"\r\n|\r|\n"_s));
    for (qsizetype i = 1; i < lines.size() && rows.size() < MaxCountryRows; ++i) {
        const QString &line = lines.at(i);
        if (line.size() < 2)
            continue;
        const QStringList fields = line.split(u',');
        if (fields.size() != 4 || !isAsciiDigits(fields.at(0))) {
            qWarning("arrayFromCountryNumbersString: skipping malformed line %lld: %s",
                static_cast<long long>(i + 1), qUtf8Printable(line.left(80)));
            continue;
        }
        rows.append({ fields.at(0), fields.at(0).left(1), fields.at(1), fields.at(2), fields.at(3) });
    }
    return rows;
}

QString NormalizePhoneNumber::removeHyphenAndParenthesis(const QString &text)
{
    QString result = text;
    for (const QChar c : { u'-', u'(', u')', u' ' })
        result.remove(c);
    return result;
}

QString NormalizePhoneNumber::normalizeExtension(const QString &text)
{
    static const QRegularExpression extension(u"(ext\\.|ext|x)[0-9]"_s);
    const QRegularExpressionMatch match = extension.match(text);
    if (match.hasMatch()) {
        // The marker becomes a plain "x"; the digit that proved it an extension stays.
        QString result = text;
        result.replace(match.capturedStart(), match.capturedLength() - 1, u"x"_s);
        return result;
    }
    const qsizetype start = text.startsWith(u'+') ? 1 : 0;
    qsizetype end = start;
    while (end < text.size() && text.at(end) >= u'0' && text.at(end) <= u'9')
        ++end;
    if (end == start)
        return QString();
    return text.left(end);
}

void NormalizePhoneNumber::setPhoneNumber(const QString &text)
{
    m_phoneNumber = normalizeExtension(removeHyphenAndParenthesis(text));
}

QString NormalizePhoneNumber::countryNumber(const QString &text) const
{
    if (text.size() < 2 || !text.startsWith(u'+'))
        return QString();
    const QChar first = text.at(1);
    const QStringView afterPlus = QStringView(text).mid(1);
    for (const CountryNumber &row : m_countryNumbers) {
        if (row.firstDigit.isEmpty())
            continue;
        const QChar digit = row.firstDigit.at(0);
        if (digit < first)
            continue;
        if (digit > first)
            break;
        if (text.size() > row.number.size() + 1 && afterPlus.startsWith(row.number))
            return row.number;
    }
    return QString();
}

QString NormalizePhoneNumber::groupDigits(const QString &d, Layout layout)
{
    const qsizetype n = d.size();
    auto pairs = [&](qsizetype count) {
        QStringList parts;
        for (qsizetype i = count; i > 0; --i)
            parts.append(d.mid(n - 2 * i, 2));
        return u"(%1) %2"_s.arg(d.left(n - 2 * count), parts.join(u' '));
    };
    auto threeGroups = [&](qsizetype middle) {
        return u"(%1) %2-%3"_s.arg(d.left(n - 4 - middle), d.mid(n - 4 - middle, middle), d.right(4));
    };
    auto twoGroups = [&] { return u"(%1) %2"_s.arg(d.left(n - 4), d.right(4)); };

    switch (layout) {
    case Layout::FourPlusFour:
        return n >= 9 ? threeGroups(4) : n >= 5 ? twoGroups() : d;
    case Layout::ThreePlusFour:
        return n >= 8 ? threeGroups(3) : n >= 5 ? twoGroups() : d;
    case Layout::TwoPlusFour:
        return n >= 7 ? threeGroups(2) : n >= 5 ? twoGroups() : d;
    case Layout::QuadTwo:
        return n >= 9 ? pairs(4) : n >= 7 ? pairs(3) : n >= 5 ? pairs(2) : d;
    }
    return d;
}

QString NormalizePhoneNumber::layout(Layout layout) const
{
    QString t = m_phoneNumber;

    QString extension;
    const qsizetype x = t.indexOf(u'x');
    if (x >= 0 && x + 1 < t.size()) {
        extension = t.mid(x + 1);
        t.truncate(x);
    }

    const QString code = countryNumber(t);
    if (!code.isEmpty())
        t = t.mid(1 + code.size());

    // A "+" whose code is not known stays with the leading digits, in the first group.
    const bool unknownPlus = t.startsWith(u'+');
    if (unknownPlus)
        t.remove(0, 1);
    // Only digits are regrouped: text the cleaning kept beside an extension (a dot, a word) would be
    // cut into meaningless groups, so such a number is left as the user wrote it.
    if (!isAsciiDigits(t))
        return QString();

    QString result = groupDigits(t, layout);
    if (unknownPlus)
        result.insert(result.startsWith(u'(') ? 1 : 0, u'+');
    if (!extension.isEmpty())
        result += u" x%1"_s.arg(extension);
    if (!code.isEmpty())
        result = u"+%1 %2"_s.arg(code, result);
    return result;
}

std::optional<NormalizePhoneNumber::Layout> NormalizePhoneNumber::layoutForTitle(const QString &title)
{
    if (title == FourPlusFourTitle)
        return Layout::FourPlusFour;
    if (title == ThreePlusFourTitle)
        return Layout::ThreePlusFour;
    if (title == TwoPlusFourTitle)
        return Layout::TwoPlusFour;
    if (title == QuadTwoTitle)
        return Layout::QuadTwo;
    return std::nullopt;
}

std::optional<NormalizePhoneNumber::Layout> NormalizePhoneNumber::layoutForName(const QString &name)
{
    if (name == "4+4"_L1)
        return Layout::FourPlusFour;
    if (name == "3+4"_L1)
        return Layout::ThreePlusFour;
    if (name == "2+4"_L1)
        return Layout::TwoPlusFour;
    if (name == "2x4"_L1)
        return Layout::QuadTwo;
    return std::nullopt;
}

std::optional<QString> NormalizePhoneNumber::replacementForValue(const QString &value, Layout layout)
{
    setPhoneNumber(value);
    const QString result = this->layout(layout);
    if (result.isEmpty() || result == value)
        return std::nullopt;
    return result;
}
