#include "tools/ZipSheetController.h"

#include "model/Identifiers.h"
#include "tools/PostalKeys.h"

#include <utility>

ZipSheetController::ZipSheetController(QObject *parent)
    : QObject(parent)
    , m_sharedTexts(true)
{
    ZipSearchTextStore::startBuilding();
}

ZipSheetController::ZipSheetController(std::shared_ptr<const ZipSearchTexts> texts, QObject *parent)
    : QObject(parent)
    , m_texts(texts ? std::move(texts) : std::make_shared<const ZipSearchTexts>())
{
}

std::shared_ptr<const ZipSearchTexts> ZipSheetController::zipdb()
{
    return ZipSearchTextStore::zipdb();
}

const ZipSearchTexts &ZipSheetController::texts()
{
    if (!m_texts)
        m_texts = m_sharedTexts ? ZipSearchTextStore::zipdb() : std::make_shared<const ZipSearchTexts>();
    return *m_texts;
}

bool ZipSheetController::setTargetString(const QString &text, int mode)
{
    if (!m_windowLoaded) {
        m_targetString = text;
        m_targetMode = mode;
        return true;
    }
    m_targetString.clear();
    setInputField(text);
    setPasteButtonEnabled(false);
    m_zipSearchMode = mode;
    controlTextDidChange(text);
    return true;
}

void ZipSheetController::windowDidLoad()
{
    m_windowLoaded = true;
    setPasteButtonEnabled(false);
    emptyTable();
    emit tableReloaded();
    if (!m_targetString.isEmpty()) {
        const QString text = std::exchange(m_targetString, QString());
        setInputField(text);
        m_zipSearchMode = m_targetMode;
        controlTextDidChange(text);
    } else {
        m_placeholder = ZipText::Prompt;
    }
}

void ZipSheetController::controlTextDidChange(const QString &text)
{
    showSearch(text, search(texts(), text));
}

ZipSearchOutcome ZipSheetController::search(const ZipSearchTexts &texts, const QString &text)
{
    ZipSearchOutcome outcome;
    if (text.isEmpty())
        return outcome;
    const QString numeric = ZipSearch::findNumericString(text);
    if (numeric.size() >= 2) {
        outcome.mode = CodeToAddress;
        outcome.lines = ZipSearch::findAddressLines(numeric, texts.general);
        if (outcome.lines.isEmpty())
            outcome.lines = ZipSearch::findAddressLines(numeric, texts.business);
    } else if (numeric.isEmpty()) {
        outcome.mode = AddressToCode;
        outcome.lines = ZipSearch::findZipLines(text, texts.general);
        if (outcome.lines.isEmpty())
            outcome.lines = ZipSearch::findZipLines(text, texts.business);
    }
    // One digit says too little to search.
    return outcome;
}

std::shared_ptr<const ZipSearchTexts> ZipSheetController::searchTexts()
{
    texts();
    return m_texts;
}

void ZipSheetController::showSearch(const QString &text, const ZipSearchOutcome &outcome)
{
    m_inputField = text;
    emptyTable();
    if (outcome.mode != ZipSearchOutcome::KeepMode)
        m_zipSearchMode = outcome.mode;
    m_lines = outcome.lines;
    emit tableReloaded();
    if (text.isEmpty())
        return;
    if (m_lines.size() == 1) {
        // The only row is the one the user means; confirming takes it (the button stays as it was).
        m_selectedRow = 0;
    } else {
        setPasteButtonEnabled(false);
    }
}

void ZipSheetController::searchPending(const QString &text)
{
    m_inputField = text;
    m_selectedRow = -1;
    setPasteButtonEnabled(false);
}

QList<ZipResultRow> ZipSheetController::addressesFromZip(const QString &code)
{
    QList<ZipResultRow> rows
        = ZipSearch::dictionariesFromFindLines(ZipSearch::findAddressLines(code, texts().general));
    rows += ZipSearch::dictionariesFromFindLines(ZipSearch::findAddressLines(code, texts().business));
    return rows;
}

int ZipSheetController::findAddress(const QString &code, QStringView inString)
{
    m_lines += ZipSearch::findAddressLines(code, inString);
    emit tableReloaded();
    return int(m_lines.size());
}

int ZipSheetController::findZip(const QString &address, QStringView inString)
{
    m_lines += ZipSearch::findZipLines(address, inString);
    emit tableReloaded();
    return int(m_lines.size());
}

ZipResultRow ZipSheetController::row(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return {};
    return ZipSearch::dictionariesFromFindLines({ m_lines[row] }).value(0);
}

QList<ZipResultRow> ZipSheetController::table() const
{
    return ZipSearch::dictionariesFromFindLines(m_lines);
}

std::optional<QVariantMap> ZipSheetController::queryResultwithMode(int &mode) const
{
    mode = m_zipSearchMode;
    if (m_selectedRow < 0 || m_selectedRow >= m_lines.size())
        return std::nullopt;
    return row(m_selectedRow).toVariantMap();
}

void ZipSheetController::buttonPressed(Button button)
{
    if (button == ConfirmButton) {
        if (m_selectedRow >= 0 && m_selectedRow < m_lines.size())
            m_searchResult = row(m_selectedRow).toVariantMap();
        emit zipSearchDoOK(m_searchResult.value_or(QVariantMap()));
        emit sheetEnded(1);
        return;
    }
    emit sheetEnded(0);
    if (m_searchResult) {
        m_searchResult->insert(ZipKey::SearchMode, ZipKey::AddressMode);
        m_searchResult->remove(ZipKey::Result);
    }
}

QString ZipSheetController::tableViewObjectValueForTableColumn(const QString &column, int row) const
{
    if (row < 0 || row >= m_lines.size())
        return {};
    const ZipResultRow r = this->row(row);
    if (column == Ident::ZIP)
        return r.zip;
    if (column == Ident::Company)
        return r.company;
    return r.state + r.city + r.street + u' ' + r.phoneticCity + u' ' + r.phoneticStreet;
}

bool ZipSheetController::tableViewShouldSelectRow(int row)
{
    if (row < 0 || row >= m_lines.size())
        return false;
    m_selectedRow = row;
    if (m_zipSearchMode != NoSearch)
        setPasteButtonEnabled(true);
    return true;
}

void ZipSheetController::setPasteButtonEnabled(bool enabled)
{
    if (m_pasteButtonEnabled == enabled)
        return;
    m_pasteButtonEnabled = enabled;
    emit pasteButtonEnabledChanged(enabled);
}

void ZipSheetController::setInputField(const QString &text)
{
    m_inputField = text;
    emit inputFieldChanged(text);
}

void ZipSheetController::emptyTable()
{
    m_lines.clear();
    m_selectedRow = -1;
}
