#include "formats/CsvReader.h"

#include "formats/CsvHeaderWords.h"
#include "formats/CsvTokenizer.h"
#include "model/DateComponents.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

bool has(const QString &text, QLatin1StringView word)
{
    return text.contains(word, Qt::CaseInsensitive);
}

const QStringList &copiedIdentifiers()
{
    static const QStringList ids { Ident::Name, Ident::PhoneticName, Ident::Email, Ident::InstantMessage,
        Ident::SocialNetwork, Ident::URL, Ident::Phone, Ident::Address, Ident::Nickname, Ident::Birthday,
        Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Company, Ident::Department, Ident::JobTitle,
        Ident::Dates, Ident::Note, Ident::Renmei };
    return ids;
}

const QStringList &textKeys()
{
    static const QStringList keys { Ident::Company, Ident::Title, Ident::JobTitle, Ident::Department,
        Ident::Nickname, Ident::Note, Ident::Renmei };
    return keys;
}

const QStringList &addressParts()
{
    static const QStringList parts { Ident::ZIP, Ident::State, Ident::City, Ident::Street };
    return parts;
}

// Changes the labelled value of list whose label is label; one is appended (with its position as
// label index) when there is none.
template <typename Change> void changeLabeledEntry(QVariantList &list, const QString &label, Change &&change)
{
    qsizetype at = 0;
    while (at < list.size() && list.at(at).toMap().value(Key::Label).toString() != label)
        ++at;
    if (at == list.size())
        list.append(QVariantMap { { Key::Label, label }, { Key::LabelIndex, at } });
    QVariantMap entry = list.at(at).toMap();
    change(entry);
    list[at] = entry;
}

// "yyyy.MM.dd", optionally followed by the weekday after a space or in parentheses, as dates are
// shown; also "MM.dd" for a date without its year. The weekday itself is not checked.
std::optional<DateComponents> parseBirthday(const QString &text)
{
    static const QRegularExpression full(
        u"^\\s*(\\d{4})\\.(\\d{1,2})\\.(\\d{1,2})(?:\\s+\\S+|\\s*\\([^)]*\\))?\\s*$"_s);
    static const QRegularExpression yearless(u"^\\s*(\\d{1,2})\\.(\\d{1,2})\\s*$"_s);
    DateComponents d;
    if (const auto m = full.match(text); m.hasMatch())
        d = { m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt() };
    else if (const auto y = yearless.match(text); y.hasMatch())
        d = { 0, y.captured(1).toInt(), y.captured(2).toInt() };
    else
        return std::nullopt;
    if (!d.isValid())
        return std::nullopt;
    return d;
}

ContactEntryPtr entryFromCollected(QVariantMap &contact, bool wholeNameOnly)
{
    // The record builds its display name from the name parts alone: a file that gives the whole
    // name in one column, and no name parts, would otherwise read as contacts without names. The
    // whole name goes to the family-name part, which leads in the names this editor mostly holds.
    if (const auto it = contact.find(Ident::Name); wholeNameOnly && it != contact.end()) {
        QVariantMap name = it.value().toMap();
        if (name.contains(Ident::Name)) {
            name.insert(Ident::LastName, name.value(Ident::Name));
            it.value() = name;
        }
    }
    auto person = ZRPerson::create();
    for (const QString &id : copiedIdentifiers()) {
        const auto it = contact.constFind(id);
        if (it == contact.cend())
            continue;
        person->setValueForIdentifier(it.value(), id);
        contact.remove(id);
    }
    auto entry = std::make_shared<ContactEntry>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    entry->isNew = true;
    entry->extra = contact;
    return entry;
}

bool holdsNul(const QString &text, qsizetype &line)
{
    const qsizetype at = text.indexOf(QChar(0));
    if (at < 0)
        return false;
    line = 1 + QStringView(text).first(at).count(u'\n');
    return true;
}

} // namespace

namespace CsvReader {

QString detectLabel(const QString &header)
{
    if (has(header, "Home"_L1))
        return LabelName::Home;
    if (has(header, "Work"_L1) || has(header, "Business"_L1))
        return LabelName::Work;
    if (has(header, "Mobile"_L1))
        return LabelName::Mobile;
    if (QString label = CsvHeaderWords::detectLabel(header); !label.isEmpty())
        return label;
    return LabelName::Other;
}

QString detectAddressType(const QString &header)
{
    if (has(header, "ZIP"_L1))
        return Ident::ZIP;
    if (has(header, "State"_L1))
        return Ident::State;
    if (has(header, "City"_L1))
        return Ident::City;
    if (QString part = CsvHeaderWords::detectAddressType(header); !part.isEmpty())
        return part;
    return Ident::Street;
}

QString detectType(const QString &header)
{
    if (has(header, "First Name"_L1))
        return Ident::FirstName;
    if (has(header, "Last Name"_L1))
        return Ident::LastName;
    // "Nickname" holds the word "name": looked for first, or a nickname column would overwrite the
    // contact's name.
    if (has(header, "Nickname"_L1))
        return Ident::Nickname;
    // Other programs' words, before the plain English ones they hold ("Given Name" holds "Name").
    if (const QString other = CsvHeaderWords::detectType(header); !other.isEmpty())
        return other == FieldKey::Unknown ? QString() : other;
    if (CsvHeaderWords::namesAddress(header))
        return detectAddressType(header);
    if (has(header, "Name"_L1))
        return Ident::Name;
    if (has(header, "Phone"_L1))
        return Ident::Phone;
    if (has(header, "Email"_L1))
        return Ident::Email;
    if (has(header, "ZIP"_L1) || has(header, "State"_L1) || has(header, "City"_L1)
        || has(header, "Street"_L1))
        return detectAddressType(header);
    if (has(header, "Birthday"_L1))
        return Ident::Birthday;
    if (has(header, "Job Title"_L1))
        return Ident::JobTitle;
    if (has(header, "Title"_L1))
        return Ident::Title;
    if (has(header, "Company"_L1))
        return Ident::Company;
    if (has(header, "Department"_L1))
        return Ident::Department;
    if (has(header, "Note"_L1))
        return Ident::Note;
    for (const QString &service : { CN::SocialProfileServiceFacebook, CN::SocialProfileServiceLinkedIn,
             CN::SocialProfileServiceFlickr, CN::SocialProfileServiceSinaWeibo }) {
        if (header.contains(service, Qt::CaseInsensitive))
            return service;
    }
    return {};
}

QList<Column> columnsFromHeader(const QStringList &headerFields)
{
    QList<Column> columns;
    columns.reserve(headerFields.size());
    for (const QString &header : headerFields) {
        Column column { header, detectType(header), {} };
        if (column.type.isEmpty()) {
            column.type = FieldKey::Unknown;
        } else if (column.type == Ident::Phone || column.type == Ident::Email
            || addressParts().contains(column.type)) {
            column.label = detectLabel(header);
        } else if (column.type == CN::SocialProfileServiceFacebook
            || column.type == CN::SocialProfileServiceLinkedIn
            || column.type == CN::SocialProfileServiceFlickr
            || column.type == CN::SocialProfileServiceSinaWeibo) {
            column.label = column.type;
            column.type = Ident::SocialNetwork;
        }
        columns.append(column);
    }
    return columns;
}

void createContact(QVariantMap &contact, const QString &value, const QString &key, const QString &label)
{
    if (value.isEmpty())
        return;
    if (key == Ident::Name || key == Ident::FirstName || key == Ident::LastName) {
        QVariantMap name = contact.value(Ident::Name).toMap();
        if (key == Ident::Name) {
            name.insert(Ident::Name, value);
            name.insert(Key::StringValue, value);
            name.insert(Key::ShowAsPerson, true);
        } else {
            name.insert(key, value);
            if (!name.contains(Key::StringValue))
                name.insert(Key::StringValue, value);
        }
        contact.insert(Ident::Name, name);
    } else if (key == CsvHeaderWords::PhoneticFirstName || key == CsvHeaderWords::PhoneticLastName) {
        QVariantMap reading = contact.value(Ident::PhoneticName).toMap();
        reading.insert(key == CsvHeaderWords::PhoneticFirstName ? Ident::FirstName : Ident::LastName, value);
        contact.insert(Ident::PhoneticName, reading);
    } else if (textKeys().contains(key)) {
        contact.insert(key, value);
    } else if (key == FieldKey::Spouse) {
        contact.insert(FieldKey::Spouse, value);
        contact.insert(Ident::Renmei, QVariantList { value });
    } else if (addressParts().contains(key)) {
        QVariantList list = contact.value(Ident::Address).toList();
        changeLabeledEntry(list, label, [&](QVariantMap &entry) {
            // Exports give the street in several columns ("Home Street 2", "住所2"): each is a line.
            const QString street = key == Ident::Street ? entry.value(key).toString() : QString();
            entry.insert(key, street.isEmpty() ? value : street + u'\n' + value);
            ZRPerson::updateAddressValue(entry, ZRPerson::AddressOption);
        });
        contact.insert(Ident::Address, list);
    } else if (key == Ident::Phone || key == Ident::Email) {
        QVariantList list = contact.value(key).toList();
        changeLabeledEntry(list, label, [&](QVariantMap &entry) {
            entry.insert(Key::Value, value);
            entry.insert(Key::StringValue, value);
        });
        contact.insert(key, list);
    } else if (key == Ident::SocialNetwork) {
        QVariantList list = contact.value(key).toList();
        changeLabeledEntry(list, label, [&](QVariantMap &entry) {
            entry.insert(Key::Value, value);
            ZRPerson::updateSNSValue(entry);
        });
        contact.insert(key, list);
    } else if (key == Ident::Birthday) {
        QVariantMap birthday { { Key::StringValue, value } };
        if (const auto date = parseBirthday(value))
            birthday.insert(Key::Value, QVariant::fromValue(*date));
        contact.insert(Ident::Birthday, birthday);
    }
}

Result contactsFromCSV(const QString &text)
{
    Result result;
    if (text.isEmpty()) {
        result.error = Message::NoLines;
        return result;
    }
    if (qsizetype line = 0; holdsNul(text, line)) {
        result.error = Message::Binary.arg(line);
        result.errorLine = line;
        return result;
    }

    // A byte-order mark left at the start would hide a header that starts with "Name".
    QStringView body(text);
    if (body.startsWith(QChar(0xFEFF)))
        body = body.sliced(1);
    CsvTokenizer tokenizer(body);
    QStringList fields;
    if (!tokenizer.next(fields)) {
        result.error = tokenizer.error().isEmpty() ? Message::NoLines : tokenizer.error();
        result.errorLine = tokenizer.errorLine();
        return result;
    }
    const QList<Column> columns = columnsFromHeader(fields);
    const bool known = std::any_of(
        columns.cbegin(), columns.cend(), [](const Column &c) { return c.type != FieldKey::Unknown; });
    if (!known) {
        result.error = Message::NoKnownColumn;
        result.errorLine = 1;
        return result;
    }

    const auto hasColumn = [&](const QString &type) {
        return std::any_of(columns.cbegin(), columns.cend(), [&](const Column &c) { return c.type == type; });
    };
    const bool wholeNameOnly
        = hasColumn(Ident::Name) && !hasColumn(Ident::FirstName) && !hasColumn(Ident::LastName);

    // A first line that names columns is the header; one that does not is a first contact,
    // which is read as one as well as named by.
    const qsizetype knownCount = std::count_if(
        columns.cbegin(), columns.cend(), [](const Column &c) { return c.type != FieldKey::Unknown; });
    bool haveRecord = fields.first() != Ident::Name && !CsvHeaderWords::looksLikeHeader(fields, knownCount);
    ContactTable entries;
    while (true) {
        if (haveRecord && tokenizer.recordLength() >= 2) {
            QVariantMap contact;
            const qsizetype count = std::min(fields.size(), columns.size());
            for (qsizetype k = 0; k < count; ++k)
                createContact(contact, fields[k], columns[k].type, columns[k].label);
            entries.append(entryFromCollected(contact, wholeNameOnly));
        }
        if (!tokenizer.next(fields))
            break;
        haveRecord = true;
    }
    if (!tokenizer.error().isEmpty()) {
        result.error = tokenizer.error();
        result.errorLine = tokenizer.errorLine();
        return result;
    }
    result.entries = std::move(entries);
    return result;
}

} // namespace CsvReader
