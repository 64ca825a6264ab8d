#include "find/FindPanel.h"

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QStringList &nameParts()
{
    static const QStringList ids { Ident::FirstName, Ident::LastName, Ident::MiddleName };
    return ids;
}

const QStringList &phoneticParts()
{
    static const QStringList ids { Ident::PhoneticFirstName, Ident::PhoneticLastName,
        Ident::PhoneticMiddleName };
    return ids;
}

const QStringList &instantMessageServices()
{
    static const QStringList ids { CN::InstantMessageServiceAIM, CN::InstantMessageServiceFacebook,
        CN::InstantMessageServiceGaduGadu, CN::InstantMessageServiceGoogleTalk, CN::InstantMessageServiceICQ,
        CN::InstantMessageServiceJabber, CN::InstantMessageServiceMSN, CN::InstantMessageServiceQQ,
        CN::InstantMessageServiceSkype, CN::InstantMessageServiceYahoo };
    return ids;
}

bool allows(const QStringList &filter, const QString &entry)
{
    return (!filter.isEmpty() && filter.first() == LabelText::All) || filter.contains(entry);
}

bool isAll(const QStringList &filter)
{
    return !filter.isEmpty() && filter.first() == LabelText::All;
}

QString title(
    const QString &heading, const QStringList &filter, const std::function<QString(const QString &)> &name)
{
    if (isAll(filter))
        return FindPanelText::TitleAll.arg(heading, LabelText::All);
    QString text = FindPanelText::TitleHeading.arg(heading);
    for (const QString &entry : filter)
        text += FindPanelText::TitleEntry.arg(name(entry));
    text.chop(2);
    return text;
}

QString labelDisplay(const QString &label)
{
    return ZRPerson::localizedLabelFromCNLabel(ZRPerson::CNLabelFromLabel(label));
}

} // namespace

FindPanel::FindPanel(ViewController *parentViewController, QObject *parent)
    : QObject(parent)
    , m_parent(parentViewController)
    , m_selectedItems { LabelText::All }
    , m_selectedSubItems { LabelText::All }
    , m_selectedLabels { LabelText::All }
{
}

void FindPanel::searchModePopupDidSelect(int index)
{
    m_mode = index == 0 ? Mode::CaseInsensitive : index == 1 ? Mode::CaseSensitive : Mode::Regex;
    updateTable();
}

void FindPanel::textDidEnter(const QString &text)
{
    m_searchString = text;
    updateTable();
}

// ---- Filters

QStringList FindPanel::items() const
{
    return QStringList { LabelText::All } + ZRPerson::allIdentifiers();
}

QStringList FindPanel::subItemChoices() const
{
    const QStringList address { Ident::ZIP, Ident::State, Ident::City, Ident::Street, Ident::Country,
        FindPanelText::CountryCode };
    QStringList choices { LabelText::All };
    if (isAll(m_selectedItems)) {
        choices += { Ident::FirstName, Ident::MiddleName, Ident::LastName, Ident::PhoneticFirstName,
            Ident::PhoneticMiddleName, Ident::PhoneticLastName };
        return choices + address + instantMessageServices();
    }
    for (const QString &item : m_selectedItems) {
        if (item == Ident::Name)
            choices += { Ident::FirstName, Ident::MiddleName, Ident::LastName };
        else if (item == Ident::PhoneticName)
            choices += { Ident::PhoneticFirstName, Ident::PhoneticMiddleName, Ident::PhoneticLastName };
        else if (item == Ident::Address)
            choices += address;
        else if (item == Ident::InstantMessage)
            choices += instantMessageServices();
    }
    return choices;
}

QStringList FindPanel::labelChoices() const
{
    const QStringList source = isAll(m_selectedItems) ? ZRPerson::allIdentifiers() : m_selectedItems;
    QStringList labels;
    for (const QString &item : source) {
        for (const QString &label : ZRPerson::labelsForIdentifier(item)) {
            if (label != LabelText::All && !labels.contains(label))
                labels.append(label);
        }
    }
    // The common three lead, in this order.
    labels.removeAll(LabelName::Home);
    labels.removeAll(LabelName::Work);
    labels.removeAll(LabelName::Other);
    labels.insert(0, LabelName::Other);
    labels.insert(0, LabelName::Work);
    labels.insert(0, LabelName::Home);
    return QStringList { LabelText::All } + labels;
}

QString FindPanel::itemTitle() const
{
    return title(FindPanelText::Items, m_selectedItems, ZRPerson::localizedIdentifierForKey);
}

QString FindPanel::subItemTitle() const
{
    return title(FindPanelText::SubItems, m_selectedSubItems, [](const QString &s) { return s; });
}

QString FindPanel::labelTitle() const
{
    return title(FindPanelText::Labels, m_selectedLabels, labelDisplay);
}

void FindPanel::toggleChoice(QStringList &filter, const QString &entry)
{
    if (entry == LabelText::All) {
        filter = { LabelText::All };
        return;
    }
    filter.removeAll(LabelText::All);
    if (filter.contains(entry)) {
        if (filter.size() > 1)
            filter.removeAll(entry);
    } else {
        filter.append(entry);
    }
}

void FindPanel::itemPopupDidSelect(const QString &entry)
{
    toggleChoice(m_selectedItems, entry);
    updateTable();
}

void FindPanel::subItemPopupDidSelect(const QString &entry)
{
    toggleChoice(m_selectedSubItems, entry);
    updateTable();
}

void FindPanel::labelPopupDidSelect(const QString &entry)
{
    toggleChoice(m_selectedLabels, entry);
    updateTable();
}

// ---- Searching

QList<FindRange> FindPanel::searchText(const QString &search, const QString &text, Mode mode, QString *error)
{
    QList<FindRange> ranges;
    if (search.isEmpty() || text.isEmpty())
        return ranges;
    if (mode == Mode::Regex) {
        const QRegularExpression re(search);
        if (!re.isValid()) {
            if (error)
                *error = FindPanelText::InvalidPattern.arg(re.errorString()).arg(re.patternErrorOffset());
            return ranges;
        }
        auto it = re.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedLength(0) == 0)
                break; // an empty match ends the search, as it cannot be replaced meaningfully
            ranges.append({ m.capturedStart(0), m.capturedLength(0) });
        }
        return ranges;
    }
    const Qt::CaseSensitivity cs = mode == Mode::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype at = text.indexOf(search, from, cs);
        if (at < 0)
            break;
        ranges.append({ at, search.size() });
        from = at + search.size();
    }
    return ranges;
}

QList<FindResultRowPtr> FindPanel::searchStringInContact(const QString &search,
    const ContactEntryPtr &contact, const QStringList &items, const QStringList &subItems,
    const QStringList &labels, Mode mode) const
{
    QList<FindResultRowPtr> rows;
    if (!contact || !contact->person || search.isEmpty())
        return rows;
    ZRPerson &person = *contact->person;
    const QString name
        = person.storedCompositeName().isEmpty() ? person.compositeName() : person.storedCompositeName();
    auto add = [&](const QString &item, const QString &subItem, const QString &label, qsizetype index,
                   const QString &text) {
        QList<FindRange> ranges = searchText(search, text, mode);
        if (ranges.isEmpty())
            return;
        rows.append(std::make_shared<FindResultRow>(
            FindResultRow { name, item, subItem, label, index, text, std::move(ranges), contact }));
    };
    // Each read of a name dictionary derives the display name again: read each once per contact.
    std::optional<QVariantMap> nameDict;
    std::optional<QVariantMap> phoneticDict;
    auto namePart = [&](const QString &part) {
        if (nameParts().contains(part)) {
            if (!nameDict)
                nameDict = person.readNameValue();
            return nameDict->value(part).toString();
        }
        if (!phoneticDict)
            phoneticDict = person.readPhoneticNameValue();
        const QString &key = part == Ident::PhoneticFirstName ? Ident::FirstName
            : part == Ident::PhoneticMiddleName               ? Ident::MiddleName
                                                              : Ident::LastName;
        return phoneticDict->value(key).toString();
    };
    const bool allSub = isAll(subItems);
    const bool allLabels = isAll(labels);
    const QStringList fields = isAll(items) ? ZRPerson::allIdentifiers() : items;
    for (const QString &item : fields) {
        if (item == Ident::Name || item == Ident::PhoneticName) {
            if (!allLabels)
                continue;
            for (const QString &part : item == Ident::Name ? nameParts() : phoneticParts()) {
                if (allows(subItems, part))
                    add(item, part, QString(), -1, namePart(part));
            }
            continue;
        }
        const bool component = ZRPerson::addressIdentifiers().contains(item);
        if (item == Ident::Address || component) {
            const QVariantList &addresses = person.addressValues();
            for (qsizetype i = 0; i < addresses.size(); ++i) {
                const QVariantMap entry = addresses.at(i).toMap();
                const QString label = entry.value(Key::Label).toString();
                if (!allows(labels, label))
                    continue;
                const QStringList parts = component ? QStringList { item } : ZRPerson::addressIdentifiers();
                for (const QString &part : parts) {
                    if (component || allows(subItems, part))
                        add(Ident::Address, part, label, i, entry.value(part).toString());
                }
            }
            continue;
        }
        const QString type = ZRPerson::typeForIdentifier(item);
        if (item == Ident::InstantMessage) {
            const QVariantList &values = person.imsValues();
            for (qsizetype i = 0; i < values.size(); ++i) {
                const QVariantMap entry = values.at(i).toMap();
                const QString service = entry.value(CN::InstantMessageAddressServiceKey).toString();
                const QString label = entry.value(Key::Label).toString();
                if (allows(labels, label) && allows(subItems, service))
                    add(item, service, label, i, entry.value(Key::Value).toString());
            }
        } else if (type == Ident::LabeledValueType) {
            if (!allSub)
                continue;
            const QVariantList *values = person.labeledValues(item);
            for (qsizetype i = 0; values && i < values->size(); ++i) {
                const QVariantMap entry = values->at(i).toMap();
                const QString label = entry.value(Key::Label).toString();
                if (allows(labels, label))
                    add(item, QString(), label, i, entry.value(Key::StringValue).toString());
            }
        } else if (type == Ident::DictionaryValueType) {
            if (allSub && allLabels)
                add(item, QString(), QString(), -1,
                    person.valueForIdentifier(item).toMap().value(Key::StringValue).toString());
        } else if (type == Ident::StringValueType) {
            if (allSub && allLabels)
                add(item, QString(), QString(), -1,
                    ZRPerson::stringIdentifiers().contains(item)
                        ? person.stringValues().value(item).toString()
                        : person.valueForIdentifier(item).toString());
        }
    }
    return rows;
}

void FindPanel::updateTable()
{
    m_results.clear();
    m_error.clear();
    m_selectedRow = -1;
    m_selectedRangeIndex = -1;
    if (m_mode == Mode::Regex && !m_searchString.isEmpty()) {
        const QRegularExpression re(m_searchString);
        if (!re.isValid())
            m_error = FindPanelText::InvalidPattern.arg(re.errorString()).arg(re.patternErrorOffset());
    }
    if (m_error.isEmpty()) {
        for (const ContactEntryPtr &contact : m_contacts) {
            if (contact && !contact->deleted)
                m_results += searchStringInContact(
                    m_searchString, contact, m_selectedItems, m_selectedSubItems, m_selectedLabels, m_mode);
        }
    }
    emit tableReloaded();
    if (!m_results.isEmpty()) {
        selectRow(0);
        m_selectedRangeIndex = 0;
    }
}

// ---- Selection and stepping

bool FindPanel::isReplaceable(const FindResultRow &row)
{
    return row.item != Ident::Birthday && row.item != Ident::Dates;
}

bool FindPanel::selectRow(int row)
{
    if (row < 0 || row >= m_results.size())
        return false;
    const int old = m_selectedRow;
    m_selectedRow = row;
    if (old >= 0 && old != row)
        emit rowChanged(old);
    emit rowChanged(row);
    return isReplaceable(*m_results.at(row));
}

void FindPanel::directionButtonDidClick(int segment)
{
    if (m_selectedRow < 0 || m_selectedRow >= m_results.size()) {
        updateTable();
        return;
    }
    const int n = int(m_results.size());
    int row = m_selectedRow;
    int index = m_selectedRangeIndex;
    if (segment == 1) {
        ++index;
        // Rows left without ranges by a replace are passed over; one full turn at most.
        for (int guard = 0; index >= m_results.at(row)->ranges.size() && guard <= n; ++guard) {
            index = 0;
            row = (row + 1) % n;
        }
    } else {
        --index;
        for (int guard = 0; index < 0 && guard <= n; ++guard) {
            row = (row - 1 + n) % n;
            index = int(m_results.at(row)->ranges.size()) - 1;
        }
    }
    if (index < 0 || index >= m_results.at(row)->ranges.size())
        return;
    m_selectedRangeIndex = index;
    selectRow(row);
}

void FindPanel::sortResults(const QString &key, bool ascending)
{
    if (m_results.isEmpty())
        return;
    const FindResultRowPtr selected
        = m_selectedRow >= 0 && m_selectedRow < m_results.size() ? m_results.at(m_selectedRow) : nullptr;
    auto field = [&key](const FindResultRow &r) -> QString {
        if (key == Ident::Name)
            return r.name;
        if (key == u"Item"_s)
            return r.item;
        if (key == u"SubItem"_s)
            return r.subItem;
        if (key == u"Label"_s)
            return r.label;
        return r.value;
    };
    std::stable_sort(
        m_results.begin(), m_results.end(), [&](const FindResultRowPtr &a, const FindResultRowPtr &b) {
            if (key == u"Index"_s)
                return ascending ? a->index < b->index : b->index < a->index;
            const int c = QString::localeAwareCompare(field(*a), field(*b));
            return ascending ? c < 0 : c > 0;
        });
    emit tableReloaded();
    if (selected)
        selectRow(int(m_results.indexOf(selected)));
}

// ---- Replacing

bool FindPanel::applyToContact(const FindResultRow &row, const QString &value)
{
    if (!m_parent || !row.contact || !row.contact->person)
        return false;
    ZRPerson &person = *row.contact->person;
    const QString type = ZRPerson::typeForIdentifier(row.item);
    if (row.item == Ident::Name || row.item == Ident::PhoneticName)
        return m_parent->undoReplaceValue(value, row.subItem, row.contact);
    if (type == Ident::StringValueType)
        return m_parent->undoReplaceValue(value, row.item, row.contact);
    if (type == Ident::LabeledValueType && isReplaceable(row)) {
        const QVariant labeled = person.labeledValueForIdentifierAtIndex(row.item, row.index);
        if (labeled.typeId() != QMetaType::QVariantMap)
            return false;
        QVariantMap entry = labeled.toMap();
        if (row.item == Ident::Address) {
            entry.insert(row.subItem, value);
        } else {
            entry.insert(Key::Value, value);
            if (row.item == Ident::InstantMessage)
                entry.insert(CN::InstantMessageAddressUsernameKey, value);
            else if (row.item == Ident::SocialNetwork)
                entry.insert(CN::SocialProfileUsernameKey, value);
        }
        if (!entry.contains(Key::LabelIndex))
            entry.insert(Key::LabelIndex, row.index);
        return m_parent->undoReplaceValue(entry, row.item, row.contact);
    }
    return false;
}

void FindPanel::restoreRow(const FindResultRowPtr &row, const QString &value, const QList<FindRange> &ranges)
{
    if (m_parent) {
        const QString oldValue = row->value;
        const QList<FindRange> oldRanges = row->ranges;
        m_parent->undoManager().registerUndo(
            [this, row, oldValue, oldRanges] { restoreRow(row, oldValue, oldRanges); });
    }
    row->value = value;
    row->ranges = ranges;
    const int at = int(m_results.indexOf(row));
    if (at >= 0)
        emit rowChanged(at);
}

bool FindPanel::undoReplaceValue(
    const QString &value, const QList<FindRange> &ranges, const FindResultRowPtr &row)
{
    if (!row)
        return false;
    // The row's own inverse puts back what the panel shows; the contact's inverse is the controller's.
    restoreRow(row, value, ranges);
    return applyToContact(*row, value);
}

bool FindPanel::replace(const QString &replacement)
{
    if (m_selectedRow < 0 || m_selectedRow >= m_results.size())
        return false;
    const FindResultRowPtr row = m_results.at(m_selectedRow);
    if (!isReplaceable(*row) || m_selectedRangeIndex < 0 || m_selectedRangeIndex >= row->ranges.size())
        return false;
    const FindRange range = row->ranges.at(m_selectedRangeIndex);
    if (range.location > row->value.size() || range.length > row->value.size() - range.location)
        return false;
    QString value = row->value;
    value.replace(range.location, range.length, replacement);
    const QList<FindRange> ranges = searchText(m_searchString, value, m_mode);
    const bool changed = undoReplaceValue(value, ranges, row);
    // On to the first occurrence after the replaced text, else the first range of the next row.
    int next = -1;
    for (int i = 0; i < ranges.size() && next < 0; ++i) {
        if (ranges.at(i).location >= range.location + replacement.size())
            next = i;
    }
    if (next >= 0) {
        m_selectedRangeIndex = next;
        selectRow(m_selectedRow);
    } else if (m_selectedRow + 1 < m_results.size()) {
        m_selectedRangeIndex = 0;
        selectRow(m_selectedRow + 1);
    }
    return changed;
}

int FindPanel::replaceAll(const QString &replacement)
{
    if (m_results.isEmpty())
        return 0;
    const FindResultRowPtr remembered
        = m_selectedRow >= 0 && m_selectedRow < m_results.size() ? m_results.at(m_selectedRow) : nullptr;
    int changed = 0;
    {
        std::optional<UndoManager::Group> group;
        if (m_parent)
            group.emplace(m_parent->undoManager());
        for (const FindResultRowPtr &row : std::as_const(m_results)) {
            if (!isReplaceable(*row) || row->ranges.isEmpty())
                continue;
            // The ranges the search found, from the last so that earlier ones stay in place.
            QString value = row->value;
            for (qsizetype i = row->ranges.size() - 1; i >= 0; --i) {
                const FindRange &r = row->ranges.at(i);
                if (r.location <= value.size() && r.length <= value.size() - r.location)
                    value.replace(r.location, r.length, replacement);
            }
            if (value == row->value)
                continue;
            if (undoReplaceValue(value, searchText(m_searchString, value, m_mode), row))
                ++changed;
        }
    }
    emit tableReloaded();
    if (remembered)
        selectRow(int(m_results.indexOf(remembered)));
    m_selectedRow = -1;
    m_selectedRangeIndex = -1;
    return changed;
}
