#pragma once

#include "find/FindMatch.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>

class ContactsViewController;
class ViewController;
struct EditorContext;

// One field value that holds the search text, with every place it occurs.
struct FindResultRow
{
    QString name; // the contact's display name
    QString item; // the field identifier
    QString subItem; // the part of the field; "" when it has none
    QString label; // "" for unlabelled fields
    qsizetype index = -1; // labelled fields: the value's position
    QString value;
    QList<FindRange> ranges;
    ContactEntryPtr contact;
};
using FindResultRowPtr = std::shared_ptr<FindResultRow>;

namespace FindPanelText {

inline constexpr auto Items = TranslatableText("FindPanelText", "Items");
inline constexpr auto SubItems = TranslatableText("FindPanelText", "Sub Items");
inline constexpr auto Labels = TranslatableText("FindPanelText", "Labels");
inline const QString TitleAll = QStringLiteral("%1 - %2");
inline const QString TitleHeading = QStringLiteral("%1 - ");
inline const QString TitleEntry = QStringLiteral("%1 + ");
inline const QString CountryCode = QStringLiteral("CountryCode");
inline constexpr auto InvalidPattern
    = TranslatableText("FindPanelText", "The regular expression is not valid: %1 (at %2)");

} // namespace FindPanelText

// The find panel without its window: every occurrence of a text in the contacts of a group, one
// row per field value, narrowed by field, part and label; stepping through the matches and
// replacing one or all of them, undoably through the window's controller.
class FindPanel : public QObject
{
    Q_OBJECT

public:
    // The search modes, with the values the mode pop-up stores.
    enum class Mode { CaseSensitive = 0, CaseInsensitive = 1, Regex = 1024 };

    explicit FindPanel(ViewController *parentViewController = nullptr, QObject *parent = nullptr);

    // Ready for a window: its contacts (the group shown), its find text, its table's columns without
    // "Sender" as the chosen items, and its edit state.
    void setUpFromWindow(const ContactsViewController &table, const QString &findText, bool editState);

    void setContacts(const ContactTable &contacts) { m_contacts = contacts; }
    void setSearchString(const QString &text) { m_searchString = text; }
    QString searchString() const { return m_searchString; }
    Mode compareOptions() const { return m_mode; }
    void setCompareOptions(Mode mode) { m_mode = mode; }
    // The pop-up's index (0 case-insensitive, 1 case-sensitive, 2 regular expression); searches again.
    void searchModePopupDidSelect(int index);
    void textDidEnter(const QString &text);
    void setEditState(bool editable) { m_editState = editable; }
    bool editState() const { return m_editState; }

    // ---- Filters
    QStringList items() const;
    const QStringList &selectedItems() const { return m_selectedItems; }
    const QStringList &selectedSubItems() const { return m_selectedSubItems; }
    const QStringList &selectedLabels() const { return m_selectedLabels; }
    void setSelectedItems(const QStringList &items) { m_selectedItems = items; }
    void setSelectedSubItems(const QStringList &subItems) { m_selectedSubItems = subItems; }
    void setSelectedLabels(const QStringList &labels) { m_selectedLabels = labels; }
    QStringList subItemChoices() const;
    QStringList labelChoices() const;
    QString itemTitle() const;
    QString subItemTitle() const;
    QString labelTitle() const;
    // Toggles a choice as the pop-ups do, then searches again.
    void itemPopupDidSelect(const QString &entry);
    void subItemPopupDidSelect(const QString &entry);
    void labelPopupDidSelect(const QString &entry);
    static void toggleChoice(QStringList &filter, const QString &entry);

    // ---- Searching
    // Every range of search in text; an invalid pattern gives none and sets *error.
    static QList<FindRange> searchText(
        const QString &search, const QString &text, Mode mode, QString *error = nullptr);
    QList<FindResultRowPtr> searchStringInContact(const QString &search, const ContactEntryPtr &contact,
        const QStringList &items, const QStringList &subItems, const QStringList &labels, Mode mode) const;
    // Searches every contact and selects row 0.
    void updateTable();
    const QList<FindResultRowPtr> &searchResults() const { return m_results; }
    // Empty unless the last search failed (an invalid regular expression).
    QString errorString() const { return m_error; }

    // ---- Selection and stepping
    int selectedRow() const { return m_selectedRow; }
    int selectedRangeIndex() const { return m_selectedRangeIndex; }
    // Returns whether the row can be replaced in (dates cannot).
    bool selectRow(int row);
    static bool isReplaceable(const FindResultRow &row);
    // Segment 0 previous, 1 next.
    void directionButtonDidClick(int segment);
    // key: "Name", "Item", "SubItem", "Label", "Value" or "Index".
    void sortResults(const QString &key, bool ascending);

    // ---- Replacing
    // Segment 0: the current range of the selected row, then on to the next range.
    bool replace(const QString &replacement);
    // Segment 1: every listed range of every row, as one undo step; the number of values changed.
    int replaceAll(const QString &replacement);
    // The date editor of a "Birthday" or "Dates" row: what it opens with.
    EditorContext dateEditorContext(int row) const;
    // The date a confirmed date editor gave, applied to the row and its contact as one undo step.
    bool applyEditedDate(int row, const EditorContext &result);
    static bool isDateRow(const FindResultRow &row);
    // Sets a row's value and ranges and changes its contact through the controller.
    bool undoReplaceValue(const QString &value, const QList<FindRange> &ranges, const FindResultRowPtr &row);

signals:
    void tableReloaded();
    void rowChanged(int row);

private:
    void restoreRow(const FindResultRowPtr &row, const QString &value, const QList<FindRange> &ranges);
    bool applyToContact(const FindResultRow &row, const QString &value);

    ViewController *m_parent = nullptr;
    ContactTable m_contacts;
    QString m_searchString;
    Mode m_mode = Mode::CaseInsensitive;
    bool m_editState = false;
    QStringList m_selectedItems;
    QStringList m_selectedSubItems;
    QStringList m_selectedLabels;
    QList<FindResultRowPtr> m_results;
    QString m_error;
    int m_selectedRow = -1;
    int m_selectedRangeIndex = -1;
};
