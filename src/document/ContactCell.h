#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// What one cell of the contact table shows.
struct ContactCell
{
    enum class Kind { None, Checkbox, ImageAndText, CheckboxAndText, Text, PopupAndText };
    Kind kind = Kind::None;
    QString text;
    bool editable = false;
    bool bold = false; // names are set in the bold font
    bool hasCheckbox = false; // "CheckboxAndText" shows its box only beside a text
    bool checked = false;
    QString label; // "PopupAndText": the value's label
    QStringList labels; // "PopupAndText": the labels the popup offers
    QStringList localizedLabels;
    qsizetype labelIndex = -1; // "PopupAndText": the value's own number
    bool showsThumbnail = false;
};

// A stretch of a cell's text, in UTF-16 code units.
struct TextSpan
{
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype end() const { return start + length; }
    friend bool operator==(const TextSpan &, const TextSpan &) = default;
};

// Where the find text shows in a cell: every occurrence (drawn light grey) and the current hit when it
// lies in this cell (drawn orange).
struct CellHighlights
{
    QList<TextSpan> occurrences;
    std::optional<TextSpan> current;

    bool isEmpty() const { return occurrences.isEmpty() && !current; }
    friend bool operator==(const CellHighlights &, const CellHighlights &) = default;
};
Q_DECLARE_METATYPE(CellHighlights)

// The current find hit as the table marks it: the record, the column, the position of the value (-1
// for any) and the range of the cell's text.
struct FindHit
{
    QString uniqueId;
    QString identifier;
    qsizetype labelIndex = -1;
    TextSpan range;
};

// The editor a cell opens (a popover anchored at the cell).
enum class EditorPanel {
    None,
    ContactInfo,
    Name,
    PhoneticName,
    MultiValue,
    Address,
    SocialProfile,
    InstantMessage,
    Date,
    Renmei,
};

// What a double click (or Return) on a cell asks the window to do.
struct CellAction
{
    enum class Kind { Nothing, EditInPlace, OpenEditor };
    Kind kind = Kind::Nothing;
    EditorPanel panel = EditorPanel::None;
    QString identifier;
    int row = -1;
    // The value's own number; -1 for a new one.
    qsizetype labelIndex = -1;
    // For the address editor: the address shown, or a new one to fill in.
    QVariantMap labeledValue;
    // The rows the editor's result is applied to (they are selected).
    QList<int> rows;
};

// What an editor hands back when it closes.
struct EditorResult
{
    QString type; // the field identifier
    QVariant value;
    QStringList values; // joint names, one per element
    bool dirty = false;
};
