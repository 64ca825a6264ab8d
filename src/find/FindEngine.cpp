#include "find/FindEngine.h"

#include "document/DefaultsKeys.h"
#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QStringView>

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

// Searches the parts in order (reversed backwards) from the part named by the query's
// sub-identifier; only the first part searched uses the current range.
std::optional<FindMatch> searchParts(const CellQuery &q, const QList<Part> &parts, Direction direction,
    bool withItemRange, qsizetype labelIndex)
{
    if (parts.isEmpty())
        return std::nullopt;
    const bool forward = direction == Direction::Forward;
    qsizetype first = forward ? 0 : parts.size() - 1;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!q.subIdentifier.isEmpty() && parts.at(i).subIdentifier == q.subIdentifier)
            first = i;
    }
    bool useRange = true;
    for (qsizetype i = first; forward ? i < parts.size() : i >= 0; i += forward ? 1 : -1) {
        const Part &part = parts.at(i);
        FindRange current { NotFound, 0 };
        bool skip = false;
        if (useRange && q.range.found()) {
            if (q.infoPanel) {
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
        m.range = q.infoPanel ? found : FindRange { found.location + part.start, found.length };
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
        return dict.value(identifier).toString();
    const QString &key = identifier == Ident::PhoneticFirstName ? Ident::FirstName
        : identifier == Ident::PhoneticMiddleName               ? Ident::MiddleName
                                                                : Ident::LastName;
    return dict.value(key).toString();
}

// `name` is the record's name dictionary, read once per cell.
QList<Part> nameParts(ZRPerson &person, const QVariantMap &name, bool phonetic, bool infoPanel)
{
    const QVariantMap dict = phonetic ? person.readPhoneticNameValue() : name;
    QList<Part> parts;
    if (infoPanel) {
        const QStringList ids = phonetic
            ? QStringList { Ident::PhoneticFirstName, Ident::PhoneticMiddleName, Ident::PhoneticLastName }
            : QStringList { Ident::FirstName, Ident::MiddleName, Ident::LastName, Ident::PreviousFamilyName };
        for (const QString &id : ids)
            parts.append({ partOf(dict, id, phonetic), 0, id });
        return parts;
    }
    QString firstId = phonetic ? Ident::PhoneticFirstName : Ident::FirstName;
    QString lastId = phonetic ? Ident::PhoneticLastName : Ident::LastName;
    const int order = person.nameOrdering();
    if (order == 2 || (order == 0 && person.defaultNameOrdering() == 2))
        std::swap(firstId, lastId);
    const QString part0 = partOf(dict, firstId, phonetic);
    // The name cell always puts the space in; the phonetic cell only after a non-empty part.
    const qsizetype start1 = (!phonetic || !part0.isEmpty()) ? part0.size() + 1 : 0;
    parts.append({ part0, 0, firstId });
    parts.append({ partOf(dict, lastId, phonetic), start1, lastId });
    return parts;
}

// An address part at a value's position, without deriving or copying the entry.
QString addressPart(ZRPerson &person, const QString &identifier, qsizetype L)
{
    const QVariantList &addresses = person.addressValues();
    if (L >= 0 && L < addresses.size()) {
        const QVariant &value = addresses.at(L);
        if (value.typeId() == QMetaType::QVariantMap) {
            const QVariantMap entry = value.toMap(); // shared, not copied
            if (entry.value(Key::LabelIndex, L).toLongLong() == L)
                return entry.value(identifier).toString();
        }
    }
    return person.stringValueForIdentifierAtLabelIndex(identifier, L);
}

std::optional<FindMatch> findInAddress(const CellQuery &q, ZRPerson &person, qsizetype L, Direction direction)
{
    const QVariant labeled = person.labeledValueForIdentifierAtLabelIndex(Ident::Address, L);
    if (labeled.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap entry = labeled.toMap();
    const QVariantList table = ZRPerson::rangeTableFromAddressDictionary(entry);
    const bool forward = direction == Direction::Forward;
    const bool haveRange = q.range.found();
    bool reached = !haveRange;
    for (qsizetype n = 0; n < table.size(); ++n) {
        const QVariantMap component = table.at(forward ? n : table.size() - 1 - n).toMap();
        const QString id = component.value(AddressRangeKey::Identifier).toString();
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
        const QString text = entry.value(id).toString();
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
    if (!q.contact || !q.contact->person || q.findString.isEmpty())
        return std::nullopt;
    ZRPerson &person = *q.contact->person;
    const qsizetype L = q.labelIndex == NotFound ? 0 : q.labelIndex;
    const QString &id = q.identifier;

    if (id == Ident::Name) {
        const QVariantMap &name = person.readNameValue();
        // The dictionary, not the property, is the truth for the person flag.
        if (!q.infoPanel && !name.value(Key::ShowAsPerson, person.showAsPerson()).toBool()) {
            const QList<Part> parts { { person.stringValues().value(Ident::Company).toString(), 0,
                QString() } };
            CellQuery plain = q;
            plain.subIdentifier.clear();
            return searchParts(plain, parts, direction, false, q.labelIndex);
        }
        return searchParts(q, nameParts(person, name, false, q.infoPanel), direction, true, q.labelIndex);
    }
    if (id == Ident::PhoneticName)
        return searchParts(
            q, nameParts(person, person.readNameValue(), true, q.infoPanel), direction, true, q.labelIndex);
    if (id == Ident::Address)
        return findInAddress(q, person, L, direction);
    if (ZRPerson::addressIdentifiers().contains(id)) {
        const QString text = addressPart(person, id, L);
        if (q.range.found() && q.range.end() > text.size())
            return std::nullopt;
        const FindRange found = lookForString(q.findString, text, q.range, q.cs, direction);
        if (!found.found())
            return std::nullopt;
        FindMatch m = baseMatch(q);
        m.labelIndex = L;
        m.range = found;
        return m;
    }
    if (id == Ident::InstantMessage) {
        const QVariant labeled = person.labeledValueForIdentifierAtLabelIndex(id, L);
        if (labeled.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        const QVariantMap entry = labeled.toMap();
        const QString service = entry.value(CN::InstantMessageAddressServiceKey).toString();
        const QString user = entry.value(CN::InstantMessageAddressUsernameKey).toString();
        const QList<Part> parts { { service + u':', 0, CN::InstantMessageAddressServiceKey },
            { user, service.size() + 1, CN::InstantMessageAddressUsernameKey } };
        CellQuery adjusted = q;
        adjusted.infoPanel = false; // the panel shows the same "service:user" text as the table
        return searchParts(adjusted, parts, direction, true, L);
    }
    if (id == Ident::Birthday || id == Ident::Dates)
        return std::nullopt;
    if (ZRPerson::labeledIdentifiers().contains(id)) {
        const QString text = person.stringValueForIdentifierAtLabelIndex(id, L);
        const FindRange found = lookForString(q.findString, text, q.range, q.cs, direction);
        if (!found.found())
            return std::nullopt;
        FindMatch m = baseMatch(q);
        m.labelIndex = L;
        m.range = found;
        return m;
    }
    const QString text = ZRPerson::stringIdentifiers().contains(id)
        ? person.stringValues().value(id).toString()
        : person.stringValueForIdentifierAtLabelIndex(id, q.labelIndex);
    const FindRange found = lookForString(q.findString, text, q.range, q.cs, direction);
    if (!found.found())
        return std::nullopt;
    FindMatch m = baseMatch(q);
    m.range = found;
    return m;
}

std::optional<FindMatch> findInTable(const QString &findString, const ContactTable &rows,
    const QStringList &columns, const FindMatch &current, Qt::CaseSensitivity cs, Direction direction)
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

    const QStringList &labeled = ZRPerson::labeledIdentifiers();
    const QStringList &address = ZRPerson::addressIdentifiers();
    QList<bool> everyRow;
    everyRow.reserve(columns.size());
    for (const QString &c : columns)
        everyRow.append(labeled.contains(c) || address.contains(c));

    CellQuery q;
    q.findString = findString;
    q.cs = cs;
    bool firstCell = true;
    // One pass through every row after the start, then the starting row again from its first cell.
    for (qsizetype step = 0; step <= n; ++step) {
        const qsizetype r = forward ? (startRow + step) % n : ((startRow - step) % n + n) % n;
        const ContactEntryPtr &row = rows.at(r);
        if (!row || !row->person)
            continue;
        const qsizetype from = step == 0 ? startColumn : (forward ? 0 : columns.size() - 1);
        for (qsizetype c = from; forward ? c < columns.size() : c >= 0; c += forward ? 1 : -1) {
            const QString &column = columns.at(c);
            if (column == ColumnId::Sender)
                continue;
            if (!everyRow.at(c) && row->labelIndex != 0)
                continue;
            q.identifier = column;
            q.labelIndex = row->labelIndex;
            q.contact = row;
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
