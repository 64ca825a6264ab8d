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
    m_inputField = text;
    emptyTable();
    if (text.isEmpty()) {
        emit tableReloaded();
        return;
    }
    const QString numeric = ZipSearch::findNumericString(text);
    if (numeric.size() >= 2) {
        m_zipSearchMode = CodeToAddress;
        if (findAddress(numeric, texts().general) == 0)
            findAddress(numeric, texts().business);
    } else if (numeric.isEmpty()) {
        m_zipSearchMode = AddressToCode;
        if (findZip(text, texts().general) == 0)
            findZip(text, texts().business);
    } else {
        emit tableReloaded(); // one digit says too little to search
    }
    if (m_table.size() == 1) {
        // The only row is the one the user means; confirming takes it (the button stays as it was).
        m_selectedRow = 0;
    } else {
        setPasteButtonEnabled(false);
    }
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
    m_table += ZipSearch::dictionariesFromFindLines(ZipSearch::findAddressLines(code, inString));
    emit tableReloaded();
    return int(m_table.size());
}

int ZipSheetController::findZip(const QString &address, QStringView inString)
{
    m_table += ZipSearch::dictionariesFromFindLines(ZipSearch::findZipLines(address, inString));
    emit tableReloaded();
    return int(m_table.size());
}

std::optional<QVariantMap> ZipSheetController::queryResultwithMode(int &mode) const
{
    mode = m_zipSearchMode;
    if (m_selectedRow < 0 || m_selectedRow >= m_table.size())
        return std::nullopt;
    return m_table[m_selectedRow].toVariantMap();
}

void ZipSheetController::buttonPressed(Button button)
{
    if (button == ConfirmButton) {
        if (m_selectedRow >= 0 && m_selectedRow < m_table.size())
            m_searchResult = m_table[m_selectedRow].toVariantMap();
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
    if (row < 0 || row >= m_table.size())
        return {};
    const ZipResultRow &r = m_table[row];
    if (column == Ident::ZIP)
        return r.zip;
    if (column == Ident::Company)
        return r.company;
    return r.state + r.city + r.street + u' ' + r.phoneticCity + u' ' + r.phoneticStreet;
}

bool ZipSheetController::tableViewShouldSelectRow(int row)
{
    if (row < 0 || row >= m_table.size())
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
    m_table.clear();
    m_selectedRow = -1;
}
