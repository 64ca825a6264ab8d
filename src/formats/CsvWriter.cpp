#include "formats/CsvWriter.h"

#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

using LabelName::Home;
using LabelName::Other;
using LabelName::Work;

// The header words of the labelled columns ("Home Phone", "Work ZIP"): the words the CSV reader
// knows them by.
const QString HomeWord = u"Home "_s;
const QString WorkWord = u"Work "_s;
const QString OtherWord = u"Other "_s;

QList<CsvWriter::Column> makeColumns()
{
    QList<CsvWriter::Column> c;
    // Headers are the field identifiers where the reader knows a field by its identifier.
    c.append({ Ident::Name, Ident::CompositeName, {}, {} });
    for (const QString &id : { Ident::Phone, Ident::Email }) {
        c.append({ HomeWord + id, id, Home, {} });
        c.append({ WorkWord + id, id, Work, {} });
        c.append({ OtherWord + id, id, Other, {} });
    }
    for (const auto &[prefix, label] :
        { std::pair { HomeWord, Home }, std::pair { WorkWord, Work }, std::pair { OtherWord, Other } }) {
        for (const QString &part : { Ident::ZIP, Ident::State, Ident::City, Ident::Street })
            c.append({ prefix + part, Ident::Address, label, part });
    }
    for (const QString &id :
        { Ident::Birthday, Ident::Title, Ident::Company, Ident::Department, Ident::JobTitle })
        c.append({ id, id, {}, {} });
    c.append({ u"First Name"_s, Ident::Name, {}, Ident::FirstName });
    c.append({ u"Last Name"_s, Ident::Name, {}, Ident::LastName });
    c.append({ Ident::Nickname, Ident::Nickname, {}, {} });
    c.append({ Ident::Note, Ident::Note, {}, {} });
    // A social network's column is named by its service.
    for (const QString *service : { &CN::SocialProfileServiceFacebook, &CN::SocialProfileServiceLinkedIn,
             &CN::SocialProfileServiceFlickr, &CN::SocialProfileServiceSinaWeibo })
        c.append({ *service, Ident::SocialNetwork, *service, {} });
    return c;
}

bool needsFileQuoting(QStringView v)
{
    for (const QChar c : v) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

void appendFileField(QString &out, const QString &v)
{
    if (!needsFileQuoting(v)) {
        out += v;
        return;
    }
    out += u'"';
    for (const QChar c : v) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

// Whether a labelled value's label belongs in a column: its own label, or "other" for every label
// that is neither home nor work.
bool labelMatches(const QString &valueLabel, const QString &columnLabel)
{
    const QString value = valueLabel.toLower();
    const QString column = columnLabel.toLower();
    if (value == column)
        return true;
    return column == Other && value != Home && value != Work && value != Other;
}

// The values one row reads, fetched once per row: records derive some of them on every request.
struct RowValues
{
    QVariant name;
    QVariant phone, email, address, social;

    const QVariant &labeled(const QString &identifier) const
    {
        if (identifier == Ident::Phone)
            return phone;
        if (identifier == Ident::Email)
            return email;
        if (identifier == Ident::Address)
            return address;
        return social;
    }
};

QString cellValue(ZRPerson &person, const CsvWriter::Column &column, qsizetype L, const RowValues &row)
{
    if (column.type == Ident::CompositeName)
        return person.compositeName();
    if (column.label.isEmpty()) {
        if (L != 0 && column.type != Ident::Name)
            return {};
        const QVariant value = column.type == Ident::Name ? row.name : person.valueForIdentifier(column.type);
        if (value.typeId() != QMetaType::QVariantMap)
            return value.toString();
        const QVariantMap map = value.toMap();
        if (column.type == Ident::Name)
            return map.value(column.subType).toString();
        if (column.type == Ident::Birthday)
            return map.value(Key::StringValue).toString();
        return map.value(Key::Value).toString();
    }
    const QVariant &labeled = row.labeled(column.type);
    if (labeled.typeId() != QMetaType::QVariantMap)
        return labeled.toString();
    const QVariantMap map = labeled.toMap();
    if (!labelMatches(map.value(Key::Label).toString(), column.label))
        return {};
    return map.value(column.type == Ident::Address ? column.subType : Key::StringValue).toString();
}

// ---- One line for the pasteboard

const QStringList &labeledLineIdentifiers()
{
    static const QStringList ids { Ident::Phone, Ident::Email, Ident::Address, Ident::URL,
        Ident::SocialNetwork, Ident::InstantMessage, Ident::Relationship, Ident::Dates };
    return ids;
}

QString flattened(QString v)
{
    v.replace(u"\r\n"_s, u"\\n"_s);
    v.replace(u'\r', u"\\n"_s);
    v.replace(u'\n', u"\\n"_s);
    v.replace(u'\t', u"\\t"_s);
    return v;
}

QString quoted(const QString &v)
{
    QString out = v;
    out.replace(u'"', u"\"\""_s);
    return u'"' + out + u'"';
}

// A value with a space is quoted as the table's copy always did; one holding the separator or a
// quote must be, or it would not read back as one field.
QString lineField(const QString &raw, const QString &separator, bool alwaysQuote = false)
{
    const QString v = flattened(raw);
    if (v.isEmpty())
        return v;
    const QString bareSeparator = separator.trimmed();
    if (alwaysQuote || v.contains(u' ') || v.contains(u'"') || (!separator.isEmpty() && v.contains(separator))
        || (!bareSeparator.isEmpty() && v.contains(bareSeparator)))
        return quoted(v);
    return v;
}

QString labeledText(const QVariant &labeled)
{
    const QVariantMap map = labeled.toMap();
    const QString label = map.value(Key::Label).toString();
    const QString text = map.value(Key::StringValue).toString();
    return label.isEmpty() || text.isEmpty() ? QString() : label + u':' + text;
}

} // namespace

namespace CsvWriter {

const QList<Column> &columns()
{
    static const QList<Column> table = makeColumns();
    return table;
}

QString csvHeaderLine()
{
    const QList<Column> &cols = columns();
    QString out;
    for (qsizetype i = 0; i < cols.size(); ++i) {
        if (i)
            out += u',';
        out += cols[i].fieldName;
    }
    out += u'\n';
    return out;
}

void appendCsvLine(QString &out, const ContactEntry &entry)
{
    if (!entry.person)
        return;
    const QList<Column> &cols = columns();
    ZRPerson &person = *entry.person;
    const qsizetype L = entry.labelIndex;
    RowValues row;
    row.name = person.valueForIdentifier(Ident::Name);
    row.phone = person.labeledValueForIdentifierAtIndex(Ident::Phone, L);
    row.email = person.labeledValueForIdentifierAtIndex(Ident::Email, L);
    row.address = person.labeledValueForIdentifierAtIndex(Ident::Address, L);
    row.social = person.labeledValueForIdentifierAtIndex(Ident::SocialNetwork, L);
    for (qsizetype i = 0; i < cols.size(); ++i) {
        if (i)
            out += u',';
        appendFileField(out, cellValue(person, cols[i], L, row));
    }
    out += u'\n';
}

QString csvFromSubContacts(const ContactTable &rows)
{
    QString out = csvHeaderLine();
    for (const ContactEntryPtr &entry : rows) {
        if (entry)
            appendCsvLine(out, *entry);
    }
    return out;
}

QString csvStringFromContact(
    const ContactEntry &row, const QStringList &identifiers, const QString &separator)
{
    if (!row.person)
        return {};
    ZRPerson &person = *row.person;
    const qsizetype L = row.labelIndex;
    QString out;
    auto put = [&](const QString &field) {
        out += field;
        out += separator;
    };
    for (const QString &id : identifiers) {
        if (id == Ident::Name) {
            put(lineField(person.compositeName(), separator));
        } else if (id == Ident::PhoneticName || id == Ident::Birthday) {
            put(lineField(
                person.valueForIdentifier(id).toMap().value(Key::StringValue).toString(), separator));
        } else if (labeledLineIdentifiers().contains(id)) {
            if (L != -1) {
                put(lineField(labeledText(person.labeledValueForIdentifierAtIndex(id, L)), separator));
                continue;
            }
            const QVariantList all = person.valueForIdentifier(id).toList();
            QString group;
            for (const QVariant &labeled : all) {
                group += lineField(labeledText(labeled), separator);
                group += separator;
            }
            if (group.size() > separator.size())
                group.chop(separator.size());
            put(group);
        } else if (ZRPerson::addressIdentifiers().contains(id)) {
            put(QString());
        } else if (L >= 1) {
            put(QString());
        } else {
            const QString value = person.stringValues().value(id).toString();
            put(lineField(value, separator, id == Ident::Note));
        }
    }
    if (out.size() > separator.size())
        out.chop(separator.size());
    return out;
}

} // namespace CsvWriter
