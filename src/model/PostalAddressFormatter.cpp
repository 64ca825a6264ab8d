#include "model/PostalAddressFormatter.h"

#include "model/StoreContact.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

using Template = PostalAddressFormatter::Template;

// Templates come from the resource or from the address editor; anything longer is not a template.
constexpr qsizetype MaxTemplateLength = 1000;

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

QString singleLine(const QString &value)
{
    if (!hasLineBreak(value))
        return value.trimmed();
    QString text = value;
    text.replace(u"\r\n"_s, u" "_s).replace(u'\n', u' ').replace(u'\r', u' ');
    return text.trimmed();
}

// The street block: the street's own lines, then the extended address and the post-office box,
// which the reader keeps so that nothing a card carries is lost on the envelope.
QString streetBlock(const StorePostalAddress &address)
{
    QString block;
    const auto add = [&block](const QString &line) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            return;
        if (!block.isEmpty())
            block += u'\n';
        block += trimmed;
    };
    if (hasLineBreak(address.street)) {
        QString street = address.street;
        street.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        for (const QString &line : street.split(u'\n'))
            add(line);
    } else {
        add(address.street);
    }
    add(singleLine(address.subLocality));
    add(singleLine(address.subAdministrativeArea));
    return block;
}

int partOfToken(QChar token)
{
    switch (token.unicode()) {
    case 'A':
        return Template::Street;
    case 'C':
        return Template::City;
    case 'S':
        return Template::State;
    case 'Z':
        return Template::PostalCode;
    case 'K':
        return Template::Country;
    default:
        return -1;
    }
}

// Literal text belongs to its neighbours: a leading literal ("〒") shows only with the part it
// introduces, a separator only between two parts that are both present, a trailing one only after
// a present part. A line without any present part disappears.
void renderLine(
    const QList<Template::Item> &items, const PostalAddressFormatter::PartValues &values, QString &out)
{
    const auto present
        = [&](const Template::Item &item) { return item.part >= 0 && !values[size_t(item.part)].isEmpty(); };
    qsizetype firstPart = -1;
    qsizetype lastPresent = -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).part >= 0 && firstPart < 0)
            firstPart = i;
        if (present(items.at(i)))
            lastPresent = i;
    }
    if (lastPresent < 0)
        return;

    QString line;
    const Template::Item *previousPart = nullptr;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Template::Item &item = items.at(i);
        if (item.part >= 0) {
            line += values[size_t(item.part)];
            previousPart = &item;
            continue;
        }
        if (i < firstPart) {
            if (present(items.at(firstPart)))
                line += item.literal;
            continue;
        }
        const bool hasPartAfter = std::any_of(
            items.cbegin() + i + 1, items.cend(), [](const Template::Item &it) { return it.part >= 0; });
        if (previousPart && present(*previousPart) && (i < lastPresent || !hasPartAfter))
            line += item.literal;
    }

    // A part may span lines (a street of two lines); blank lines never survive.
    const auto append = [&out](QStringView text) {
        text = text.trimmed();
        if (text.isEmpty())
            return;
        if (!out.isEmpty())
            out += u'\n';
        out += text;
    };
    if (!line.contains(u'\n')) {
        append(line);
        return;
    }
    for (const QStringView piece : QStringView(line).split(u'\n'))
        append(piece);
}

} // namespace

QString PostalAddressFormatter::defaultTemplate()
{
    return u"%A\n%C %S %Z\n%K"_s;
}

PostalAddressFormatter::Template PostalAddressFormatter::compile(const QString &templateText)
{
    Template compiled;
    const QString text = templateText.left(MaxTemplateLength);
    for (const QStringView line : QStringView(text).split(u'\n')) {
        QList<Template::Item> items;
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
                if (const int part = partOfToken(next); part >= 0) {
                    if (!literal.isEmpty())
                        items.append({ -1, literal });
                    literal.clear();
                    items.append({ part, QString() });
                    ++i;
                    continue;
                }
            }
            literal += c;
        }
        if (!literal.isEmpty())
            items.append({ -1, literal });
        compiled.lines.append(items);
    }
    return compiled;
}

QString PostalAddressFormatter::render(const Template &compiled, const StorePostalAddress &address)
{
    PartValues values;
    values[Template::Street] = streetBlock(address);
    values[Template::City] = singleLine(address.city);
    values[Template::State] = singleLine(address.state);
    values[Template::PostalCode] = singleLine(address.postalCode);
    values[Template::Country] = singleLine(address.country);
    QString out;
    for (const QList<Template::Item> &line : compiled.lines)
        renderLine(line, values, out);
    return out;
}
