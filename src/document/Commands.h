#pragma once

#include "model/TranslatableText.h"

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

inline constexpr auto ShowContactInfo = TranslatableText("CommandTitle", "Show Contact Info");
inline constexpr auto HideContactInfo = TranslatableText("CommandTitle", "Hide Contact Info");
inline constexpr auto ShowGroups = TranslatableText("CommandTitle", "Show Groups");
inline constexpr auto HideGroups = TranslatableText("CommandTitle", "Hide Groups");
inline constexpr auto Find = TranslatableText("CommandTitle", "Find");
inline constexpr auto FindShown = TranslatableText("CommandTitle", "✓Find");
inline constexpr auto Lock = TranslatableText("CommandTitle", "Lock");
inline constexpr auto Edit = TranslatableText("CommandTitle", "Edit");
inline constexpr auto Layout = TranslatableText("CommandTitle", "Layout");

} // namespace CommandTitle
