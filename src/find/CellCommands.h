#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QStringList>
#include <functional>
#include <optional>

class ContactsViewController;
class ViewController;

// What the replace sheet is opened with and what it says, by mode (the context menu's title).
struct ReplacePanelRequest
{
    QString type; // the mode: "Add Label and Text", "Replace Text", ...
    QString identifier;
    QStringList labels; // the label choices, without "All"
    QString label;
    QString replaceString;
    QString message;
    QString okTitle;
    bool labelEnabled = false;
};

struct ReplacePanelAnswer
{
    QString label;
    QString replaceString;
};

namespace ReplacePanelText {

inline constexpr auto AddLabelAndText = TranslatableText("ReplacePanelText", "Add Label and Text");
inline constexpr auto ReplaceLabelAndText = TranslatableText("ReplacePanelText", "Replace Label and Text");
inline constexpr auto ReplaceText = TranslatableText("ReplacePanelText", "Replace Text");
inline constexpr auto PrependText = TranslatableText("ReplacePanelText", "Prepend Text");
inline constexpr auto AppendText = TranslatableText("ReplacePanelText", "Append Text");
inline constexpr auto AddMessage
    = TranslatableText("ReplacePanelText", "In order to add the label and text %1");
inline constexpr auto ReplaceLabelMessage
    = TranslatableText("ReplacePanelText", "In order to replace the label and text %1");
inline constexpr auto ReplaceMessage
    = TranslatableText("ReplacePanelText", "In order to replace the text %1");
inline constexpr auto PrependMessage
    = TranslatableText("ReplacePanelText", "In order to prepend the text %1");
inline constexpr auto AppendMessage = TranslatableText("ReplacePanelText", "In order to append the text %1");
inline constexpr auto Add = TranslatableText("ReplacePanelText", "Add");
inline constexpr auto Replace = TranslatableText("ReplacePanelText", "Replace");
inline constexpr auto Prepend = TranslatableText("ReplacePanelText", "Prepend");
inline constexpr auto Append = TranslatableText("ReplacePanelText", "Append");
inline constexpr auto DeleteQuestion = TranslatableText("ReplacePanelText",
    "Do you want to delete the item(label and text) in the selected cells in column:%1 ?");
inline constexpr auto DeleteInformative
    = TranslatableText("ReplacePanelText", "This operation can be undone.");

} // namespace ReplacePanelText

// The contact table's cell commands over the clicked column and the selected rows: delete or
// clear, replace (with or without the label), prepend, append and add. The sheet and the alert
// are callbacks, so the commands run without widgets.
class CellCommands
{
public:
    // The sheet: nothing when cancelled.
    using AskPanel = std::function<std::optional<ReplacePanelAnswer>(const ReplacePanelRequest &)>;
    using Confirm = std::function<bool(const QString &message, const QString &informative)>;

    CellCommands(ViewController &vc, ContactsViewController &table);

    static ReplacePanelRequest panelForMode(const QString &mode, const QString &identifier);

    // True when something changed.
    bool deleteItem(const QString &column, int clickedRow, const Confirm &confirm);
    // mode: "Replace Text", "Replace Label and Text", "Prepend Text" or "Append Text".
    bool replaceItem(const QString &mode, const QString &column, int clickedRow, const AskPanel &ask);

    enum class InsertResult { Added, NeedsEditor, Nothing };
    // Phone, e-mail, URL and relationship get a new value at once; other fields need their editor.
    InsertResult insertItem(const QString &column, int clickedRow);

private:
    ContactTable rowsFor(int clickedRow) const;

    ViewController &m_vc;
    ContactsViewController &m_table;
};
