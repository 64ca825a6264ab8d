#include "document/DocumentHub.h"

#include "document/ContactSort.h"
#include "document/PreparedRows.h"
#include "document/UserDefaults.h"
#include "document/WorkerPool.h"
#include "model/Identifiers.h"

#include <QSet>
#include <QThreadPool>

namespace {

// What a closing document held of its contacts: freed together, on a worker thread.
struct Leftovers
{
    ViewController::Contents controller;
    ContactsViewController::Rows table;
    std::vector<UndoManager::Action> undo;
};

} // namespace

DocumentHub::DocumentHub(UserDefaults &defaults, QObject *parent)
    : DocumentHub(defaults, Options(), parent)
{
}

DocumentHub::DocumentHub(UserDefaults &defaults, Options options, QObject *parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_viewTypes(defaults)
    , m_table(m_vc)
    , m_model(m_table)
    , m_groups(&m_vc, std::move(options.store), options.writesDefaults ? &defaults : nullptr)
{
    m_viewTypes.setWritesDefaults(options.writesDefaults);
    // The table reads the labels again on each rebuild: another window may have changed them.
    m_table.setSelectedLabelsSource([this] { return m_viewTypes.storedSelectedLabels(); });
    // The table has rebuilt its rows by the time anyone else hears of a change.
    connect(&m_vc, &ViewController::contactsChanged, this, &DocumentHub::contactsChanged);
    connect(&m_vc, &ViewController::documentEditedChanged, this, &DocumentHub::documentEditedChanged);
    connect(&m_vc, &ViewController::editStateChanged, this, [this](bool editable) {
        m_groups.setEditState(editable);
        emit editStateChanged(editable);
    });
    applyColumns();
}

DocumentHub::~DocumentHub()
{
    close();
}

void DocumentHub::applyColumns()
{
    m_table.setColumns(m_viewTypes.columns());
    for (const ColumnSpec &column : m_viewTypes.columnLayout())
        m_table.setColumnWidth(column.identifier, column.width);
}

void DocumentHub::applyLastSort(
    const ContactGroupPtr &group, const std::shared_ptr<const PreparedRows> &prepared)
{
    const SortDescriptor last = m_defaults.lastSortDesc();
    m_table.setSortDescriptor(last);
    if (!group || !group->contactTable)
        return;
    // The worker that read the file sorted the same entries the same way already.
    if (prepared && prepared->sort == last && *group->contactTable == prepared->source)
        *group->contactTable = prepared->contacts;
    else
        ContactSort::sortContactTable(*group->contactTable, last);
}

DocumentHub::RowPreparer DocumentHub::rowPreparer(UserDefaults &defaults)
{
    // The same choices open() makes: the stored view type's columns, the stored labels, the last sort.
    const ViewTypes viewTypes(defaults);
    const QStringList columns = viewTypes.columns();
    const QStringList labels = viewTypes.selectedLabels();
    const SortDescriptor sort = defaults.lastSortDesc();
    return [columns, labels, sort](const ContactTable &entries, const std::atomic_bool *cancel) {
        return PreparedRows::make(entries, columns, labels, sort, cancel);
    };
}

void DocumentHub::open(DocumentWindowData data)
{
    close();
    m_documentName = data.documentName;
    m_fileType = data.fileType;
    ContactGroupPtr shown = data.selectedGroupDict;
    if (!shown && !data.containerTable.isEmpty() && !data.containerTable.first()->groups.isEmpty())
        shown = data.containerTable.first()->groups.first();
    // Entries that belong to no group (a CSV file's) are what the top group shows.
    if (shown && (!shown->contactTable || *shown->contactTable != data.contactTable))
        shown->contactTable = data.contactTable;

    m_viewTypes.reload();
    m_table.setSelectedLabels(m_viewTypes.selectedLabels());
    applyColumns();
    applyLastSort(shown, data.preparedRows);
    m_table.offerPreparedRows(std::move(data.preparedRows));
    m_vc.setEditState(data.editState);
    m_vc.enableEditButton(data.editButtonEnabled);
    m_vc.undoManager().removeAllActions();
    m_vc.setDocumentEdited(false);
    m_open = true;
    // The address books (of the folders configured) stand beside the file's container, once each:
    // a caller may have put them in already.
    for (const ContactContainerPtr &book : m_groups.loader().containersFromStore()) {
        const bool present = std::any_of(data.containerTable.cbegin(), data.containerTable.cend(),
            [&](const ContactContainerPtr &c) { return c->identifier == book->identifier; });
        if (!present)
            data.containerTable.append(book);
    }
    // One rebuild, for the group shown.
    m_vc.setContainerTable(data.containerTable);
    if (shown && shown != m_vc.selectedGroupDict())
        m_vc.setSelectedGroupDict(shown);
    emit columnsChanged();
}

bool DocumentHub::open(
    DocumentReadResult result, const QString &path, const QString &typeName, DocumentError *error)
{
    Document document;
    document.beginRead(path, typeName);
    if (!document.finishRead(std::move(result), error))
        return false;
    open(document.makeWindowData());
    return true;
}

void DocumentHub::close()
{
    if (!m_open)
        return;
    m_open = false;
    releaseContacts();
    auto leftovers = std::make_shared<Leftovers>();
    leftovers->table = m_table.takeRows();
    leftovers->controller = m_vc.takeContents();
    leftovers->undo = m_vc.undoManager().takeActions();
    // Destroying a hundred thousand records takes long enough to be felt; nothing else holds them now.
    WorkerPool::instance()->start([leftovers = std::move(leftovers)]() mutable { leftovers.reset(); });
    emit closed();
}

void DocumentHub::setTextMetrics(const TextMetrics &metrics)
{
    m_table.setTextMetrics(metrics);
    m_groups.setTextMetrics(metrics);
}

bool DocumentHub::selectGroup(const ContactGroupPtr &group)
{
    if (!group || group == m_vc.selectedGroupDict())
        return false;
    m_groups.groupSelectionDidChange(group);
    return m_vc.selectedGroupDict() == group;
}

ContactGroupPtr DocumentHub::groupNamed(const QString &name) const
{
    for (const ContactContainerPtr &container : m_vc.containerTable()) {
        for (const ContactGroupPtr &group : container->groups) {
            if (!group->deleted && group->name == name)
                return group;
        }
    }
    return {};
}

bool DocumentHub::selectViewType(const QString &name)
{
    if (!m_viewTypes.viewTypePopupSelected(name))
        return false;
    applyColumns();
    m_vc.noteStructureChange(ChangeNotice::Structure::ViewChanged);
    emit columnsChanged();
    return true;
}

bool DocumentHub::toggleColumn(const QString &identifier)
{
    if (!m_viewTypes.itemsPopupSelected(identifier))
        return false;
    applyColumns();
    m_vc.noteStructureChange(ChangeNotice::Structure::ViewChanged);
    emit columnsChanged();
    return true;
}

bool DocumentHub::setColumns(const QStringList &identifiers)
{
    if (!m_viewTypes.setColumns(identifiers))
        return false;
    applyColumns();
    m_vc.noteStructureChange(ChangeNotice::Structure::ViewChanged);
    emit columnsChanged();
    return true;
}

bool DocumentHub::selectLabel(const QString &label)
{
    if (!m_viewTypes.labelsPopupSelected(label))
        return false;
    m_table.setSelectedLabels(m_viewTypes.selectedLabels());
    m_vc.noteStructureChange(ChangeNotice::Structure::ViewChanged);
    return true;
}

bool DocumentHub::setSelectedLabels(const QStringList &labels)
{
    if (!m_viewTypes.setSelectedLabels(labels))
        return false;
    m_table.setSelectedLabels(m_viewTypes.selectedLabels());
    m_vc.noteStructureChange(ChangeNotice::Structure::ViewChanged);
    return true;
}

bool DocumentHub::selectSortOption(const QString &column, const QString &key)
{
    const std::optional<bool> ascending
        = m_table.sortDescriptor() ? std::optional(m_table.sortDescriptor()->ascending) : std::nullopt;
    const std::optional<SortDescriptor> descriptor = m_viewTypes.sortOptionsSelected(column, key, ascending);
    if (!descriptor)
        return false;
    sortBy(*descriptor);
    return true;
}

void DocumentHub::sortBy(const SortDescriptor &descriptor)
{
    if (m_viewTypes.writesDefaults())
        m_defaults.setLastSortDesc(descriptor);
    m_table.sortDescriptorsDidChange(descriptor);
}

void DocumentHub::columnResized(const QString &identifier, double width)
{
    m_viewTypes.columnResized(identifier, width);
    m_table.setColumnWidth(identifier, width);
}

void DocumentHub::saveColumns(const QStringList &order)
{
    m_viewTypes.saveColumns(order, m_table.columnWidth(Ident::Name));
}

void DocumentHub::setEditState(bool editable)
{
    m_vc.setEditState(editable);
}

CommandState DocumentHub::validateCommand(const CommandItem &item, const WindowState &window) const
{
    const CommandState document = Document::validateCommand(item.command);
    if (!document.enabled)
        return document;
    CommandState state = m_vc.validateCommand(item.command, window);
    // The distinct contacts behind the selected rows, counted without walking every entry of the table:
    // the rules run on every notice, and a table may hold a hundred thousand entries.
    const auto countSelectedContacts = [this] {
        QSet<QString> ids;
        for (const ContactEntryPtr &row : m_table.selectedSubContacts())
            ids.insert(row->uniqueId);
        return int(ids.size());
    };
    switch (item.command) {
    case Command::SelectViewType:
        state.checked = item.parameter == m_viewTypes.selectedViewType();
        break;
    case Command::SelectColumn:
        state.checked = m_viewTypes.columns().contains(item.parameter);
        break;
    case Command::SelectLabel:
        state.checked = m_viewTypes.selectedLabels().contains(item.parameter);
        break;
    case Command::SelectSortOption:
        state.checked = m_viewTypes.sortOptionsDict().value(item.column).selected == item.parameter;
        break;
    case Command::ToggleContactInfo:
        state.title
            = window.contactInfoVisible ? CommandTitle::HideContactInfo : CommandTitle::ShowContactInfo;
        break;
    case Command::ToggleGroupView:
        state.title = window.groupViewVisible ? CommandTitle::HideGroups : CommandTitle::ShowGroups;
        break;
    case Command::ToggleEdit:
        state.checked = editState();
        state.enabled = editButtonEnabled();
        break;
    case Command::MergeContacts:
        state.enabled = !window.mergePanelOpen && countSelectedContacts() >= 2;
        break;
    case Command::NormalizePhoneNumber:
        state.enabled = window.isKeyWindow && !window.mergePanelOpen
            && (window.contactInfoVisible
                    ? window.paneContactHasPhones
                    : !m_table.selectedRows().isEmpty() && columns().contains(Ident::Phone));
        break;
    case Command::SelectPrintStyle:
        state.checked = item.parameter == window.printStyle;
        break;
    case Command::ToggleLayout:
        state.checked = window.layoutMode;
        state.title = window.layoutMode ? CommandTitle::Lock : CommandTitle::Layout;
        break;
    case Command::SelectGroup:
        state.checked = selectedGroup() && selectedGroup()->uniqueId == item.parameter;
        break;
    case Command::PrintDocument:
    case Command::ExportToCSV: // the export works; it is offered whenever there is something to export
        state.enabled = !m_table.selectedRows().isEmpty();
        break;
    case Command::ImportFromVCard:
        state.enabled = !isCSV();
        break;
    case Command::AddContact:
        state.enabled = editState();
        break;
    case Command::ShowContact:
        state.enabled = !m_table.selectedRows().isEmpty();
        break;
    default:
        break;
    }
    return state;
}
