#pragma once

#include "tools/ZipSearch.h"
#include "tools/ZipSearchTexts.h"

#include <QObject>
#include <QVariantMap>
#include <memory>
#include <optional>

// What one search found: the lines of the search texts (views into them, so the texts must outlive
// it) and the mode the typed text chose. Made without touching any sheet, so it may run on a worker.
struct ZipSearchOutcome
{
    static constexpr int KeepMode = -1; // the text chose no mode (empty, or a single digit)
    int mode = KeepMode;
    QList<QStringView> lines;
};

// The postal-code search sheet without its widgets: the typed text chooses the search, the result
// rows fill the table, and the confirm button follows the selection. A widget shows this state and
// forwards the user's typing, row choices and button presses. The table keeps the found lines and
// makes a row's fields only when asked, so a short prefix matching thousands of areas costs no more
// than the scan.
class ZipSheetController : public QObject
{
    Q_OBJECT

public:
    enum SearchMode { NoSearch = 0, AddressToCode = 1, CodeToAddress = 2 };
    enum Button { ConfirmButton, CancelButton };

    // Uses the run's shared search texts and starts building them when they do not exist yet.
    explicit ZipSheetController(QObject *parent = nullptr);
    // Searches the given texts instead (a command line with its own data folder, tests).
    explicit ZipSheetController(std::shared_ptr<const ZipSearchTexts> texts, QObject *parent = nullptr);

    static std::shared_ptr<const ZipSearchTexts> zipdb();

    // Searches text at once when the window is loaded, otherwise when it loads. Always accepted.
    bool setTargetString(const QString &text, int mode);
    void windowDidLoad();
    // The input field now holds text: search it and show what was found.
    void controlTextDidChange(const QString &text);

    // The search controlTextDidChange makes, over the given texts; safe on any thread.
    static ZipSearchOutcome search(const ZipSearchTexts &texts, const QString &text);
    // The texts this sheet searches (a worker searching for it keeps them alive with this).
    std::shared_ptr<const ZipSearchTexts> searchTexts();
    // A search of text, made elsewhere over searchTexts(), now shown: what controlTextDidChange does
    // after searching.
    void showSearch(const QString &text, const ZipSearchOutcome &outcome);
    // The input field changed and its search is under way: no row may be confirmed until it is shown.
    void searchPending(const QString &text);

    // The rows of both files for a code, general file first; the sheet is left as it is.
    QList<ZipResultRow> addressesFromZip(const QString &code);
    // Append the rows of one search text (one of the sheet's texts) to the table; return the table's
    // row count.
    int findAddress(const QString &code, QStringView inString);
    int findZip(const QString &address, QStringView inString);

    // The selected row, if any, and the mode of the search that found it.
    std::optional<QVariantMap> queryResultwithMode(int &mode) const;
    void buttonPressed(Button button);

    int numberOfRowsInTableView() const { return int(m_lines.size()); }
    // One row of the table; an empty row past its end.
    ZipResultRow row(int row) const;
    // column is "ZIP", "Company" or any other name for the address with its readings.
    QString tableViewObjectValueForTableColumn(const QString &column, int row) const;
    bool tableViewShouldSelectRow(int row);

    QString inputField() const { return m_inputField; }
    QString placeholderString() const { return m_placeholder; }
    bool isPasteButtonEnabled() const { return m_pasteButtonEnabled; }
    int zipSearchMode() const { return m_zipSearchMode; }
    void setZipSearchMode(int mode) { m_zipSearchMode = mode; }
    bool searchTargetCompany() const { return m_searchTargetCompany; }
    // Every row of the table, made on the spot.
    QList<ZipResultRow> table() const;
    int selectedRow() const { return m_selectedRow; }
    std::optional<QVariantMap> searchResult() const { return m_searchResult; }
    QString targetString() const { return m_targetString; }

signals:
    void tableReloaded();
    void pasteButtonEnabledChanged(bool enabled);
    void inputFieldChanged(const QString &text);
    // Posted on confirm with the chosen row (empty when there is none).
    void zipSearchDoOK(const QVariantMap &result);
    // 1 after confirm, 0 after cancel: the sheet is to be closed.
    void sheetEnded(int returnCode);

private:
    const ZipSearchTexts &texts();
    void setPasteButtonEnabled(bool enabled);
    void setInputField(const QString &text);
    void emptyTable();

    std::shared_ptr<const ZipSearchTexts> m_texts;
    bool m_sharedTexts = false;
    QString m_inputField;
    QString m_placeholder;
    QList<QStringView> m_lines; // into m_texts
    int m_selectedRow = -1;
    bool m_pasteButtonEnabled = false;
    int m_zipSearchMode = NoSearch;
    bool m_searchTargetCompany = false;
    std::optional<QVariantMap> m_searchResult;
    QString m_targetString;
    int m_targetMode = NoSearch;
    bool m_windowLoaded = false;
};
