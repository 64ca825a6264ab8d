#pragma once

#include "tools/ZipSearch.h"
#include "tools/ZipSearchTexts.h"

#include <QObject>
#include <QVariantMap>
#include <memory>
#include <optional>

// The postal-code search sheet without its widgets: the typed text chooses the search, the result
// rows fill the table, and the confirm button follows the selection. A widget shows this state and
// forwards the user's typing, row choices and button presses.
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
    // The input field now holds text.
    void controlTextDidChange(const QString &text);

    // The rows of both files for a code, general file first; the sheet is left as it is.
    QList<ZipResultRow> addressesFromZip(const QString &code);
    // Append the rows of one search text to the table; return the table's row count.
    int findAddress(const QString &code, QStringView inString);
    int findZip(const QString &address, QStringView inString);

    // The selected row, if any, and the mode of the search that found it.
    std::optional<QVariantMap> queryResultwithMode(int &mode) const;
    void buttonPressed(Button button);

    int numberOfRowsInTableView() const { return int(m_table.size()); }
    // column is "ZIP", "Company" or any other name for the address with its readings.
    QString tableViewObjectValueForTableColumn(const QString &column, int row) const;
    bool tableViewShouldSelectRow(int row);

    QString inputField() const { return m_inputField; }
    QString placeholderString() const { return m_placeholder; }
    bool isPasteButtonEnabled() const { return m_pasteButtonEnabled; }
    int zipSearchMode() const { return m_zipSearchMode; }
    void setZipSearchMode(int mode) { m_zipSearchMode = mode; }
    bool searchTargetCompany() const { return m_searchTargetCompany; }
    const QList<ZipResultRow> &table() const { return m_table; }
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
    QList<ZipResultRow> m_table;
    int m_selectedRow = -1;
    bool m_pasteButtonEnabled = false;
    int m_zipSearchMode = NoSearch;
    bool m_searchTargetCompany = false;
    std::optional<QVariantMap> m_searchResult;
    QString m_targetString;
    int m_targetMode = NoSearch;
    bool m_windowLoaded = false;
};
