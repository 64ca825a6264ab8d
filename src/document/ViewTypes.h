#pragma once

#include "document/ColumnLayout.h"
#include "document/SortDescriptor.h"
#include "document/ViewMenu.h"
#include "document/ViewTypeTables.h"
#include "model/TranslatableText.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

class UserDefaults;

// Texts of the toolbar popups and their "Navigate" submenus.
namespace ViewMenuText {

inline constexpr auto ViewTypeTitle = TranslatableText("ViewMenuText", "View Type");
inline constexpr auto ColumnsTitle = TranslatableText("ViewMenuText", "Columns");
inline constexpr auto LabelsTitle = TranslatableText("ViewMenuText", "Labels");
inline constexpr auto SortOptionsTitle = TranslatableText("ViewMenuText", "Sort Options");
inline constexpr auto SelectViewType = TranslatableText("ViewMenuText", "Select View Type");
inline constexpr auto SelectColumns = TranslatableText("ViewMenuText", "Select Columns");
inline constexpr auto SelectLabel = TranslatableText("ViewMenuText", "Select Label");
inline constexpr auto RestoreDefaultsQuestion
    = TranslatableText("ViewMenuText", "Would you like to restore default preferences?");

} // namespace ViewMenuText

// The table's view choices of one window: the view types and the selected one, the selected labels,
// the sort options and the column widths, with the popup menus that show them and the actions that
// change them. Every change is written to the user defaults at once; the window rebuilds its columns
// or sub-rows when an action reports a change.
class ViewTypes
{
public:
    // Reads in the order the window loads: labels, view types, selected view type, sort options.
    explicit ViewTypes(UserDefaults &defaults);
    void reload();
    // Off: choices are made for this window only and nothing is written (the command line's table).
    void setWritesDefaults(bool writes) { m_writes = writes; }
    bool writesDefaults() const { return m_writes; }

    const ViewTypeDict &viewTypeDict() const { return m_viewTypeDict; }
    const QString &selectedViewType() const { return m_selectedViewType; }
    const QStringList &selectedLabels() const { return m_selectedLabels; }
    const SortOptionsDict &sortOptionsDict() const { return m_sortOptionsDict; }
    const QMap<QString, double> &columnWidths() const { return m_columnWidths; }
    // The selected view type's columns; the built-in "Address" columns when it names no known type.
    QStringList columns() const;
    // Whether a sub-row shows values with this label.
    bool showsLabel(const QString &label) const;
    // The selected labels as stored now (another window may have changed them); this window's own
    // choice when it writes nothing.
    QStringList storedSelectedLabels();

    // ---- Menus
    MenuModel viewTypeMenu() const;
    MenuModel itemsMenu() const;
    // Rebuilt each time it opens: labels of the labelled fields among the stored view type's columns.
    MenuModel labelsMenu() const;
    MenuModel sortOptionsMenu() const;

    // ---- Actions; each answers whether anything changed
    bool viewTypePopupSelected(const QString &viewType);
    // Removes a shown column or inserts a hidden one right after "Sender" and "Name". The fixed columns
    // are not toggled.
    bool itemsPopupSelected(const QString &identifier);
    bool labelsPopupSelected(const QString &label);
    // The selected view type shows these columns (the fixed two first); false when the list names none
    // or only unknown columns.
    bool setColumns(const QStringList &identifiers);
    // Labels chosen at once; an empty list is "All".
    bool setSelectedLabels(const QStringList &labels);
    // The table's new descriptor when the entry's column is one that acts; the direction is the
    // column's current one (ascending when it had none).
    std::optional<SortDescriptor> sortOptionsSelected(
        const QString &column, const QString &key, std::optional<bool> currentAscending = std::nullopt);

    // ---- Columns
    QList<ColumnSpec> columnLayout() const;
    // Resizing records the width; it is written with the next save.
    void columnResized(const QString &identifier, double width);
    // Moving a column and closing the window: the widths, and the order as the selected view type's
    // list. nameWidth is the "Name" column's current width, recorded when no width of it is.
    void saveColumns(const QStringList &order, double nameWidth);

private:
    UserDefaults &m_defaults;
    bool m_writes = true;
    ViewTypeDict m_viewTypeDict;
    QString m_selectedViewType;
    QStringList m_selectedLabels;
    SortOptionsDict m_sortOptionsDict;
    QMap<QString, double> m_columnWidths;
};
