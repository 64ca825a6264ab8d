#include "document/ViewTypes.h"

#include "document/DefaultsKeys.h"
#include "document/SortKeys.h"
#include "document/UserDefaults.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QHash>
#include <cmath>

namespace {

QString viewTypeTitle(const QString &name)
{
    // A view type the user made is shown as named.
    static const QHash<QString, const char *> texts = {
        { ViewTypeName::NameOnly, QT_TRANSLATE_NOOP("ViewTypes", "Name Only") },
        { ViewTypeName::Address, QT_TRANSLATE_NOOP("ViewTypes", "Address") },
        { ViewTypeName::AddressDetail, QT_TRANSLATE_NOOP("ViewTypes", "Address Detail") },
    };
    const auto it = texts.constFind(name);
    return it == texts.cend() ? name : QCoreApplication::translate("ViewTypes", it.value());
}

QString sortKeyTitle(const QString &key)
{
    // Keys that are field identifiers are shown as the fields are.
    static const QHash<QString, const char *> texts = {
        { SortKey::CompositeName, QT_TRANSLATE_NOOP("SortKeys", "Full Name") },
        { Ident::FirstName, QT_TRANSLATE_NOOP("SortKeys", "First Name") },
        { Ident::LastName, QT_TRANSLATE_NOOP("SortKeys", "Last Name") },
        { Ident::PhoneticFirstName, QT_TRANSLATE_NOOP("SortKeys", "Phonetic First Name") },
        { Ident::PhoneticLastName, QT_TRANSLATE_NOOP("SortKeys", "Phonetic Last Name") },
        { SortKey::AddressLabel, QT_TRANSLATE_NOOP("SortKeys", "Address label") },
        { SortKey::PhoneLabel, QT_TRANSLATE_NOOP("SortKeys", "Phone label") },
        { SortKey::EmailLabel, QT_TRANSLATE_NOOP("SortKeys", "Email label") },
        { SortKey::EmailDomain, QT_TRANSLATE_NOOP("SortKeys", "Email domain") },
        { SortKey::EmailUsername, QT_TRANSLATE_NOOP("SortKeys", "Email username") },
        { SortKey::URLLabel, QT_TRANSLATE_NOOP("SortKeys", "URL label") },
        { SortKey::InstantMessageLabel, QT_TRANSLATE_NOOP("SortKeys", "Instant Message label") },
        { SortKey::InstantMessageType, QT_TRANSLATE_NOOP("SortKeys", "Instant Message type") },
        { SortKey::InstantMessageServiceName, QT_TRANSLATE_NOOP("SortKeys", "Instant Message service name") },
        { SortKey::InstantMessageUsername, QT_TRANSLATE_NOOP("SortKeys", "Instant Message username") },
        { SortKey::SocialNetworkType, QT_TRANSLATE_NOOP("SortKeys", "Social Network type") },
        { SortKey::SocialNetworkServiceName, QT_TRANSLATE_NOOP("SortKeys", "Social Network service name") },
        { SortKey::SocialNetworkUsername, QT_TRANSLATE_NOOP("SortKeys", "Social Network username") },
        { SortKey::RelationshipLabel, QT_TRANSLATE_NOOP("SortKeys", "Relationship label") },
        { SortKey::DatesLabel, QT_TRANSLATE_NOOP("SortKeys", "Dates label") },
    };
    const auto it = texts.constFind(key);
    return it == texts.cend() ? ZRPerson::localizedIdentifierForKey(key)
                              : QCoreApplication::translate("SortKeys", it.value());
}

QString labelTitle(const QString &label)
{
    return Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(label));
}

MenuItem titleItem(const QString &title)
{
    MenuItem item;
    item.title = title;
    item.isTitleItem = true;
    return item;
}

} // namespace

ViewTypes::ViewTypes(UserDefaults &defaults)
    : m_defaults(defaults)
{
    reload();
}

void ViewTypes::reload()
{
    m_selectedLabels = m_defaults.selectedLabels();
    m_viewTypeDict = m_defaults.viewTypeDict();
    m_selectedViewType = m_defaults.selectedViewType();
    m_sortOptionsDict = m_defaults.sortOptionsDict();
    m_columnWidths = m_defaults.columnWidthDictionary();
}

QStringList ViewTypes::columns() const
{
    const auto it = m_viewTypeDict.constFind(m_selectedViewType);
    if (it != m_viewTypeDict.cend())
        return it.value();
    return ViewTypeTables::builtInViewTypes().value(ViewTypeTables::defaultViewType());
}

bool ViewTypes::showsLabel(const QString &label) const
{
    return m_selectedLabels.contains(LabelText::All) || m_selectedLabels.contains(label);
}

MenuModel ViewTypes::viewTypeMenu() const
{
    MenuModel menu { ViewMenuText::SelectViewType, { titleItem(ViewMenuText::ViewTypeTitle) } };
    // Built-in types first in their own order, then the user's in name order.
    QStringList names;
    for (const QString &name : ViewTypeTables::builtInViewTypeNames()) {
        if (m_viewTypeDict.contains(name))
            names << name;
    }
    for (auto it = m_viewTypeDict.cbegin(); it != m_viewTypeDict.cend(); ++it) {
        if (!names.contains(it.key()))
            names << it.key();
    }
    for (const QString &name : names)
        menu.items << MenuItem { viewTypeTitle(name), name, name == m_selectedViewType, false, {} };
    return menu;
}

MenuModel ViewTypes::itemsMenu() const
{
    MenuModel menu { ViewMenuText::SelectColumns, { titleItem(ViewMenuText::ColumnsTitle) } };
    const QStringList shown = columns();
    for (const QString &identifier : ViewTypeTables::itemsMenuIdentifiers()) {
        menu.items << MenuItem { ZRPerson::localizedIdentifierForKey(identifier), identifier,
            shown.contains(identifier), false, {} };
    }
    return menu;
}

MenuModel ViewTypes::labelsMenu() const
{
    MenuModel menu { ViewMenuText::SelectLabel, { titleItem(ViewMenuText::LabelsTitle) } };
    const bool all = m_selectedLabels.contains(LabelText::All);
    menu.items << MenuItem { labelTitle(LabelText::All), LabelText::All, all, false, {} };
    // The columns as stored: another window may have changed them since this one loaded.
    const QStringList stored = m_defaults.viewTypeDict().value(m_defaults.selectedViewType());
    const Labels::Table labelTable = ZRPerson::labelTableDict();
    for (const QString &identifier : ZRPerson::labeledIdentifiers()) {
        if (!stored.contains(identifier))
            continue;
        for (const QString &label : labelTable.value(identifier)) {
            const QString title = labelTitle(label);
            bool present = false;
            for (const MenuItem &item : std::as_const(menu.items))
                present = present || item.title == title;
            if (!present)
                menu.items << MenuItem { title, label, !all && m_selectedLabels.contains(label), false, {} };
        }
    }
    return menu;
}

MenuModel ViewTypes::sortOptionsMenu() const
{
    MenuModel menu { ViewMenuText::SortOptionsTitle, { titleItem(ViewMenuText::SortOptionsTitle) } };
    for (const QString &column : ViewTypeTables::sortOptionsMenuColumns()) {
        const auto option = m_sortOptionsDict.constFind(column);
        if (option == m_sortOptionsDict.cend())
            continue;
        MenuItem parent { ZRPerson::localizedIdentifierForKey(column), column, false, false, {} };
        for (const QString &key : option->items)
            parent.submenu << MenuItem { sortKeyTitle(key), key, key == option->selected, false, {} };
        menu.items << parent;
    }
    return menu;
}

bool ViewTypes::viewTypePopupSelected(const QString &viewType)
{
    // A name the dictionary does not hold would leave the table without columns.
    if (!m_viewTypeDict.contains(viewType))
        return false;
    const bool changed = viewType != m_selectedViewType;
    m_selectedViewType = viewType;
    if (m_writes)
        m_defaults.setSelectedViewType(viewType);
    return changed;
}

bool ViewTypes::itemsPopupSelected(const QString &identifier)
{
    if (identifier.isEmpty() || ViewTypeTables::fixedColumns().contains(identifier))
        return false;
    QStringList list = columns();
    if (list.contains(identifier)) {
        if (list.size() < 2)
            return false;
        list.removeAll(identifier);
    } else {
        if (list.size() >= ViewTypeTables::MaxColumns)
            return false;
        list.insert(ColumnLayout::FixedColumnCount, identifier);
    }
    m_viewTypeDict.insert(m_selectedViewType, ViewTypeTables::normalizedColumns(list));
    if (m_writes)
        m_defaults.setViewTypeDict(m_viewTypeDict);
    return true;
}

bool ViewTypes::setColumns(const QStringList &identifiers)
{
    const QStringList columns = ViewTypeTables::normalizedColumns(identifiers);
    if (columns == this->columns())
        return false;
    m_viewTypeDict.insert(m_selectedViewType, columns);
    if (m_writes)
        m_defaults.setViewTypeDict(m_viewTypeDict);
    return true;
}

bool ViewTypes::setSelectedLabels(const QStringList &labels)
{
    const QStringList before = m_selectedLabels;
    m_selectedLabels
        = labels.isEmpty() || labels.contains(LabelText::All) ? QStringList { LabelText::All } : labels;
    if (m_writes)
        m_defaults.setSelectedLabels(m_selectedLabels);
    return m_selectedLabels != before;
}

QStringList ViewTypes::storedSelectedLabels()
{
    if (m_writes)
        m_selectedLabels = m_defaults.selectedLabels();
    return m_selectedLabels;
}

bool ViewTypes::labelsPopupSelected(const QString &label)
{
    const QStringList before = m_selectedLabels;
    if (label == LabelText::All) {
        m_selectedLabels = { LabelText::All };
    } else if (m_selectedLabels.contains(LabelText::All)) {
        m_selectedLabels = { label };
    } else if (m_selectedLabels.contains(label)) {
        m_selectedLabels.removeAll(label);
        if (m_selectedLabels.isEmpty())
            m_selectedLabels = { LabelText::All };
    } else {
        m_selectedLabels << label;
    }
    if (m_writes)
        m_defaults.setSelectedLabels(m_selectedLabels);
    return m_selectedLabels != before;
}

std::optional<SortDescriptor> ViewTypes::sortOptionsSelected(
    const QString &column, const QString &key, std::optional<bool> currentAscending)
{
    if (key.isEmpty() || !ViewTypeTables::sortOptionsActionColumns().contains(column))
        return std::nullopt;
    auto option = m_sortOptionsDict.find(column);
    if (option != m_sortOptionsDict.end() && option->selected != key) {
        option->selected = key;
        if (m_writes)
            m_defaults.setSortOptionsDict(m_sortOptionsDict);
    }
    return SortDescriptor { key, currentAscending.value_or(true) };
}

QList<ColumnSpec> ViewTypes::columnLayout() const
{
    return ColumnLayout::columnsForIdentifiers(columns(), m_sortOptionsDict, m_columnWidths);
}

void ViewTypes::columnResized(const QString &identifier, double width)
{
    if (identifier.isEmpty() || !std::isfinite(width) || width <= 0)
        return;
    m_columnWidths.insert(identifier, std::min(width, UserDefaults::MaximumColumnWidth));
}

void ViewTypes::saveColumns(const QStringList &order, double nameWidth)
{
    if (!m_columnWidths.contains(Ident::Name))
        columnResized(Ident::Name, nameWidth);
    m_viewTypeDict.insert(m_selectedViewType, ViewTypeTables::normalizedColumns(order));
    if (!m_writes)
        return;
    m_defaults.setColumnWidthDictionary(m_columnWidths);
    m_defaults.setViewTypeDict(m_viewTypeDict);
}
