#pragma once

#include "find/FindMatch.h"
#include "find/FindPanelIndex.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>

class ContactsViewController;
class FindPanelSearch;
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
    ~FindPanel() override;

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
    // The user's name of a field, a part of one or an instant-message service, as the Items, Item and
    // SubItem titles show it; the table's own column titles where it has them.
    static QString displayName(const QString &identifier);
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
    // Searches every contact and selects row 0. In slices, the search only starts here: its rows
    // arrive batch by batch from the event loop and a new search drops what is left of the old one.
    void updateTable();
    // Off (the default), every search is complete when updateTable returns. A slice searches for about
    // sliceBudget, and at least a few dozen contacts.
    static constexpr std::chrono::nanoseconds DefaultSliceBudget = std::chrono::milliseconds(15);
    void setSearchInSlices(bool inSlices, std::chrono::nanoseconds sliceBudget = DefaultSliceBudget)
    {
        m_inSlices = inSlices;
        m_sliceBudget = sliceBudget;
    }
    bool isSearching() const { return m_running != nullptr; }
    // Searches what is left of a search in slices at once.
    void completeSearch();
    // Stops the search running in slices where it is: its rows so far stay.
    void cancelSearch();
    // How far the search running in slices is, in contacts.
    qsizetype contactsSearched() const { return m_nextContact; }
    qsizetype contactCount() const { return m_contacts.size(); }
    const QList<FindResultRowPtr> &searchResults() const { return m_results; }
    // The heap memory the texts kept for ruling contacts out take.
    qsizetype indexMemoryBytes() const { return m_index.memoryBytes(); }
    // Reads the texts the next plain search rules contacts out by, for about budget at most, while the
    // user is still typing what to look for: the first search of a large document then reads only the
    // records of the contacts that may hold it. True once there is nothing left to read now (read to
    // the end, a search is running and reads them itself, or no window controller to see edits).
    bool prepareIndex(std::chrono::nanoseconds budget);
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
    // key: "Name", "Item", "SubItem", "Label", "Value" or "Index". The order is kept for the next
    // searches, applied when each is complete; an empty key stops sorting.
    void sortResults(const QString &key, bool ascending);
    QString sortKey() const { return m_sortKey; }

    // ---- Replacing
    // Segment 0: the current range of the selected row, then on to the next range.
    bool replace(const QString &replacement);
    // Segment 1: every listed range of every row, as one undo step; the number of values changed.
    // A search still running is completed first, so that all means all.
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
    // Rows first..last are about to be added at the end, then are there.
    void rowsAboutToBeAppended(int first, int last);
    void rowsAppended(int first, int last);
    // A slice of the search has ended with more contacts left.
    void searchProgressed(qsizetype searched, qsizetype total);
    // The search running in slices has searched every contact (and sorted its rows).
    void searchFinished();

private:
    void searchSlice(qint64 budgetNs);
    void startPrefilter();
    quint64 changeCount() const;
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
    bool m_inSlices = false;
    std::chrono::nanoseconds m_sliceBudget = DefaultSliceBudget;
    std::unique_ptr<FindPanelSearch> m_running;
    // Rules contacts out for a plain search; kept from one search to the next while nothing changed.
    FindPanelIndex m_index;
    bool m_prefiltered = false; // the running search passes over the contacts the index rules out
    QString m_prefilterText;
    Qt::CaseSensitivity m_prefilterCase = Qt::CaseInsensitive;
    qsizetype m_nextContact = 0;
    QTimer m_sliceTimer;
    QString m_sortKey;
    bool m_sortAscending = true;
};
