#include "document/ContactsViewController.h"

#include "document/ContactSort.h"
#include "document/DefaultsKeys.h"
#include "document/PreparedRows.h"
#include "document/SubRowBuilder.h"
#include "document/SubRowSort.h"
#include "document/TableColumns.h"
#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/TranslatableText.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using namespace TableColumns;

constexpr auto SummaryFormat = TranslatableText("ContactsViewController", "%1: total %2 contacts");
// The record keeps "No Name" in English for a contact without a name; the table shows it translated.
constexpr auto NoNameText = TranslatableText("ContactsViewController", "No Name");
// Room a cell keeps beside its text (label pop-up, margins) when long texts are wrapped.
constexpr double CellPadding = 72;
// Past this many changed records, a rebuild costs less than checking each one's rows.
constexpr size_t MaxRecordsUpdatedInPlace = 2000;

} // namespace

ContactsViewController::ContactsViewController(ViewController &delegate, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
    , m_metrics(TextMetrics::estimate())
{
    m_rowHeight = m_metrics.tableRowHeight();
    connect(&delegate, &ViewController::contactsChanged, this, &ContactsViewController::applyNotice);
}

void ContactsViewController::setEditState(bool editable)
{
    m_delegate.setEditState(editable);
}

bool ContactsViewController::editState() const
{
    return m_delegate.editState();
}

void ContactsViewController::setContactTable(const ContactTable &table)
{
    m_contactTable = table;
}

void ContactsViewController::setColumns(const QStringList &identifiers)
{
    m_columns = identifiers;
}

void ContactsViewController::setSelectedLabels(const QStringList &labels)
{
    m_selectedLabels = labels.isEmpty() ? QStringList { LabelText::All } : labels;
}

void ContactsViewController::setSortDescriptor(const std::optional<SortDescriptor> &descriptor)
{
    m_sort = descriptor;
}

void ContactsViewController::setTextMetrics(const TextMetrics &metrics)
{
    m_metrics = metrics;
    m_rowHeight = metrics.tableRowHeight();
    m_subRows.forgetLineCounts();
    emitAllRowsChanged();
}

void ContactsViewController::setColumnWidth(const QString &identifier, double width)
{
    if (m_columnWidths.value(identifier, -1) == width)
        return;
    m_columnWidths[identifier] = width;
    // Only wrapped texts depend on the width, and texts wrap only while a find text is set.
    if (!m_findString.isEmpty()) {
        m_subRows.forgetLineCounts();
        emitAllRowsChanged();
    }
}

void ContactsViewController::setFindString(const QString &text, bool caseSensitive)
{
    if (text == m_findString && caseSensitive == m_findCaseSensitive)
        return;
    m_findString = text;
    m_findCaseSensitive = caseSensitive;
    m_subRows.forgetLineCounts();
    emitAllRowsChanged();
}

void ContactsViewController::emitAllRowsChanged()
{
    if (numberOfRows() > 0)
        emit rowsChanged(0, numberOfRows() - 1);
}

bool ContactsViewController::isShownLabel(const QString &label) const
{
    return m_selectedLabels.contains(LabelText::All) || m_selectedLabels.contains(label);
}

bool ContactsViewController::shows(const QVariantMap &value) const
{
    return !value.isEmpty() && isShownLabel(value.value(Key::Label).toString());
}

ContactTable ContactsViewController::createSubContactsFromContact(
    const ContactEntryPtr &contact, const QStringList &identifiers, const QStringList &labels)
{
    ContactTable rows;
    SubRowBuilder(identifiers, labels).append(contact, rows);
    return rows;
}

namespace {

struct BuiltRows
{
    ContactTable rows;
    ContactEntryPtr sender;
};

// The sub-rows of the entries in display order, and the first row marked as the sender's. Nothing when
// cancelled midway.
std::optional<BuiltRows> buildRows(const ContactTable &entries, const QStringList &columns,
    const QStringList &labels, const std::optional<SortDescriptor> &sort, const std::atomic_bool *cancel)
{
    BuiltRows built;
    ContactTable &rows = built.rows;
    rows.reserve(entries.size());
    const SubRowBuilder builder(columns, labels);
    QSet<const ContactEntry *> senders;
    qsizetype done = 0;
    for (const ContactEntryPtr &entry : entries) {
        if (cancel && ++done % 4096 == 0 && cancel->load())
            return std::nullopt;
        if (entry->deleted || !entry->person)
            continue;
        builder.append(entry, rows, &senders);
    }
    if (sort)
        SubRowSort::sortBy(
            rows, [](const ContactEntryPtr &row) -> const ContactEntry & { return *row; }, *sort);
    // The first sender row in display order is the one the postcard view shows.
    if (!senders.isEmpty()) {
        for (const ContactEntryPtr &row : std::as_const(rows)) {
            if (senders.contains(row.get())) {
                built.sender = row;
                break;
            }
        }
    }
    return built;
}

} // namespace

std::shared_ptr<const PreparedRows> PreparedRows::make(const ContactTable &entries,
    const QStringList &columns, const QStringList &labels, const std::optional<SortDescriptor> &sort,
    const std::atomic_bool *cancel)
{
    auto prepared = std::make_shared<PreparedRows>();
    prepared->source = entries;
    prepared->contacts = entries;
    prepared->columns = columns;
    prepared->labels = labels.isEmpty() ? QStringList { LabelText::All } : labels;
    prepared->sort = sort;
    if (sort)
        ContactSort::sortContactTable(prepared->contacts, *sort);
    if (cancel && cancel->load())
        return nullptr;
    std::optional<BuiltRows> built = buildRows(prepared->contacts, columns, prepared->labels, sort, cancel);
    if (!built)
        return nullptr;
    prepared->rows = std::move(built->rows);
    prepared->sender = std::move(built->sender);
    return prepared;
}

void ContactsViewController::offerPreparedRows(std::shared_ptr<const PreparedRows> prepared)
{
    m_prepared = std::move(prepared);
}

void ContactsViewController::updateSubContactTable()
{
    // The old rows go first: the new ones then take their memory instead of doubling it.
    (void)m_subRows.take();
    // Rows made while the file was read are taken once, if they are what a build would make now.
    std::optional<BuiltRows> built;
    if (const std::shared_ptr<const PreparedRows> prepared = std::exchange(m_prepared, nullptr);
        prepared && prepared->fits(m_contactTable, m_columns, m_selectedLabels, m_sort))
        built = BuiltRows { prepared->rows, prepared->sender };
    else
        built = buildRows(m_contactTable, m_columns, m_selectedLabels, m_sort, nullptr);
    const ContactEntryPtr sender = built->sender;
    m_subRows.assign(std::move(built->rows));
    // A selection past the new rows would name rows that are gone.
    m_selectedRows.removeIf([this](int row) { return !m_subRows.contains(row); });
    if (sender) {
        m_delegate.changeSenderInHagakiView(sender);
        emit senderRowFound(sender);
    }
}

void ContactsViewController::updateTable()
{
    if (m_labelsSource)
        setSelectedLabels(m_labelsSource());
    QString rememberedId;
    qsizetype rememberedIndex = 0;
    QString rememberedAddress;
    const bool hadSelection = !m_selectedRows.isEmpty() && m_subRows.contains(m_selectedRows.first());
    auto addressText = [](const ContactEntry &row) {
        return row.person->labeledValueForIdentifierAtIndex(Ident::Address, row.labelIndex)
            .toMap()
            .value(Key::StringValue)
            .toString();
    };
    if (hadSelection) {
        const ContactEntry &row = *m_subRows.row(m_selectedRows.first());
        rememberedId = row.uniqueId;
        rememberedIndex = row.labelIndex;
        if (m_sort)
            rememberedAddress = addressText(row);
    }
    const QList<int> oldSelection = m_selectedRows;
    emit tableAboutToReload();
    updateSubContactTable();

    QList<int> selection;
    if (hadSelection) {
        const ContactTable &rows = m_subRows.rows();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const ContactEntry &row = *rows.at(i);
            if (row.uniqueId != rememberedId)
                continue;
            if (m_sort ? addressText(row) == rememberedAddress : row.labelIndex == rememberedIndex) {
                selection = { int(i) };
                break;
            }
        }
        if (selection.isEmpty()) {
            for (int old : oldSelection) {
                if (m_subRows.contains(old))
                    selection.append(old);
            }
        }
    } else if (!m_subRows.isEmpty()) {
        selection = { 0 };
    }
    m_selectedRows = selection;
    emit tableReloaded();
    emit selectionRestored(selection);
}

void ContactsViewController::takeRowsOfShownGroup(bool sortRecords)
{
    const ContactGroupPtr group = m_delegate.selectedGroupDict();
    if (!group || !group->contactTable) {
        m_contactTable.clear();
        return;
    }
    // Added and restored contacts take their place among the others.
    if (sortRecords && m_sort)
        ContactSort::sortContactTable(*group->contactTable, *m_sort);
    m_contactTable = *group->contactTable;
}

void ContactsViewController::applyNotice(const ChangeNotice &notice)
{
    using S = ChangeNotice::Structure;
    if (notice.structure & (ChangeNotice::StructureChanges(S::GroupChanged) | S::RowsAdded | S::RowsRemoved))
        takeRowsOfShownGroup(notice.structure & S::RowsAdded);
    if (notice.changesRows()) {
        updateTable();
        applySelectionHints(notice);
        return;
    }
    if (!notice.records.empty() && !updateRowsInPlace(notice)) {
        updateTable();
        return;
    }
    // A renamed group shows in the summary row.
    if (notice.structure & S::GroupList && numberOfRows() > 0)
        emit rowsChanged(numberOfRows() - 1, numberOfRows() - 1);
}

void ContactsViewController::applySelectionHints(const ChangeNotice &notice)
{
    if (!notice.rowsToSelect.isEmpty()) {
        selectRowIndexesWithContacts(notice.rowsToSelect);
    } else if (notice.rowToSelect && !m_subRows.isEmpty()) {
        const int row = std::min(*notice.rowToSelect, int(m_subRows.size()) - 1);
        setSelection({ row });
        emit scrollToRowRequested(row);
    }
}

bool ContactsViewController::updateRowsInPlace(const ChangeNotice &notice)
{
    if (notice.records.size() > MaxRecordsUpdatedInPlace)
        return false;
    // Whether the changed fields decide how a contact spreads over rows.
    bool layoutMayChange = false;
    for (const QString &column : std::as_const(m_columns)) {
        const QString field = fieldOf(column);
        if (isLabelled(field) && notice.touches(field))
            layoutMayChange = true;
    }
    QList<int> changed;
    for (const std::shared_ptr<ZRPerson> &person : notice.records) {
        const QList<int> rows = m_subRows.rowsOfRecord(person.get());
        if (rows.isEmpty())
            continue; // not shown here
        if (layoutMayChange && !rowsKeepTheirLayout(m_subRows.row(rows.first()), rows))
            return false;
        changed += rows;
    }
    if (changed.isEmpty())
        return true;
    if (m_sort) {
        for (int row : std::as_const(changed)) {
            if (!rowKeepsItsPlace(row))
                return false;
        }
    }
    for (int row : std::as_const(changed))
        m_subRows.forgetLineCount(row);
    if (notice.touches(Ident::Address))
        findSenderAmong(changed);
    const auto [first, last] = std::minmax_element(changed.cbegin(), changed.cend());
    emit rowsChanged(*first, *last);
    return true;
}

bool ContactsViewController::rowsKeepTheirLayout(const ContactEntryPtr &first, const QList<int> &rows) const
{
    // The rows a rebuild would make for the contact, compared with the ones it has.
    const ContactTable fresh = createSubContactsFromContact(first, m_columns, m_selectedLabels);
    if (fresh.size() != rows.size())
        return false;
    QList<qsizetype> now;
    QList<qsizetype> then;
    for (int row : rows)
        now << m_subRows.row(row)->labelIndex;
    for (const ContactEntryPtr &row : fresh)
        then << row->labelIndex;
    std::sort(now.begin(), now.end());
    std::sort(then.begin(), then.end());
    return now == then;
}

bool ContactsViewController::rowKeepsItsPlace(int row) const
{
    const ContactTable &rows = m_subRows.rows();
    if (row > 0 && SubRowSort::compare(*rows.at(row - 1), *rows.at(row), *m_sort) > 0)
        return false;
    return row + 1 >= rows.size() || SubRowSort::compare(*rows.at(row), *rows.at(row + 1), *m_sort) <= 0;
}

void ContactsViewController::findSenderAmong(const QList<int> &rows)
{
    const ContactEntryPtr current = m_delegate.senderInHagakiView();
    const qsizetype currentRow = m_subRows.indexOf(current);
    int best = -1;
    for (int row : rows) {
        if (!valueAtIndex(Ident::Address, row).value(Key::Sender).toBool())
            continue;
        if (best < 0 || row < best)
            best = row;
    }
    if (best >= 0 && (currentRow < 0 || best < currentRow)) {
        m_delegate.changeSenderInHagakiView(m_subRows.row(best));
        emit senderRowFound(m_subRows.row(best));
    }
}

ContactsViewController::Rows ContactsViewController::takeRows()
{
    emit tableAboutToReload();
    Rows rows { std::move(m_contactTable), m_subRows.take() };
    m_contactTable.clear();
    m_prepared.reset();
    m_selectedRows.clear();
    m_hit.reset();
    emit tableReloaded();
    return rows;
}

int ContactsViewController::numberOfRows() const
{
    return m_subRows.isEmpty() ? 0 : int(m_subRows.size()) + 1;
}

QString ContactsViewController::summaryText() const
{
    const ContactGroupPtr group = m_delegate.selectedGroupDict();
    return SummaryFormat.arg(ContainerText::displayName(group ? group->name : QString()))
        .arg(m_contactTable.size());
}

QVariantMap ContactsViewController::valueAtIndex(const QString &identifier, int row) const
{
    if (!m_subRows.contains(row))
        return {};
    const ContactEntry &sub = *m_subRows.row(row);
    return sub.person->labeledValueForIdentifierAtIndex(fieldOf(identifier), sub.labelIndex).toMap();
}

ContactCell ContactsViewController::cell(const QString &identifier, int row) const
{
    ContactCell cell;
    if (!m_subRows.contains(row))
        return cell;
    const ContactEntry &sub = *m_subRows.row(row);
    ZRPerson &person = *sub.person;
    const bool first = m_subRows.isFirstOfContact(row);
    const bool editable = editState();

    if (identifier == ColumnId::Sender) {
        cell.kind = ContactCell::Kind::Checkbox;
        cell.checked = valueAtIndex(Ident::Address, row).value(Key::Sender).toBool();
        cell.editable = editable;
        return cell;
    }
    if (identifier == Ident::Name) {
        cell.kind = ContactCell::Kind::ImageAndText;
        if (first) {
            const QString name = person.compositeName();
            cell.text = name.isEmpty() || name == LabelText::NoName ? NoNameText.text() : name;
            cell.bold = true;
            cell.showsThumbnail = true;
        }
        return cell;
    }
    if (identifier == Ident::Company || identifier == Ident::Renmei) {
        cell.kind = ContactCell::Kind::CheckboxAndText;
        cell.text = person.valueForIdentifier(identifier).toString();
        cell.editable = editable && identifier == Ident::Company;
        cell.hasCheckbox = !cell.text.isEmpty();
        cell.checked = valueAtIndex(Ident::Address, row).value(identifier).toBool();
        return cell;
    }
    if (isLabelled(identifier) || isAddressPart(identifier)) {
        const QVariantMap value = valueAtIndex(identifier, row);
        if (!shows(value))
            return cell;
        cell.kind = ContactCell::Kind::PopupAndText;
        cell.text = isAddressPart(identifier) ? value.value(identifier).toString()
                                              : value.value(Key::StringValue).toString();
        cell.label = value.value(Key::Label).toString();
        cell.labels = Labels::labelsForIdentifier(fieldOf(identifier));
        cell.localizedLabels = Labels::localizedLabelsForIdentifier(fieldOf(identifier));
        cell.labelIndex = value.value(Key::LabelIndex).toLongLong();
        cell.editable = editable && !opensEditor(identifier);
        return cell;
    }
    if (!first)
        return cell;
    if (identifier == Ident::PhoneticName || identifier == Ident::Birthday) {
        const QString text = person.stringValueForIdentifierAtLabelIndex(identifier, 0);
        if (identifier == Ident::Birthday && text.isEmpty())
            return cell;
        cell.kind = ContactCell::Kind::Text;
        cell.text = text;
        return cell;
    }
    cell.kind = ContactCell::Kind::Text;
    cell.text = person.valueForIdentifier(identifier).toString();
    cell.editable = editable;
    return cell;
}

QString ContactsViewController::cellText(const QString &identifier, int row) const
{
    if (!m_subRows.contains(row))
        return {};
    const ContactEntry &sub = *m_subRows.row(row);
    if (isAddressPart(identifier))
        return valueAtIndex(identifier, row).value(identifier).toString();
    if (isLabelled(identifier))
        return valueAtIndex(identifier, row).value(Key::StringValue).toString();
    if (identifier == Ident::Renmei)
        return sub.person->valueForIdentifier(identifier).toString();
    if (!m_subRows.isFirstOfContact(row))
        return {};
    if (identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Birthday)
        return sub.person->stringValueForIdentifierAtLabelIndex(identifier, 0);
    const QVariant value = sub.person->valueForIdentifier(identifier);
    return value.metaType().id() == QMetaType::QString ? value.toString() : QString();
}

QString ContactsViewController::editText(const QString &identifier, int row) const
{
    if (isLabelled(identifier)) {
        const QVariantMap value = valueAtIndex(identifier, row);
        const QVariant own = value.value(Key::Value);
        return own.typeId() == QMetaType::QString ? own.toString() : value.value(Key::StringValue).toString();
    }
    return cellText(identifier, row);
}

int ContactsViewController::numLines(int row) const
{
    if (!m_subRows.contains(row))
        return 1;
    if (const int cached = m_subRows.lineCount(row))
        return cached;
    int lines = 1;
    for (const QString &identifier : m_columns) {
        const QString text = cellText(identifier, row);
        if (text.isEmpty())
            continue;
        const QStringList textLines = text.split(u'\n');
        lines = std::max(lines, int(textLines.size()));
        const double width = m_columnWidths.value(identifier, 0);
        if (!m_findString.isEmpty() && width > CellPadding) {
            // A text is as wide as its widest line.
            double widest = 0;
            for (const QString &line : textLines)
                widest = std::max(widest, m_metrics.width(line));
            lines = std::max(lines, int(widest / (width - CellPadding)) + 1);
        }
    }
    m_subRows.setLineCount(row, lines);
    return lines;
}

double ContactsViewController::heightOfRow(int row) const
{
    if (isSummaryRow(row))
        return m_rowHeight;
    return m_rowHeight * numLines(row);
}

void ContactsViewController::sortDescriptorsDidChange(const SortDescriptor &descriptor)
{
    const bool changed = !m_sort || *m_sort != descriptor;
    m_sort = descriptor;
    if (changed) {
        if (const ContactGroupPtr group = m_delegate.selectedGroupDict(); group && group->contactTable) {
            ContactSort::sortContactTable(*group->contactTable, descriptor);
            m_contactTable = *group->contactTable;
        } else {
            ContactSort::sortContactTable(m_contactTable, descriptor);
        }
    }
    // Values of a multi-valued key are ordered inside each record too. A record with one value at most
    // has nothing to order, and is left unbuilt.
    if (isLabelled(descriptor.key)) {
        QStringList labels;
        for (const ContactEntryPtr &entry : std::as_const(m_contactTable)) {
            if (!entry->person)
                continue;
            entry->person->entryLabels(descriptor.key, labels);
            if (labels.size() > 1)
                entry->person->sortLabeledValueForSortDescriptor(descriptor.key, descriptor.ascending);
        }
    }
    // The rows are rebuilt, sorted and selected again on the notice, once.
    m_delegate.noteStructureChange(ChangeNotice::Structure::Resorted);
    if (!m_selectedRows.isEmpty())
        emit scrollToRowRequested(m_selectedRows.first());
}
