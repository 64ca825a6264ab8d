#include "find/FindEngine.h"

#include "document/DefaultsKeys.h"
#include "find/CellKind.h"
#include "model/AddressFormats.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QStringView>
#include <QVarLengthArray>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace FindEngine {

namespace {

constexpr qsizetype NotFound = FindRange::NotFound;

// One searchable part of a cell: its own text and where it starts in the displayed text.
struct Part
{
    QString text;
    qsizetype start = 0;
    QString subIdentifier;
};
// A cell has at most four parts (the panel's name); they stay off the heap.
using Parts = QVarLengthArray<Part, 4>;

// The current range as seen by a part that starts at `start`: none when it lies before the part.
FindRange shifted(const FindRange &range, qsizetype start)
{
    if (!range.found())
        return range;
    if (range.location < start)
        return { NotFound, 0 };
    return { range.location - start, range.length };
}

FindMatch baseMatch(const CellQuery &q)
{
    FindMatch m;
    m.contact = q.contact;
    m.uniqueId = q.contact ? q.contact->uniqueId : QString();
    m.identifier = q.identifier;
    m.labelIndex = q.labelIndex;
    return m;
}

// Searches the parts in order (reversed backwards) from the part named by subIdentifier; only the
// first part searched uses the current range. `infoPanel` ranges are the part's own.
std::optional<FindMatch> searchParts(const CellQuery &q, const Parts &parts, const QString &subIdentifier,
    bool infoPanel, Direction direction, bool withItemRange, qsizetype labelIndex)
{
    if (parts.isEmpty())
        return std::nullopt;
    const bool forward = direction == Direction::Forward;
    qsizetype first = forward ? 0 : parts.size() - 1;
    if (!subIdentifier.isEmpty()) {
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (parts.at(i).subIdentifier == subIdentifier)
                first = i;
        }
    }
    bool useRange = true;
    for (qsizetype i = first; forward ? i < parts.size() : i >= 0; i += forward ? 1 : -1) {
        const Part &part = parts.at(i);
        FindRange current { NotFound, 0 };
        bool skip = false;
        if (useRange && q.range.found()) {
            if (infoPanel) {
                current = q.range;
            } else {
                current = shifted(q.range, part.start);
                // Backwards, a current match before this part leaves nothing of it to search.
                skip = !forward && !current.found();
            }
        }
        useRange = false;
        if (skip)
            continue;
        const FindRange found = lookForString(q.findString, part.text, current, q.cs, direction);
        if (!found.found())
            continue;
        FindMatch m = baseMatch(q);
        m.labelIndex = labelIndex;
        m.subIdentifier = part.subIdentifier;
        m.range = infoPanel ? found : FindRange { found.location + part.start, found.length };
        if (withItemRange)
            m.itemRange = found;
        return m;
    }
    return std::nullopt;
}

// The dictionary's part under its own key (the phonetic dictionary keys its parts like the name's).
QString partOf(const QVariantMap &dict, const QString &identifier, bool phonetic)
{
    if (!phonetic)
        return textForKey(dict, identifier);
    const QString &key = identifier == Ident::PhoneticFirstName ? Ident::FirstName
        : identifier == Ident::PhoneticMiddleName               ? Ident::MiddleName
                                                                : Ident::LastName;
    return textForKey(dict, key);
}

// `name` is the record's name dictionary, read once per cell.
Parts nameParts(ZRPerson &person, const QVariantMap &name, bool phonetic, bool infoPanel)
{
    const QVariantMap &dict = phonetic ? person.readPhoneticNameValue() : name;
    Parts parts;
    if (infoPanel) {
        static const QString *const names[] { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName,
            &Ident::PreviousFamilyName };
        static const QString *const phonetics[] { &Ident::PhoneticFirstName, &Ident::PhoneticMiddleName,
            &Ident::PhoneticLastName };
        const auto add = [&](const QString *id) { parts.append({ partOf(dict, *id, phonetic), 0, *id }); };
        if (phonetic)
            std::for_each(std::begin(phonetics), std::end(phonetics), add);
        else
            std::for_each(std::begin(names), std::end(names), add);
        return parts;
    }
    const QString *firstId = phonetic ? &Ident::PhoneticFirstName : &Ident::FirstName;
    const QString *lastId = phonetic ? &Ident::PhoneticLastName : &Ident::LastName;
    const int order = person.nameOrdering();
    if (order == 2 || (order == 0 && person.defaultNameOrdering() == 2))
        std::swap(firstId, lastId);
    QString part0 = partOf(dict, *firstId, phonetic);
    // The name cell always puts the space in; the phonetic cell only after a non-empty part.
    const qsizetype start1 = (!phonetic || !part0.isEmpty()) ? part0.size() + 1 : 0;
    parts.append({ std::move(part0), 0, *firstId });
    parts.append({ partOf(dict, *lastId, phonetic), start1, *lastId });
    return parts;
}

// The table's name cell: the two parts in display order, or the company of an organisation.
std::optional<FindMatch> findInNameCell(const CellQuery &q, ZRPerson &person, Direction direction)
{
    const QVariantMap &name = person.readNameValue();
    const QString *firstId = &Ident::FirstName;
    const QString *lastId = &Ident::LastName;
    const int order = person.nameOrdering();
    if (order == 2 || (order == 0 && person.defaultNameOrdering() == 2))
        std::swap(firstId, lastId);
    const QString *const keys[] { &Key::ShowAsPerson, firstId, lastId };
    const QVariant *values[std::size(keys)];
    findKeys(name, keys, values);
    // The dictionary, not the property, is the truth for the person flag.
    if (!(values[0] ? values[0]->toBool() : person.showAsPerson())) {
        const Parts parts { { textForKey(person.stringValues(), Ident::Company), 0, QString() } };
        return searchParts(q, parts, QString(), false, direction, false, q.labelIndex);
    }
    QString part0 = foundText(values[1]);
    // The name cell always puts the space in.
    const qsizetype start1 = part0.size() + 1;
    const Parts parts { { std::move(part0), 0, *firstId }, { foundText(values[2]), start1, *lastId } };
    return searchParts(q, parts, q.subIdentifier, false, direction, true, q.labelIndex);
}

// The address entry at a value's position when it carries that label index (the common case),
// without deriving or copying it; false when the slower lookup by label index is needed.
bool addressEntryAt(ZRPerson &person, qsizetype L, QVariantMap &entry)
{
    const QVariantList &addresses = person.addressValues();
    if (L < 0 || L >= addresses.size())
        return false;
    const QVariant &value = addresses.at(L);
    if (value.typeId() != QMetaType::QVariantMap)
        return false;
    entry = value.toMap(); // shared, not copied
    const auto index = entry.constFind(Key::LabelIndex);
    return index == entry.cend() || index.value().toLongLong() == L;
}

// The texts of one table row's plain columns (company, address parts, ...), read together the
// first time the row needs one of them: one walk through each dictionary for all of its columns.
class RowTexts
{
public:
    explicit RowTexts(const QList<CellKind> &kinds, const QStringList &columns)
        : m_kinds(kinds)
    {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (kinds.at(c) == CellKind::String)
                m_stringKeys.append(&columns.at(c));
            else if (kinds.at(c) == CellKind::AddressPart)
                m_addressKeys.append(&columns.at(c));
            m_slots.append(kinds.at(c) == CellKind::String ? m_stringKeys.size() - 1
                    : kinds.at(c) == CellKind::AddressPart ? m_addressKeys.size() - 1
                                                           : -1);
        }
        m_addressKeys.append(&Key::LabelIndex);
        m_strings.resize(m_stringKeys.size());
        m_address.resize(m_addressKeys.size());
    }

    // The text of column c in the row; nullopt when only the slower lookup by label index can tell.
    std::optional<QString> text(const ContactEntry &row, qsizetype c)
    {
        if (m_row != &row) {
            m_row = &row;
            m_stringsRead = m_addressRead = false;
        }
        ZRPerson &person = *row.person;
        const qsizetype slot = m_slots.at(c);
        if (m_kinds.at(c) == CellKind::String) {
            if (!m_stringsRead) {
                findKeys(person.stringValues(), m_stringKeys, m_strings);
                m_stringsRead = true;
            }
            return foundText(m_strings.at(slot));
        }
        if (!m_addressRead) {
            m_addressRead = true;
            m_direct = readAddress(person, row.labelIndex == NotFound ? 0 : row.labelIndex);
        }
        if (!m_direct)
            return std::nullopt;
        return foundText(m_address.at(slot));
    }

private:
    // The address entry at the row's position when it carries the row's label index (the common case).
    bool readAddress(ZRPerson &person, qsizetype L)
    {
        const QVariantList &addresses = person.addressValues();
        if (L < 0 || L >= addresses.size() || addresses.at(L).typeId() != QMetaType::QVariantMap)
            return false;
        m_entry = addresses.at(L).toMap(); // shared, not copied
        findKeys(m_entry, m_addressKeys, m_address);
        const QVariant *index = m_address.last();
        return !index || index->toLongLong() == L;
    }

    const QList<CellKind> &m_kinds;
    QVarLengthArray<const QString *, 8> m_stringKeys;
    QVarLengthArray<const QString *, 8> m_addressKeys; // the label index last
    QVarLengthArray<qsizetype, 16> m_slots;
    const ContactEntry *m_row = nullptr;
    bool m_stringsRead = false;
    bool m_addressRead = false;
    bool m_direct = false;
    QVariantMap m_entry;
    QVarLengthArray<const QVariant *, 8> m_strings;
    QVarLengthArray<const QVariant *, 8> m_address;
};

std::optional<FindMatch> findInAddress(const CellQuery &q, ZRPerson &person, qsizetype L, Direction direction)
{
    const QVariant labeled = person.labeledValueForIdentifierAtLabelIndex(Ident::Address, L);
    if (labeled.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap entry = labeled.toMap();
    const QVariantList table = AddressFormats::shared().rangeTableFromAddressDictionary(entry);
    const bool forward = direction == Direction::Forward;
    const bool haveRange = q.range.found();
    bool reached = !haveRange;
    for (qsizetype n = 0; n < table.size(); ++n) {
        const QVariantMap component = table.at(forward ? n : table.size() - 1 - n).toMap();
        const QString id = textForKey(component, AddressRangeKey::Identifier);
        const QVariantMap r = component.value(AddressRangeKey::Range).toMap();
        const qsizetype start = r.value(AddressRangeKey::Location).toLongLong();
        const qsizetype length = r.value(AddressRangeKey::Length).toLongLong();
        FindRange current { NotFound, 0 };
        if (!reached) {
            const bool contains = forward ? (start <= q.range.location && start + length >= q.range.end())
                                          : (start <= q.range.location && start + length > q.range.location);
            if (!contains)
                continue;
            reached = true;
            current = { q.range.location - start, q.range.length };
        }
        if (length == 0 || !ZRPerson::addressIdentifiers().contains(id))
            continue;
        // The component's own text: the displayed piece carries a separating space after it.
        const QString text = textForKey(entry, id);
        const FindRange found = lookForString(q.findString, text, current, q.cs, direction);
        if (!found.found())
            continue;
        FindMatch m = baseMatch(q);
        m.labelIndex = L;
        m.subIdentifier = id;
        m.range = { found.location + start, found.length };
        m.itemRange = found;
        return m;
    }
    return std::nullopt;
}

// A cell showing one plain text.
std::optional<FindMatch> findInText(
    const CellQuery &q, const QString &text, Direction direction, qsizetype labelIndex)
{
    const FindRange found = lookForString(q.findString, text, q.range, q.cs, direction);
    if (!found.found())
        return std::nullopt;
    FindMatch m = baseMatch(q);
    m.labelIndex = labelIndex;
    m.range = found;
    return m;
}

// `text`, when given, is the cell's text already read for a plain cell.
std::optional<FindMatch> findInCellOfKind(
    const CellQuery &q, CellKind kind, Direction direction, const std::optional<QString> &text = std::nullopt)
{
    if (!q.contact || !q.contact->person || q.findString.isEmpty())
        return std::nullopt;
    ZRPerson &person = *q.contact->person;
    const qsizetype L = q.labelIndex == NotFound ? 0 : q.labelIndex;
    const QString &id = q.identifier;

    switch (kind) {
    case CellKind::Skipped:
    case CellKind::Date:
        return std::nullopt;
    case CellKind::Name:
        if (!q.infoPanel)
            return findInNameCell(q, person, direction);
        return searchParts(q, nameParts(person, person.readNameValue(), false, true), q.subIdentifier, true,
            direction, true, q.labelIndex);
    case CellKind::PhoneticName:
        return searchParts(q, nameParts(person, person.readNameValue(), true, q.infoPanel), q.subIdentifier,
            q.infoPanel, direction, true, q.labelIndex);
    case CellKind::Address:
        return findInAddress(q, person, L, direction);
    case CellKind::AddressPart: {
        QVariantMap entry;
        const QString part = text              ? *text
            : addressEntryAt(person, L, entry) ? textForKey(entry, id)
                                               : person.stringValueForIdentifierAtLabelIndex(id, L);
        if (q.range.found() && q.range.end() > part.size())
            return std::nullopt;
        return findInText(q, part, direction, L);
    }
    case CellKind::InstantMessage: {
        const QVariant labeled = person.labeledValueForIdentifierAtLabelIndex(id, L);
        if (labeled.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        const QVariantMap entry = labeled.toMap();
        const QString service = textForKey(entry, CN::InstantMessageAddressServiceKey);
        const qsizetype userStart = service.size() + 1;
        const Parts parts { { service + u':', 0, CN::InstantMessageAddressServiceKey },
            { textForKey(entry, CN::InstantMessageAddressUsernameKey), userStart,
                CN::InstantMessageAddressUsernameKey } };
        // The panel shows the same "service:user" text as the table.
        return searchParts(q, parts, q.subIdentifier, false, direction, true, L);
    }
    case CellKind::Labeled:
        return findInText(q, person.stringValueForIdentifierAtLabelIndex(id, L), direction, L);
    case CellKind::String:
        return findInText(q, text ? *text : textForKey(person.stringValues(), id), direction, q.labelIndex);
    case CellKind::Other:
        break;
    }
    return findInText(
        q, person.stringValueForIdentifierAtLabelIndex(id, q.labelIndex), direction, q.labelIndex);
}

} // namespace

FindRange lookForString(const QString &needle, const QString &text, const FindRange &range,
    Qt::CaseSensitivity cs, Direction direction)
{
    if (text.isEmpty() || needle.isEmpty())
        return {};
    if (direction == Direction::Forward) {
        qsizetype from = 0;
        if (range.found()) {
            // Guard the sum: a range from elsewhere may carry any numbers.
            if (range.location >= text.size() || range.length >= text.size() - range.location)
                return {};
            from = range.location + range.length;
        }
        const qsizetype at = text.indexOf(needle, from, cs);
        return at < 0 ? FindRange {} : FindRange { at, needle.size() };
    }
    QStringView view(text);
    if (range.found() && range.location < text.size())
        view = view.left(range.location);
    if (view.size() < needle.size())
        return {};
    const qsizetype at = view.lastIndexOf(QStringView(needle), view.size() - needle.size(), cs);
    return at < 0 ? FindRange {} : FindRange { at, needle.size() };
}

std::optional<FindMatch> findInCell(const CellQuery &q, Direction direction)
{
    return findInCellOfKind(q, cellKind(q.identifier), direction);
}

std::optional<FindMatch> findInTable(const QString &findString, const ContactTable &rows,
    const QStringList &columns, const FindMatch &current, Qt::CaseSensitivity cs, Direction direction,
    const RowFilter &rowMayMatch)
{
    if (findString.isEmpty() || rows.isEmpty() || columns.isEmpty())
        return std::nullopt;
    const bool forward = direction == Direction::Forward;
    qsizetype startColumn = columns.indexOf(current.identifier);
    if (startColumn < 0)
        startColumn = forward ? 0 : columns.size() - 1;
    qsizetype startRow = -1;
    for (qsizetype r = 0; r < rows.size() && startRow < 0; ++r) {
        const ContactEntryPtr &row = rows.at(r);
        if (row && row->uniqueId == current.uniqueId && row->labelIndex == current.labelIndex)
            startRow = r;
    }
    const qsizetype n = rows.size();
    if (startRow < 0)
        startRow = forward ? 0 : n - 1;

    // Which columns every row shows (the others only a contact's first row), and what each shows.
    QList<CellKind> kinds;
    QVarLengthArray<bool, 16> everyRow;
    for (const QString &c : columns) {
        kinds.append(tableCellKind(c));
        everyRow.append(searchedInEveryRow(c));
    }

    CellQuery q;
    q.findString = findString;
    q.cs = cs;
    RowTexts texts(kinds, columns);
    bool firstCell = true;
    // One pass through every row after the start, then the starting row again from its first cell.
    for (qsizetype step = 0; step <= n; ++step) {
        const qsizetype r = forward ? (startRow + step) % n : ((startRow - step) % n + n) % n;
        const ContactEntryPtr &row = rows.at(r);
        if (!row || !row->person) {
            firstCell = false; // the current match's place belongs to this row, not to the next
            continue;
        }
        if (rowMayMatch && !rowMayMatch(r)) {
            // When this is the starting row the current match lies in it: the next row starts afresh.
            firstCell = false;
            continue;
        }
        q.contact = row;
        q.labelIndex = row->labelIndex;
        const qsizetype from = step == 0 ? startColumn : (forward ? 0 : columns.size() - 1);
        for (qsizetype c = from; forward ? c < columns.size() : c >= 0; c += forward ? 1 : -1) {
            const CellKind kind = kinds[c];
            if (kind == CellKind::Skipped)
                continue;
            if (!everyRow[c] && row->labelIndex != 0)
                continue;
            q.identifier = columns.at(c);
            if (firstCell) {
                q.subIdentifier = current.subIdentifier;
                q.range = current.range;
                firstCell = false;
            } else if (q.range.found() || !q.subIdentifier.isEmpty()) {
                q.subIdentifier.clear();
                q.range = {};
            }
            const bool plain = kind == CellKind::String || kind == CellKind::AddressPart;
            if (auto m = findInCellOfKind(q, kind, direction, plain ? texts.text(*row, c) : std::nullopt))
                return m;
        }
        firstCell = false;
    }
    return std::nullopt;
}

const QStringList &panelIdentifiers()
{
    static const QStringList ids { Ident::Name, LabelIdent::NameOrdering, LabelIdent::ShowAsPerson,
        Ident::Company, Ident::PhoneticName, Ident::Email, Ident::Phone, Ident::InstantMessage,
        Ident::SocialNetwork, Ident::URL, Ident::Address, Ident::Nickname, Ident::Birthday,
        Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Department, Ident::JobTitle, Ident::Dates,
        Ident::Note, Ident::Renmei };
    return ids;
}

std::optional<FindMatch> findInPanel(const QString &findString, const ContactEntryPtr &contact,
    const FindMatch &current, Qt::CaseSensitivity cs, Direction direction)
{
    if (findString.isEmpty() || !contact || !contact->person)
        return std::nullopt;
    ZRPerson &person = *contact->person;
    const QStringList &ids = panelIdentifiers();
    const qsizetype count = ids.size();
    const bool forward = direction == Direction::Forward;
    qsizetype start = ids.indexOf(current.identifier);
    if (start < 0)
        start = 0;
    // Forwards the starting field comes round again so that an earlier match in it is found.
    const qsizetype visits = forward ? count + 1 : count;

    CellQuery q;
    q.findString = findString;
    q.contact = contact;
    q.infoPanel = true;
    q.cs = cs;
    bool firstCell = true;
    for (qsizetype v = 0; v < visits; ++v) {
        const QString &id = ids.at(forward ? (start + v) % count : ((start - v) % count + count) % count);
        QList<qsizetype> indexes { 0 };
        if (ZRPerson::labeledIdentifiers().contains(id)) {
            const QVariantList *list = person.labeledValues(id);
            const qsizetype size = std::max<qsizetype>(1, list ? list->size() : 0);
            const bool useCurrent = v == 0 && current.labelIndex != FindRange::NotFound
                && current.labelIndex >= 0 && current.labelIndex < size;
            indexes.clear();
            if (forward) {
                for (qsizetype i = useCurrent ? current.labelIndex : 0; i < size; ++i)
                    indexes.append(i);
            } else {
                for (qsizetype i = useCurrent ? current.labelIndex : size - 1; i >= 0; --i)
                    indexes.append(i);
            }
        }
        for (qsizetype index : indexes) {
            q.identifier = id;
            q.labelIndex = index;
            if (firstCell) {
                q.subIdentifier = current.subIdentifier;
                q.range = current.range;
                firstCell = false;
            } else {
                q.subIdentifier.clear();
                q.range = {};
            }
            if (auto m = findInCell(q, direction))
                return m;
        }
    }
    return std::nullopt;
}

} // namespace FindEngine
