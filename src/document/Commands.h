#pragma once

#include <QString>

// The commands of a document window, named once: menus, toolbar buttons and context menus show them,
// and each controller says in one function whether and how each is offered.
enum class Command {
    // Never offered: a document is not written back to its own file.
    RevertDocumentToSaved,
    DuplicateDocument,
    BrowseDocumentVersions,
    SaveDocument,
    // Save As: a CSV document exports its contacts as vCard instead.
    SaveDocumentAs,

    // The window's
    SelectViewType, // parameter: the view type
    SelectColumn, // parameter: the column identifier
    SelectLabel, // parameter: the label
    SelectSortOption, // parameter: the sort key, column: the column it belongs to
    SelectGroup, // parameter: the group's unique id
    SelectPrintStyle, // parameter: the style
    ToggleContactInfo,
    ToggleGroupView,
    ToggleEdit,
    ToggleLayout,
    MergeContacts,
    NormalizePhoneNumber,
    PrintDocument,
    ImportFromVCard,
    ImportFromCSV,
    ExportToVCard,
    ExportToCSV,
    ShowQRCode,
    ShowZipSheet,
    ShowContact,
    AddContact,

    // The view controller's
    Undo,
    Redo,
    ToggleFindBar,
    DeleteContacts,
    DuplicateContacts,
};

// One menu item: the command and what it acts on.
struct CommandItem
{
    Command command;
    QString parameter;
    QString column;
};

// How a command is offered now. An empty title keeps the item's own.
struct CommandState
{
    bool enabled = true;
    bool checked = false;
    QString title;

    friend bool operator==(const CommandState &, const CommandState &) = default;
};

// What only the window knows and some rules depend on.
struct WindowState
{
    bool isKeyWindow = true;
    bool contactInfoVisible = false;
    bool groupViewVisible = true;
    bool findBarVisible = false;
    bool mergePanelOpen = false;
    bool layoutMode = false;
    QString printStyle;
    // While the information pane is shown: whether its contact has phone numbers.
    bool paneContactHasPhones = false;
};

namespace CommandTitle {

inline const QString ShowContactInfo = QStringLiteral("Show Contact Info");
inline const QString HideContactInfo = QStringLiteral("Hide Contact Info");
inline const QString ShowGroups = QStringLiteral("Show Groups");
inline const QString HideGroups = QStringLiteral("Hide Groups");
inline const QString Find = QStringLiteral("Find");
inline const QString FindShown = QStringLiteral("✓Find");
inline const QString Lock = QStringLiteral("Lock");
inline const QString Edit = QStringLiteral("Edit");

} // namespace CommandTitle
