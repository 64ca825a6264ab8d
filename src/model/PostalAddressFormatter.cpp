#include "model/PostalAddressFormatter.h"

#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/StoreContact.h"

#include <QList>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Templates come from the resource or from the address editor; anything longer is not a template.
constexpr qsizetype MaxTemplateLength = 1000;

// One piece of a template line: literal text, or the value of a part.
struct Piece
{
    bool isToken = false;
    QString text;
};

QString singleLine(const QString &value)
{
    QString text = value;
    text.replace(u"\r\n"_s, u" "_s).replace(u'\n', u' ').replace(u'\r', u' ');
    return text.trimmed();
}

// The street block: the street's own lines, then the extended address and the post-office box,
// which the reader keeps so that nothing a card carries is lost on the envelope.
QString streetBlock(const StorePostalAddress &address)
{
    QStringList lines;
    QString street = address.street;
    street.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    for (const QString &line : street.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines += trimmed;
    }
    for (const QString &extra : { address.subLocality, address.subAdministrativeArea }) {
        const QString trimmed = singleLine(extra);
        if (!trimmed.isEmpty())
            lines += trimmed;
    }
    return lines.join(u'\n');
}

QString tokenValue(QChar token, const StorePostalAddress &address)
{
    switch (token.unicode()) {
    case 'A':
        return streetBlock(address);
    case 'C':
        return singleLine(address.city);
    case 'S':
        return singleLine(address.state);
    case 'Z':
        return singleLine(address.postalCode);
    case 'K':
        return singleLine(address.country);
    default:
        return QString();
    }
}

QList<Piece> parseLine(const QString &line, const StorePostalAddress &address)
{
    QList<Piece> pieces;
    QString literal;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'%' && i + 1 < line.size()) {
            const QChar next = line.at(i + 1);
            if (next == u'%') {
                literal += u'%';
                ++i;
                continue;
            }
            if (QStringView(u"ACSZK").contains(next)) {
                if (!literal.isEmpty())
                    pieces.append({ false, literal });
                literal.clear();
                pieces.append({ true, tokenValue(next, address) });
                ++i;
                continue;
            }
        }
        literal += c;
    }
    if (!literal.isEmpty())
        pieces.append({ false, literal });
    return pieces;
}

// Literal text belongs to its neighbours: a leading literal ("〒") shows only with the part it
// introduces, a separator only between two parts that are both present, a trailing one only after
// a present part. A line without any present part disappears.
QString renderLine(const QList<Piece> &pieces)
{
    const bool anyPresent = std::any_of(
        pieces.cbegin(), pieces.cend(), [](const Piece &p) { return p.isToken && !p.text.isEmpty(); });
    if (!anyPresent)
        return QString();
    QString out;
    qsizetype firstToken = -1;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (pieces.at(i).isToken) {
            firstToken = i;
            break;
        }
    }
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const Piece &piece = pieces.at(i);
        if (piece.isToken) {
            out += piece.text;
            continue;
        }
        if (i < firstToken) {
            if (!pieces.at(firstToken).text.isEmpty())
                out += piece.text;
            continue;
        }
        // The nearest part before this literal, and whether any part after it is present.
        qsizetype before = i - 1;
        while (before >= 0 && !pieces.at(before).isToken)
            --before;
        const bool beforePresent = before >= 0 && !pieces.at(before).text.isEmpty();
        bool hasTokenAfter = false;
        bool presentAfter = false;
        for (qsizetype j = i + 1; j < pieces.size(); ++j) {
            if (pieces.at(j).isToken) {
                hasTokenAfter = true;
                presentAfter = presentAfter || !pieces.at(j).text.isEmpty();
            }
        }
        if (beforePresent && (presentAfter || !hasTokenAfter))
            out += piece.text;
    }
    return out;
}

} // namespace

QString PostalAddressFormatter::defaultTemplate()
{
    return u"%A\n%C %S %Z\n%K"_s;
}

QString PostalAddressFormatter::conventionCountryCode(
    const StorePostalAddress &address, const AddressFormats &formats)
{
    QString code = address.isoCountryCode.trimmed().toUpper();
    if (code.isEmpty() && !address.country.trimmed().isEmpty())
        code = formats.predictCountryCode(address.country.trimmed().toUpper());
    if (code.isEmpty())
        code = ContactDefaults::countryCode().toUpper();
    return code;
}

QString PostalAddressFormatter::render(const QString &templateText, const StorePostalAddress &address)
{
    QStringList lines;
    for (const QString &templateLine : templateText.left(MaxTemplateLength).split(u'\n')) {
        const QString rendered = renderLine(parseLine(templateLine, address));
        // A part may span lines (a street of two lines); blank lines never survive.
        for (const QString &line : rendered.split(u'\n')) {
            const QString trimmed = line.trimmed();
            if (!trimmed.isEmpty())
                lines += trimmed;
        }
    }
    return lines.join(u'\n');
}

QString PostalAddressFormatter::mailingAddress(const StorePostalAddress &address)
{
    return mailingAddress(address, AddressFormats::shared());
}

QString PostalAddressFormatter::mailingAddress(
    const StorePostalAddress &address, const AddressFormats &formats)
{
    const QString code = conventionCountryCode(address, formats);
    QString templateText = formats.countryFormat(code).value(AddressFormatKey::MailingFormat).toString();
    if (templateText.trimmed().isEmpty())
        templateText = defaultTemplate();
    return render(templateText, address);
}
