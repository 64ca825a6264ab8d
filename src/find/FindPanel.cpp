#include "find/FindPanel.h"

#include "document/ContactsViewController.h"
#include "document/SortValue.h"
#include "document/ViewController.h"
#include "document/editors/EditorApply.h"
#include "document/editors/EditorContext.h"
#include "find/FindPanelSearch.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QStringList &instantMessageServices()
{
    static const QStringList ids { CN::InstantMessageServiceAIM, CN::InstantMessageServiceFacebook,
        CN::InstantMessageServiceGaduGadu, CN::InstantMessageServiceGoogleTalk, CN::InstantMessageServiceICQ,
        CN::InstantMessageServiceJabber, CN::InstantMessageServiceMSN, CN::InstantMessageServiceQQ,
        CN::InstantMessageServiceSkype, CN::InstantMessageServiceYahoo };
    return ids;
}

// A slice of a search keeps the event loop waiting its budget and one more batch of contacts at most,
// so that the window paints the rows found so far and takes the next keystroke between slices. The
// clock is read once per batch.
constexpr qsizetype ContactsPerClockRead = 64;

bool isAll(const QStringList &filter)
{
    return !filter.isEmpty() && filter.first() == LabelText::All;
}

// The parts and services whose identifiers are no names to show: the name parts as the name editor
// calls them, the services as they call themselves.
const QHash<QString, const char *> &partNames()
{
    static const QHash<QString, const char *> names {
        { Ident::FirstName, QT_TRANSLATE_NOOP("FindPanelText", "First Name") },
        { Ident::MiddleName, QT_TRANSLATE_NOOP("FindPanelText", "Middle Name") },
        { Ident::LastName, QT_TRANSLATE_NOOP("FindPanelText", "Last Name") },
        { Ident::PreviousFamilyName, QT_TRANSLATE_NOOP("FindPanelText", "Previous Family Name") },
        { Ident::PhoneticFirstName, QT_TRANSLATE_NOOP("FindPanelText", "Phonetic First Name") },
        { Ident::PhoneticMiddleName, QT_TRANSLATE_NOOP("FindPanelText", "Phonetic Middle Name") },
        { Ident::PhoneticLastName, QT_TRANSLATE_NOOP("FindPanelText", "Phonetic Last Name") },
        { FindPanelText::CountryCode, QT_TRANSLATE_NOOP("FindPanelText", "Country Code") },
        { CN::InstantMessageServiceGaduGadu, QT_TRANSLATE_NOOP("FindPanelText", "Gadu-Gadu") },
        { CN::InstantMessageServiceGoogleTalk, QT_TRANSLATE_NOOP("FindPanelText", "Google Talk") },
    };
    return names;
}

QString labelDisplay(const QString &label)
{
    return Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label));
}

QString title(
    const QString &heading, const QStringList &filter, const std::function<QString(const QString &)> &name)
{
    if (isAll(filter))
        return FindPanelText::TitleAll.arg(heading, labelDisplay(LabelText::All));
    QString text = FindPanelText::TitleHeading.arg(heading);
    for (const QString &entry : filter)
        text += FindPanelText::TitleEntry.arg(name(entry));
    // The last entry's " + " goes whole, and with no entry the heading's " - " does: a title ending
    // in a space would leave a gap before the pop-up's arrow.
    text.chop(2);
    if (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace

FindPanel::FindPanel(ViewController *parentViewController, QObject *parent)
    : QObject(parent)
    , m_parent(parentViewController)
    , m_selectedItems { LabelText::All }
    , m_selectedSubItems { LabelText::All }
    , m_selectedLabels { LabelText::All }
{
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, [this] { searchSlice(m_sliceBudget.count()); });
}

FindPanel::~FindPanel() = default;

void FindPanel::setUpFromWindow(const ContactsViewController &table, const QString &findText, bool editState)
{
    m_contacts = table.contactTable();
    m_searchString = findText;
    m_editState = editState;
    QStringList items;
    for (const QString &column : table.columns()) {
        if (column != Key::Sender)
            items << column;
    }
    m_selectedItems = items.isEmpty() ? QStringList { LabelText::All } : items;
    m_selectedSubItems = { LabelText::All };
    m_selectedLabels = { LabelText::All };
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

QString FindPanel::displayName(const QString &identifier)
{
    const auto part = partNames().constFind(identifier);
    if (part != partNames().cend())
        return QCoreApplication::translate("FindPanelText", part.value());
    return ZRPerson::localizedIdentifierForKey(identifier);
}

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
        for (const QString &label : Labels::labelsForIdentifier(item)) {
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
    return title(FindPanelText::Items, m_selectedItems, displayName);
}

QString FindPanel::subItemTitle() const
{
    return title(FindPanelText::SubItems, m_selectedSubItems, displayName);
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
    if (search.isEmpty() || text.isEmpty())
        return {};
    const FindPanelSearch compiled(search, mode);
    if (error && !compiled.errorString().isEmpty())
        *error = compiled.errorString();
    return compiled.ranges(text);
}

QList<FindResultRowPtr> FindPanel::searchStringInContact(const QString &search,
    const ContactEntryPtr &contact, const QStringList &items, const QStringList &subItems,
    const QStringList &labels, Mode mode) const
{
    QList<FindResultRowPtr> rows;
    FindPanelSearch(search, mode, items, subItems, labels).searchContact(contact, rows);
    return rows;
}

void FindPanel::updateTable()
{
    m_results.clear();
    m_selectedRow = -1;
    m_selectedRangeIndex = -1;
    m_running = std::make_unique<FindPanelSearch>(
        m_searchString, m_mode, m_selectedItems, m_selectedSubItems, m_selectedLabels);
    m_nextContact = 0;
    m_error = m_running->errorString();
    startPrefilter();
    emit tableReloaded();
    if (m_inSlices && m_error.isEmpty())
        m_sliceTimer.start();
    else
        completeSearch();
}

void FindPanel::completeSearch()
{
    if (m_running)
        searchSlice(std::numeric_limits<qint64>::max());
}

void FindPanel::cancelSearch()
{
    m_sliceTimer.stop();
    m_running.reset();
}

quint64 FindPanel::changeCount() const
{
    return m_parent ? m_parent->undoManager().changeCount() : 0;
}

bool FindPanel::prepareIndex(std::chrono::nanoseconds budget)
{
    if (!m_parent || m_running)
        return true;
    if (!m_index.isFor(m_contacts, m_selectedItems, changeCount()))
        m_index.start(m_contacts, m_selectedItems, changeCount());
    QElapsedTimer clock;
    clock.start();
    while (m_index.readCount() < m_contacts.size()) {
        m_index.readUpTo(m_index.readCount() + ContactsPerClockRead, FindPanelIndex::SideReading::GoOn);
        if (clock.nsecsElapsed() >= budget.count())
            break;
    }
    m_index.pauseSideReading();
    return m_index.readCount() >= m_contacts.size();
}

void FindPanel::startPrefilter()
{
    // A pattern can match anything, and without the window's controller no change would be seen.
    // The text and case are kept as the search started: the setters may change them while it runs.
    m_prefilterText = m_searchString;
    m_prefilterCase = m_mode == Mode::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    m_prefiltered = m_parent && m_mode != Mode::Regex && m_error.isEmpty()
        && FindPanelIndex::canFilter(m_prefilterText, m_prefilterCase);
    if (m_prefiltered && !m_index.isFor(m_contacts, m_selectedItems, changeCount()))
        m_index.start(m_contacts, m_selectedItems, changeCount());
}

void FindPanel::searchSlice(qint64 budgetNs)
{
    if (!m_running) {
        m_sliceTimer.stop();
        return;
    }
    // An edit while the rows arrive: the texts read before it may be stale, the rest is read in full.
    if (m_prefiltered && !m_index.isFor(m_contacts, m_selectedItems, changeCount())) {
        m_prefiltered = false;
        m_index.clear();
    }
    QElapsedTimer clock;
    clock.start();
    QList<FindResultRowPtr> batch;
    if (m_error.isEmpty()) {
        while (m_nextContact < m_contacts.size()) {
            if (m_prefiltered) {
                // The contacts up to the end of this batch that cannot hold the search are passed over
                // in one look; the batch ends where it would without them, so slices keep their size.
                const qsizetype batchEnd = std::min(
                    m_contacts.size(), (m_nextContact / ContactsPerClockRead + 1) * ContactsPerClockRead);
                m_index.readUpTo(batchEnd, FindPanelIndex::SideReading::GoOn);
                m_nextContact = m_index.nextHolder(m_nextContact, batchEnd, m_prefilterText, m_prefilterCase);
                if (m_nextContact == batchEnd) {
                    if (m_nextContact % ContactsPerClockRead == 0 && clock.nsecsElapsed() >= budgetNs)
                        break;
                    continue;
                }
            }
            const ContactEntryPtr &contact = m_contacts.at(m_nextContact++);
            if (contact && !contact->deleted)
                m_running->searchContact(contact, batch);
            if (m_nextContact % ContactsPerClockRead == 0 && clock.nsecsElapsed() >= budgetNs)
                break;
        }
    } else {
        m_nextContact = m_contacts.size();
    }
    // Before anything the rows or the progress may set off can change a record.
    m_index.pauseSideReading();
    if (!batch.isEmpty()) {
        const int first = int(m_results.size());
        const int last = first + int(batch.size()) - 1;
        emit rowsAboutToBeAppended(first, last);
        m_results.append(std::move(batch));
        // The first match is current as soon as it is found; the new rows are drawn anyway.
        if (first == 0) {
            m_selectedRow = 0;
            m_selectedRangeIndex = 0;
        }
        emit rowsAppended(first, last);
    }
    if (m_nextContact < m_contacts.size()) {
        emit searchProgressed(m_nextContact, m_contacts.size());
        return;
    }
    m_sliceTimer.stop();
    m_running.reset();
    if (!m_sortKey.isEmpty() && m_results.size() > 1) {
        // The user's order, kept from the last search; unless the user moved on meanwhile, the
        // first row of that order becomes current.
        const bool atFirst = m_selectedRow == 0 && m_selectedRangeIndex == 0;
        sortResults(m_sortKey, m_sortAscending);
        if (atFirst) {
            m_selectedRangeIndex = 0;
            selectRow(0);
        }
    }
    emit searchFinished();
}

// ---- Selection and stepping

bool FindPanel::isReplaceable(const FindResultRow &row)
{
    return !isDateRow(row);
}

bool FindPanel::isDateRow(const FindResultRow &row)
{
    return row.item == Ident::Birthday || row.item == Ident::Dates;
}

EditorContext FindPanel::dateEditorContext(int row) const
{
    EditorContext context;
    if (row < 0 || row >= m_results.size() || !isDateRow(*m_results.at(row)))
        return context;
    const FindResultRow &result = *m_results.at(row);
    context.contact = result.contact;
    context.type = result.item;
    context.editEnabled = m_editState;
    if (result.item == Ident::Dates && result.contact && result.contact->person) {
        // The row knows the date's position; the editor and the edits go by its own number, and the
        // row's label is the only one offered.
        context.labelIndex = EditorRoster::labelIndexAtPosition(result.contact, Ident::Dates, result.index);
        context.value = result.contact->person->labeledValueForIdentifierAtIndex(Ident::Dates, result.index);
        context.labels = { result.label };
    } else {
        context.labelIndex = 0;
        if (result.contact && result.contact->person)
            context.value = result.contact->person->valueForIdentifier(Ident::Birthday);
    }
    return context;
}

bool FindPanel::applyEditedDate(int row, const EditorContext &result)
{
    if (!m_parent || !result.dirty || row < 0 || row >= m_results.size())
        return false;
    const FindResultRowPtr target = m_results.at(row);
    if (!isDateRow(*target) || result.contact != target->contact)
        return false;
    bool changed = false;
    {
        UndoManager::Group step(m_parent->undoManager());
        changed = EditorApply::applyToRow(*m_parent, result, target->contact);
        if (changed) {
            // The row shows the date as the record now writes it; the editor found no ranges in it.
            const ZRPerson &person = *target->contact->person;
            const QString value = target->item == Ident::Birthday
                ? person.stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0)
                : person.stringValueForIdentifierAtLabelIndex(Ident::Dates, result.labelIndex);
            restoreRow(target, value, {});
        }
    }
    return changed;
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
    m_sortKey = key;
    m_sortAscending = ascending;
    if (m_results.isEmpty() || key.isEmpty())
        return;
    const FindResultRowPtr selected
        = m_selectedRow >= 0 && m_selectedRow < m_results.size() ? m_results.at(m_selectedRow) : nullptr;
    if (key == u"Index"_s) {
        std::stable_sort(m_results.begin(), m_results.end(),
            [ascending](const FindResultRowPtr &a, const FindResultRowPtr &b) {
                return ascending ? a->index < b->index : b->index < a->index;
            });
    } else {
        // Rows are ordered by what their columns show, as the contact table orders its rows.
        const auto shown = [&key](const FindResultRow &r) -> QString {
            if (key == Ident::Name)
                return r.name;
            if (key == u"Item"_s)
                return displayName(r.item);
            if (key == u"SubItem"_s)
                return r.subItem.isEmpty() ? QString() : displayName(r.subItem);
            if (key == u"Label"_s)
                return r.label.isEmpty() ? QString() : labelDisplay(r.label);
            return r.value;
        };
        std::vector<SortValue> values;
        values.reserve(m_results.size());
        for (const FindResultRowPtr &row : std::as_const(m_results))
            values.push_back(SortValue::fromText(shown(*row)));
        SortValues::applyOrder(m_results, SortValues::stableOrder(values, SortValues::Rule::Text, ascending));
    }
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
    completeSearch();
    if (m_results.isEmpty())
        return 0;
    const FindResultRowPtr remembered
        = m_selectedRow >= 0 && m_selectedRow < m_results.size() ? m_results.at(m_selectedRow) : nullptr;
    int changed = 0;
    const FindPanelSearch search(m_searchString, m_mode);
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
            if (undoReplaceValue(value, search.ranges(value), row))
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
