#pragma once

#include "find/FindEngine.h"
#include "find/FindMatch.h"
#include "find/FindRowIndex.h"

#include <QObject>
#include <optional>

class ContactsViewController;
class ViewController;

// The items of the Edit menu's Find submenu that reach the find bar.
enum class FindMenuItem { Find, FindAndReplace, FindNext, FindPrevious, UseSelectionForFind };

// The find bar's side of a window without its widgets: the text searched for, the case option,
// the selected item and range, and the bar's actions (find, replace, replace all, done). The
// window's views follow it through signals; every change goes through the ViewController.
class FindController : public QObject
{
    Q_OBJECT

public:
    FindController(ViewController &viewController, ContactsViewController &table, QObject *parent = nullptr);

    QString findString() const { return m_findString; }
    void setFindString(const QString &text) { m_findString = text; }
    QString replaceString() const { return m_replaceString; }
    void setReplaceString(const QString &text) { m_replaceString = text; }
    bool caseInsensitive() const { return m_caseInsensitive; }
    void setCaseInsensitive(bool on);
    // The options pop-up: matching stays case-insensitive only for its "Case Insensitive" item.
    void popupChanged(const QString &selectedTitle);
    QString findOption() const;
    Qt::CaseSensitivity caseSensitivity() const;

    bool contactInfoVisible() const { return m_contactInfoVisible; }
    void setContactInfoVisible(bool visible) { m_contactInfoVisible = visible; }
    // The contact the information panel shows; its search never leaves it.
    void setPanelContact(const ContactEntryPtr &contact) { m_panelContact = contact; }
    ContactEntryPtr panelContact() const { return m_panelContact; }

    const std::optional<FindMatch> &selectedItemAndRange() const { return m_selected; }
    void setSelectedItemAndRange(const std::optional<FindMatch> &match) { m_selected = match; }

    // Searches from the current match; returns the selected item after the search (the new match,
    // or the unchanged current one), nothing when the text is empty.
    std::optional<FindMatch> findNextString(const QString &text, bool contactInfoVisible);
    std::optional<FindMatch> findPreviousString(const QString &text, bool contactInfoVisible);

    // The search field was committed.
    void findStringDidChange(const QString &text);
    // One of FindAction's words.
    void findBarButtonDidPress(const QString &action);

    // ---- The bar and the Find menu
    bool findBarVisible() const { return m_findBarVisible; }
    // The shared find text (what Use Selection for Find set, in this or another window) becomes the
    // text searched for, when there is one.
    void takeSharedFindText(const QString &sharedText);
    // A Find menu item: the shared text is taken first; Find and Find and Replace toggle the bar (hiding
    // it drops the find text), Find Next and Find Previous search.
    void performFindBarAction(FindMenuItem item, const QString &sharedText);
    // Shows (taking the shared text first) or hides the bar.
    void showFindBar(bool show, const QString &sharedText = QString());

    // The table's row index is built on the first find-next after anything it was built from may
    // have changed; this drops it now. Its memory in bytes, 0 while it is not built.
    void invalidateFindIndex() { m_index.clear(); }
    // Builds part of that index, for about the given time, so that the search after the typing pause
    // finds it built instead of reading every record at once; true when no more is needed for the
    // table as it is now.
    bool prepareFindIndex(int milliseconds);
    qsizetype findIndexBytes() const { return m_index.memoryBytes(); }

    // ---- Replacing
    // Replaces the match in the contact it names; true when the match still lies inside the cell's text.
    bool replaceByString(const QString &replacement, const FindMatch &match);
    // Replace: the current match, then on to the next one.
    void replace();
    // Replace All: every occurrence in every searchable field, as one undo step; the number of values
    // changed.
    int replaceAll();

signals:
    // A match to select and highlight (in the panel when it is shown, else in the table).
    void matchSelected(const FindMatch &match, bool inPanel);
    // The find text or option the views highlight with changed.
    void findStringChanged(const QString &text, const QString &findOption);
    void findBarDismissed();
    // The bar is to be shown or hidden.
    void findBarVisibilityChanged(bool visible);
    // A committed search text, for the find text every window shares.
    void sharedFindTextChanged(const QString &text);
    void documentEdited();

private:
    std::optional<FindMatch> find(
        const QString &text, bool contactInfoVisible, FindEngine::Direction direction);
    // The table's search, through the row index whenever it can stand in for the text.
    std::optional<FindMatch> findInTable(const QString &text, FindEngine::Direction direction);
    void ensureSelectedItem(bool contactInfoVisible);
    ContactEntryPtr entryWithUniqueId(const QString &uniqueId) const;

    ViewController &m_vc;
    ContactsViewController &m_table;
    QString m_findString;
    QString m_replaceString;
    bool m_caseInsensitive = true;
    bool m_contactInfoVisible = false;
    bool m_findBarVisible = false;
    ContactEntryPtr m_panelContact;
    std::optional<FindMatch> m_selected;
    FindRowIndex m_index;
};
