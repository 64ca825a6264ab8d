#include "find/FindPanelSearch.h"

#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

namespace {

bool isAll(const QStringList &filter)
{
    return !filter.isEmpty() && filter.first() == LabelText::All;
}

// The phonetic dictionary keys its parts like the name's.
const QString &phoneticKey(const QString &part)
{
    return part == Ident::PhoneticFirstName ? Ident::FirstName
        : part == Ident::PhoneticMiddleName ? Ident::MiddleName
                                            : Ident::LastName;
}

} // namespace

FindPanelSearch::FindPanelSearch(const QString &search, FindPanel::Mode mode, const QStringList &items,
    const QStringList &subItems, const QStringList &labels)
    : m_search(search)
    , m_mode(mode)
    , m_cs(mode == FindPanel::Mode::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)
    , m_subItems(subItems)
    , m_labels(labels)
    , m_allSubItems(isAll(subItems))
    , m_allLabels(isAll(labels))
{
    if (mode == FindPanel::Mode::Regex && !search.isEmpty()) {
        m_regex.setPattern(search);
        if (!m_regex.isValid())
            m_error
                = FindPanelText::InvalidPattern.arg(m_regex.errorString()).arg(m_regex.patternErrorOffset());
    }

    // The filters do not change from one contact to the next: resolve them here, in the panel's order.
    static const QStringList nameParts { Ident::FirstName, Ident::LastName, Ident::MiddleName };
    static const QStringList phoneticParts { Ident::PhoneticFirstName, Ident::PhoneticLastName,
        Ident::PhoneticMiddleName };
    const QStringList &address = ZRPerson::addressIdentifiers();
    auto allowed = [this](const QStringList &parts) {
        QStringList kept;
        for (const QString &part : parts) {
            if (allowsSubItem(part))
                kept.append(part);
        }
        return kept;
    };
    for (const QString &item : isAll(items) ? ZRPerson::allIdentifiers() : items) {
        if (item == Ident::Name || item == Ident::PhoneticName) {
            if (m_allLabels)
                m_fields.append({ item, item == Ident::Name ? Kind::Name : Kind::PhoneticName,
                    allowed(item == Ident::Name ? nameParts : phoneticParts) });
            continue;
        }
        if (item == Ident::Address) {
            m_fields.append({ item, Kind::Address, allowed(address) });
            continue;
        }
        if (address.contains(item)) {
            m_fields.append({ item, Kind::AddressPart, { item } });
            continue;
        }
        const QString type = ZRPerson::typeForIdentifier(item);
        if (item == Ident::InstantMessage)
            m_fields.append({ item, Kind::InstantMessage, {} });
        else if (type == Ident::LabeledValueType && m_allSubItems)
            m_fields.append({ item, Kind::Labeled, {} });
        else if (type == Ident::DictionaryValueType && m_allSubItems && m_allLabels)
            m_fields.append({ item, Kind::Dictionary, {} });
        else if (type == Ident::StringValueType && m_allSubItems && m_allLabels)
            m_fields.append({ item, Kind::String, {} });
    }
    for (Field &field : m_fields) {
        if (field.kind == Kind::String) {
            field.slot = m_stringKeys.size();
            m_stringKeys.append(&field.item);
        }
    }
}

QList<FindRange> FindPanelSearch::ranges(const QString &text) const
{
    QList<FindRange> found;
    if (m_search.isEmpty() || text.isEmpty() || !m_error.isEmpty())
        return found;
    if (m_mode == FindPanel::Mode::Regex) {
        auto it = m_regex.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedLength(0) == 0)
                break; // an empty match ends the search, as it cannot be replaced meaningfully
            found.append({ m.capturedStart(0), m.capturedLength(0) });
        }
        return found;
    }
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype at = text.indexOf(m_search, from, m_cs);
        if (at < 0)
            break;
        found.append({ at, m_search.size() });
        from = at + m_search.size();
    }
    return found;
}

void FindPanelSearch::searchContact(const ContactEntryPtr &contact, QList<FindResultRowPtr> &rows) const
{
    if (!contact || !contact->person || m_search.isEmpty() || !m_error.isEmpty())
        return;
    ZRPerson &person = *contact->person;
    // Rows show the display name as last computed; a record that never computed it does so now.
    if (person.storedCompositeName().isEmpty())
        person.compositeName();
    // Most values hold no match: their labels are read only for a match.
    visitValues(person,
        [&](const QString &item, const QString &subItem, qsizetype index, const QString &text,
            const auto &label) {
            QList<FindRange> found = ranges(text);
            if (!found.isEmpty())
                rows.append(std::make_shared<FindResultRow>(FindResultRow { person.storedCompositeName(),
                    item, subItem, label(), index, text, std::move(found), contact }));
        });
}

void FindPanelSearch::appendTexts(const ContactEntry &contact, std::u16string &out) const
{
    if (!contact.person)
        return;
    visitValues(*contact.person,
        [&out](const QString &, const QString &, qsizetype, const QString &text, const auto &) {
            out.append(reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size()));
            out.push_back(TextSeparator);
        });
}

// Every value the filters let through, with where it is and a way to read its label; the search and
// the texts appended for its pre-filter both walk the record here, so that they cannot differ.
template <typename Visit> void FindPanelSearch::visitValues(ZRPerson &person, Visit &&visit) const
{
    const auto noLabel = [] { return QString(); };
    QVarLengthArray<const QVariant *, 8> strings(m_stringKeys.size());
    bool stringsRead = false;
    QVarLengthArray<const QVariant *, 8> address;
    QVarLengthArray<const QString *, 8> addressKeys;
    for (const Field &field : m_fields) {
        switch (field.kind) {
        case Kind::Name:
        case Kind::PhoneticName: {
            if (field.parts.isEmpty())
                break;
            const bool phonetic = field.kind == Kind::PhoneticName;
            const QVariantMap &dict = phonetic ? person.readPhoneticNameValue() : person.readNameValue();
            for (const QString &part : field.parts)
                visit(field.item, part, -1, textForKey(dict, phonetic ? phoneticKey(part) : part), noLabel);
            break;
        }
        case Kind::Address:
        case Kind::AddressPart: {
            const QVariantList &addresses = person.addressValues();
            // The parts and the label of an entry in one walk through it; the label comes last.
            addressKeys.clear();
            for (const QString &part : field.parts)
                addressKeys.append(&part);
            addressKeys.append(&Key::Label);
            address.resize(addressKeys.size());
            for (qsizetype i = 0; i < addresses.size(); ++i) {
                const QVariantMap entry = addresses.at(i).toMap();
                findKeys(entry, addressKeys, address);
                const QString label = foundText(address.last());
                if (!allowsLabel(label))
                    continue;
                for (qsizetype p = 0; p < field.parts.size(); ++p)
                    visit(Ident::Address, field.parts.at(p), i, foundText(address.at(p)),
                        [&label] { return label; });
            }
            break;
        }
        case Kind::InstantMessage: {
            const QVariantList &values = person.imsValues();
            for (qsizetype i = 0; i < values.size(); ++i) {
                const QVariantMap entry = values.at(i).toMap();
                const QString service = textForKey(entry, CN::InstantMessageAddressServiceKey);
                if (allowsLabel(textForKey(entry, Key::Label)) && allowsSubItem(service))
                    visit(field.item, service, i, textForKey(entry, Key::Value),
                        [&entry] { return textForKey(entry, Key::Label); });
            }
            break;
        }
        case Kind::Labeled: {
            const QVariantList *values = person.labeledValues(field.item);
            for (qsizetype i = 0; values && i < values->size(); ++i) {
                const QVariantMap entry = values->at(i).toMap();
                if (!m_allLabels && !m_labels.contains(textForKey(entry, Key::Label)))
                    continue;
                visit(field.item, QString(), i, textForKey(entry, Key::StringValue),
                    [&entry] { return textForKey(entry, Key::Label); });
            }
            break;
        }
        case Kind::Dictionary:
            // Only the birthday among the dictionaries reaches here; the names have their own kinds.
            visit(field.item, QString(), -1,
                field.item == Ident::Birthday
                    ? textForKey(person.birthdayValue(), Key::StringValue)
                    : person.valueForIdentifier(field.item).toMap().value(Key::StringValue).toString(),
                noLabel);
            break;
        case Kind::String:
            if (!stringsRead) {
                findKeys(person.stringValues(), m_stringKeys, strings);
                stringsRead = true;
            }
            visit(field.item, QString(), -1, foundText(strings.at(field.slot)), noLabel);
            break;
        }
    }
}
