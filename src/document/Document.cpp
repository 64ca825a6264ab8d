#include "document/Document.h"

#include "formats/EncodingMenuModel.h"
#include "formats/ZRvCard.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

DocumentError corruptFileError(const QString &recovery, const QString &fileName)
{
    return { DocumentText::ErrorDomain, DocumentText::CorruptFileErrorCode,
        DocumentText::CouldNotRead.arg(fileName), recovery };
}

} // namespace

TextEncoding::Number Document::takeEncoding()
{
    if (m_encodingMenu)
        return m_encodingMenu->takeEncodingType();
    return m_defaultEncoding;
}

InputFormat Document::formatForType(const QString &typeName)
{
    return typeName == DocumentText::CSVType ? InputFormat::MailwickCsv : InputFormat::VCard;
}

TextEncoding::Number Document::beginRead(const QString &path, const QString &typeName)
{
    m_filePath = path;
    m_fileName = QFileInfo(path).fileName();
    m_fileType = typeName;
    m_selectedLabels = { DocumentText::AllLabels };
    m_notices.clear();
    return takeEncoding();
}

bool Document::readFromURL(const QString &path, const QString &typeName, DocumentError *error)
{
    const TextEncoding::Number encoding = beginRead(path, typeName);
    return finishRead(DocumentReader::readFile(path, formatForType(typeName), encoding), error);
}

bool Document::finishRead(DocumentReadResult result, DocumentError *error)
{
    m_encoding = result.encoding;
    m_notices = result.notices;
    const bool csv = isCSV();
    switch (result.status) {
    case DocumentReadResult::Status::Cancelled:
        m_containerTable.clear();
        m_contactTable.clear();
        return false;
    case DocumentReadResult::Status::ReadError:
        // The text itself couldn't be read: say why, and what to check.
        if (error) {
            *error
                = corruptFileError(csv ? DocumentText::CSVRecovery : DocumentText::VCardRecovery, m_fileName);
            error->localizedDescription = result.readError;
        }
        return false;
    case DocumentReadResult::Status::Read:
        break;
    }
    if (csv) {
        m_containerTable.clear(); // a CSV document has no container of its own
        m_contactTable = result.contactTable;
    } else {
        m_containerTable = result.containers.value_or(ContainerTable());
        m_contactTable = result.contactTable;
    }
    if (m_contactTable.isEmpty()) {
        if (error)
            *error
                = corruptFileError(csv ? DocumentText::CSVRecovery : DocumentText::VCardRecovery, m_fileName);
        m_containerTable.clear();
        return false;
    }
    return true;
}

DocumentWindowData Document::makeWindowData()
{
    DocumentWindowData data;
    data.documentName = m_fileName;
    data.fileType = m_fileType;
    if (m_containerTable.isEmpty()) {
        auto empty = ZRvCard().containersFromVCards(QString());
        m_containerTable = empty.value_or(ContainerTable { ZRvCard::makeVCardContainer() });
    }
    data.containerTable = m_containerTable;
    data.selectedGroupDict = data.containerTable.first()->groups.first();
    if (m_contactTable.isEmpty() && data.selectedGroupDict->contactTable)
        m_contactTable = *data.selectedGroupDict->contactTable;
    data.contactTable = m_contactTable;
    if (isCSV()) {
        data.editState = false;
        data.editButtonEnabled = false;
    }
    data.preparedRows = std::move(m_preparedRows);
    m_containerTable.clear();
    m_contactTable.clear();
    return data;
}

CommandState Document::validateCommand(Command command)
{
    CommandState state;
    state.enabled = command != Command::RevertDocumentToSaved && command != Command::DuplicateDocument
        && command != Command::BrowseDocumentVersions && command != Command::SaveDocument;
    return state;
}

Document::SaveAsAction Document::saveAsActionForType(const QString &typeName)
{
    return typeName == DocumentText::CSVType ? SaveAsAction::ExportToVCard : SaveAsAction::PlatformSaveAs;
}
