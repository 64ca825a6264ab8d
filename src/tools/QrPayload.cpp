#include "tools/QrPayload.h"

#include "formats/ContactContainer.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

const QString Crlf = u"\r\n"_s;
const QString HttpPrefix = u"http://"_s;

// The organisation value of a contact: the record's, or the entry's own column when it has no record.
QString organisationValue(const ContactEntry &entry, const QString &identifier)
{
    if (entry.person)
        return entry.person->valueForIdentifier(identifier).toString();
    return entry.extra.value(identifier).toString();
}

void appendLabeledRows(
    QrSelectionRows &rows, const QString &type, const QVariantList &entries, bool selectFirst, bool isAddress)
{
    bool first = true;
    for (const QVariant &v : entries) {
        if (v.typeId() != QMetaType::QVariantMap)
            continue;
        const QVariantMap entry = v.toMap();
        QrSelectionRow row;
        row.type = type;
        row.label = entry.value(Key::Label).toString();
        row.value = entry.value(isAddress ? Key::StringValue : Key::Value).toString();
        row.selected = selectFirst && first;
        if (isAddress)
            row.adrsDict = entry;
        rows.append(row);
        first = false;
    }
    if (first) {
        // An empty field still gets a row, so the table always shows every kind of value.
        QrSelectionRow placeholder;
        placeholder.type = type;
        rows.append(placeholder);
    }
}

// Only the two labels every reader understands are written as types; others would be guesses.
QString typedProperty(const QString &property, const QString &label, const QString &value)
{
    const QString lower = label.toLower();
    if (lower == LabelName::Home || lower == LabelName::Work)
        return property + u";type="_s + label + u':' + value + Crlf;
    return property + u':' + value + Crlf;
}

QString addressLine(const QrSelectionRow &row)
{
    const QVariantMap &address = *row.adrsDict;
    const QString lower = row.label.toLower();
    QString line = (lower == LabelName::Home || lower == LabelName::Work)
        ? u"ADR;type="_s + row.label + u":;;"_s
        : u"ADR:;;"_s;
    for (const QString &part : { Ident::Street, Ident::City, Ident::State, Ident::ZIP, Ident::Country }) {
        QString text = address.value(part).toString();
        text.replace(u'\n', u' ');
        text.replace(u'\t', u' ');
        line += QrPayload::escapeSemicolon(text);
        line += u';';
    }
    line.chop(1);
    return line + Crlf;
}

bool isSelectedOfType(const QrSelectionRows &rows, const QString &type)
{
    for (const QrSelectionRow &row : rows) {
        if (row.type == type && row.selected)
            return true;
    }
    return false;
}

// "PREFIX%1" with the value, or nothing when the value is empty.
QString piece(const QString &prefix, const QString &value, const QString &end)
{
    return value.isEmpty() ? QString() : prefix + value + end;
}

} // namespace

namespace QrPayload {

QString escapeSemicolon(const QString &text)
{
    QString result = text;
    result.replace(u";"_s, u"\\;"_s);
    return result;
}

QString urlFromString(const QString &text)
{
    return text.startsWith(HttpPrefix) ? text : HttpPrefix + text;
}

QrSelectionRows rowsForContact(const ContactEntry &entry)
{
    QrSelectionRows rows;
    ZRPerson *person = entry.person.get();
    const QVariantList none;
    appendLabeledRows(rows, Ident::Phone, person ? person->phoneValues() : none, true, false);
    appendLabeledRows(rows, Ident::Email, person ? person->emailValues() : none, true, false);
    appendLabeledRows(rows, Ident::Address, person ? person->addressValues() : none, true, true);
    appendLabeledRows(rows, Ident::URL, person ? person->urlValues() : none, false, false);
    for (const QString &type : { Ident::Company, Ident::Department, Ident::JobTitle }) {
        QrSelectionRow row;
        row.type = type;
        row.value = organisationValue(entry, type);
        rows.append(row);
    }
    return rows;
}

QrValues gatherValues(const ContactEntry &entry, const QrSelectionRows &rows)
{
    QrValues values;
    if (entry.person) {
        values.name = entry.person->compositeName();
        values.reading = entry.person->readPhoneticNameValue().value(Key::StringValue).toString();
    }
    for (const QrSelectionRow &row : rows) {
        if (!row.selected)
            continue;
        if (row.type == Ident::Phone)
            values.phone = row.value;
        else if (row.type == Ident::Email)
            values.email = row.value;
        else if (row.type == Ident::Address)
            values.address = row.value;
        else if (row.type == Ident::URL)
            values.url = row.value;
    }
    values.address.replace(u'\n', u' ');
    return values;
}

QString vCardFromContact(const ContactEntry &entry, const QrSelectionRows &rows)
{
    ZRPerson *person = entry.person.get();
    QString card = u"BEGIN:VCARD\r\nVERSION:3.0\r\n"_s;
    const QString name = person ? person->compositeName() : QString();
    card += u"FN:"_s + escapeSemicolon(name.isEmpty() ? QrText::NoName.text() : name) + Crlf;
    if (person) {
        const QVariantMap &nameValue = person->readNameValue();
        card += u"N:"_s + escapeSemicolon(nameValue.value(Ident::LastName).toString()) + u';'
            + escapeSemicolon(nameValue.value(Ident::FirstName).toString()) + u";;;"_s + Crlf;
        const QVariantMap &phonetic = person->readPhoneticNameValue();
        card += piece(
            u"X-PHONETIC-FIRST-NAME:"_s, escapeSemicolon(phonetic.value(Ident::FirstName).toString()), Crlf);
        card += piece(
            u"X-PHONETIC-LAST-NAME:"_s, escapeSemicolon(phonetic.value(Ident::LastName).toString()), Crlf);
    }
    for (const QrSelectionRow &row : rows) {
        if (row.selected && row.type == Ident::Email)
            card += typedProperty(u"EMAIL"_s, row.label, row.value);
    }
    for (const QrSelectionRow &row : rows) {
        if (row.selected && row.type == Ident::Phone)
            card += typedProperty(u"TEL"_s, row.label, row.value);
    }
    for (const QrSelectionRow &row : rows) {
        if (row.selected && row.type == Ident::Address && row.adrsDict)
            card += addressLine(row);
    }
    for (const QrSelectionRow &row : rows) {
        // A ticked empty row stays empty: "http://" alone would be an address of nothing.
        if (row.selected && row.type == Ident::URL)
            card += typedProperty(
                u"URL"_s, row.label, row.value.isEmpty() ? QString() : urlFromString(row.value));
    }
    const QString company
        = isSelectedOfType(rows, Ident::Company) ? organisationValue(entry, Ident::Company) : QString();
    const QString department
        = isSelectedOfType(rows, Ident::Department) ? organisationValue(entry, Ident::Department) : QString();
    if (!company.isEmpty() || !department.isEmpty())
        card += u"ORG:"_s + escapeSemicolon(company) + u';' + escapeSemicolon(department) + Crlf;
    if (isSelectedOfType(rows, Ident::JobTitle))
        card += piece(u"TITLE:"_s, organisationValue(entry, Ident::JobTitle), Crlf);
    card += u"END:VCARD\r\n"_s;
    return card;
}

QString payloadForFormat(const QString &format, const ContactEntry &entry, const QrSelectionRows &rows)
{
    if (format == QrFormat::VCard) {
        const QString card = vCardFromContact(entry, rows);
        return card.isEmpty() ? QrText::EmptyVCard : card;
    }
    const QrValues v = gatherValues(entry, rows);
    if (format == QrFormat::Docomo) {
        return u"MECARD:"_s + piece(u"N:"_s, escapeSemicolon(v.name), u";"_s)
            + piece(u"SOUND:"_s, escapeSemicolon(v.reading), u";"_s)
            + piece(u"TEL:"_s, escapeSemicolon(v.phone), u";"_s)
            + piece(u"EMAIL:"_s, escapeSemicolon(v.email), u";"_s)
            + piece(u"ADR:"_s, escapeSemicolon(v.address), u";"_s);
    }
    if (format == QrFormat::Au || format == QrFormat::SoftBank) {
        QString text = u"MEMORY:\n"_s + piece(u"NAME1:"_s, v.name, u"\n"_s)
            + piece(u"NAME2:"_s, v.reading, u"\n"_s) + piece(u"TEL1:"_s, v.phone, u"\n"_s)
            + piece(u"MAIL1:"_s, v.email, u"\n"_s);
        if (format == QrFormat::Au)
            text += piece(u"ADD:"_s, v.address, u"\n"_s);
        return text;
    }
    if (format == QrFormat::Phone)
        return u"tel:"_s + v.phone;
    if (format == QrFormat::Email)
        return u"mailto:"_s + v.email;
    if (format == QrFormat::URL)
        return v.url.isEmpty() ? u"http:"_s : urlFromString(v.url);
    return QString();
}

} // namespace QrPayload
