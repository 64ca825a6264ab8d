#include "formats/MailwickCsv.h"

#include "formats/CsvReader.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

// The file's columns: most are named by the record's identifiers they fill.
const QString &NameKey = Ident::Name;
const QString &RenmeiKey = Ident::Renmei;
const QString &SpouseKey = CsvReader::FieldKey::Spouse;
const QString &CompanyKey = Ident::Company;
const QString &ZipKey = Ident::ZIP;
const QString StateCityKey = u"State&City"_s;
const QString &StreetKey = Ident::Street;
const QString LayoutStringKey = u"layoutString"_s;
const QString &EmailKey = Ident::Email;
const QString &PhoneKey = Ident::Phone;
const QString &NoteKey = Ident::Note;
const QString NewName = u"New"_s;

// A quoted-field reader over the file's lines: a quoted field may run on over the following lines.
class LineFields
{
public:
    LineFields(const QStringList &lines, qsizetype &lineIndex)
        : m_lines(lines)
        , m_index(lineIndex)
    {
    }

    QStringList read(qsizetype maxFields)
    {
        QString line = m_lines.at(m_index);
        QStringList fields;
        qsizetype pos = 0;
        while (pos < line.size() && fields.size() < maxFields) {
            if (line.at(pos) != u'"') {
                qsizetype comma = line.indexOf(u',', pos);
                if (comma < 0)
                    comma = line.size();
                fields << line.mid(pos, comma - pos);
                pos = comma + 1;
                continue;
            }
            // A quoted field: "" inside stands for one quote, and the field may go on over later lines.
            QString value;
            ++pos;
            while (true) {
                const qsizetype quote = line.indexOf(u'"', pos);
                if (quote < 0) {
                    value += line.mid(pos);
                    if (m_index + 1 >= m_lines.size()) {
                        pos = line.size();
                        break;
                    }
                    line += u'\n' + m_lines.at(++m_index);
                    value += u'\n';
                    pos = line.size() - m_lines.at(m_index).size();
                    continue;
                }
                value += line.mid(pos, quote - pos);
                if (quote + 1 < line.size() && line.at(quote + 1) == u'"') {
                    value += u'"';
                    pos = quote + 2;
                    continue;
                }
                pos = quote + 1;
                break;
            }
            fields << value;
            if (pos < line.size() && line.at(pos) == u',')
                ++pos;
        }
        return fields;
    }

private:
    const QStringList &m_lines;
    qsizetype &m_index;
};

QVariantMap homeEntry()
{
    return { { Key::Label, LabelName::Home }, { Key::LabelIndex, 0 } };
}

QVariantMap collectingDictionary()
{
    return { { Ident::CompositeName, NewName },
        { Ident::Name, QVariantMap { { Ident::Name, QVariantMap() } } },
        { Ident::Address, QVariantList { homeEntry() } }, { Ident::Phone, QVariantList { homeEntry() } },
        { Ident::Email, QVariantList { homeEntry() } } };
}

void setFirstEntryKey(QVariantMap &contact, const QString &field, const QString &key, const QString &value)
{
    QVariantList list = contact.value(field).toList();
    if (list.isEmpty())
        list.append(homeEntry());
    QVariantMap first = list.first().toMap();
    first.insert(key, value);
    list[0] = first;
    contact.insert(field, list);
}

bool hasValue(const QVariantList &entries)
{
    for (const QVariant &entry : entries) {
        if (!entry.toMap().value(Key::Value).toString().isEmpty())
            return true;
    }
    return false;
}

ContactEntryPtr makeEntry(QVariantMap contact)
{
    auto person = ZRPerson::create();
    if (contact.contains(Ident::Name))
        person->setValueForIdentifier(contact.take(Ident::Name), Ident::Name);
    for (const QString &field : { Ident::Email, Ident::Phone }) {
        if (!contact.contains(field))
            continue;
        const QVariantList entries = contact.take(field).toList();
        if (hasValue(entries))
            person->setValueForIdentifier(entries, field);
    }
    if (contact.contains(Ident::Address))
        person->setValueForIdentifier(contact.take(Ident::Address), Ident::Address);
    for (const QString &field : { Ident::Company, Ident::Renmei, Ident::Note }) {
        // The note column reaches the record too: dropping it would lose what the user wrote.
        if (contact.contains(field))
            person->setValueForIdentifier(contact.take(field), field);
    }
    if (contact.contains(Ident::HagakiLayout)) {
        const QString layout = contact.take(Ident::HagakiLayout).toString();
        if (!layout.isEmpty() && !person->addressValues().isEmpty()) {
            QVariantMap address = person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
            ZRPerson::hagakiLayoutFromLayoutString(address, layout);
            person->replaceLabeledValueAtIndex(address, Ident::Address, 0);
        }
    }
    auto entry = std::make_shared<ContactEntry>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    entry->isNew = true;
    entry->extra = contact;
    return entry;
}

} // namespace

namespace MailwickCsv {

QStringList fixedOrder()
{
    return { NameKey, RenmeiKey, CompanyKey, ZipKey, StateCityKey, StreetKey, LayoutStringKey, EmailKey,
        PhoneKey, NoteKey };
}

void createContactForValueForKey(QVariantMap &contact, const QString &value, const QString &key)
{
    if (key == NameKey) {
        contact.insert(Ident::Name, QVariantMap { { Key::ShowAsPerson, true }, { Ident::LastName, value } });
        contact.insert(Ident::CompositeName, value);
    } else if (key == CompanyKey) {
        contact.insert(Ident::Company, value);
    } else if (key == SpouseKey || key == RenmeiKey) {
        contact.insert(Ident::Renmei, value);
    } else if (key == ZipKey) {
        setFirstEntryKey(contact, Ident::Address, Ident::ZIP, value);
    } else if (key == StateCityKey) {
        setFirstEntryKey(contact, Ident::Address, Ident::State, value);
    } else if (key == StreetKey) {
        setFirstEntryKey(contact, Ident::Address, Ident::Street, value);
    } else if (key == LayoutStringKey) {
        contact.insert(Ident::HagakiLayout, value);
    } else if (key == PhoneKey || key == EmailKey) {
        setFirstEntryKey(contact, key == PhoneKey ? Ident::Phone : Ident::Email, Key::Value, value);
    } else {
        contact.insert(key, value);
    }
}

std::optional<Result> contactsFromMailwickCSV(const QString &text)
{
    // Lines end at any line break; CR LF counts once.
    QString normalized = text;
    normalized.replace(u"\r\n"_s, u"\n"_s);
    normalized.replace(u'\r', u'\n');
    QStringList lines = normalized.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return std::nullopt;

    Result result;
    QStringList keys;
    qsizetype index = 0;
    const QString &first = lines.first();
    if (!first.isEmpty() && first.section(u',', 0, 0) == NameKey) {
        keys = first.split(u',');
        index = 1;
    } else {
        keys = fixedOrder();
        result.headerMissing = true;
    }

    for (; index < lines.size(); ++index) {
        if (lines.at(index).isEmpty())
            continue;
        QVariantMap contact = collectingDictionary();
        QStringList fields;
        if (lines.at(index).contains(u",\""_s) || lines.at(index).startsWith(u'"'))
            fields = LineFields(lines, index).read(std::max<qsizetype>(1, keys.size()));
        else
            fields = lines.at(index).split(u',');
        for (qsizetype k = 0; k < fields.size() && k < keys.size(); ++k)
            createContactForValueForKey(contact, fields.at(k), keys.at(k));
        result.entries.append(makeEntry(contact));
    }
    return result;
}

} // namespace MailwickCsv
