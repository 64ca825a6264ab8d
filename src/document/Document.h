#pragma once

#include "document/Commands.h"
#include "document/DocumentReader.h"
#include "formats/ContactContainer.h"
#include "formats/TextEncodings.h"
#include "model/TranslatableText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class EncodingMenuModel;
struct PreparedRows;

namespace DocumentText {
inline const QString CSVType = QStringLiteral("CSV");
inline const QString VCardType = QStringLiteral("public.vCard");
inline const QString ErrorDomain = QStringLiteral("Application");
inline constexpr int CorruptFileErrorCode = 259;
inline constexpr auto VCardRecovery
    = TranslatableText("DocumentText", "Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
inline constexpr auto CSVRecovery
    = TranslatableText("DocumentText", "Please make sure the file is a valid CSV file, or text encoding.");
inline constexpr auto CouldNotRead = TranslatableText("DocumentText", "The file “%1” couldn't be opened.");
inline const QString AllLabels = QStringLiteral("All");
} // namespace DocumentText

// A failure shown to the user: the domain and code say what kind, the texts what to do.
struct DocumentError
{
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString recoverySuggestion;

    bool isSet() const { return !domain.isEmpty(); }
};

// What the window takes over when it is made; the document keeps nothing of it.
struct DocumentWindowData
{
    ContainerTable containerTable;
    ContactTable contactTable;
    ContactGroupPtr selectedGroupDict;
    bool editState = true; // a CSV document is shown locked
    bool editButtonEnabled = true;
    QString documentName;
    QString fileType; // DocumentText::CSVType for a CSV document
    // The first rows, when they were made while the file was read (the window checks that they fit).
    std::shared_ptr<const PreparedRows> preparedRows;
};

// One open file's worth of contacts before its window exists: reading fills the container and contact
// tables, and making the window hands both over. A document is never written back to its file.
class Document
{
public:
    enum class SaveAsAction { PlatformSaveAs, ExportToVCard };

    Document() = default;

    // Where the encoding for one opening comes from: the open panel's menu (its choice is taken and
    // reset), else the default, which is UTF-8 unless a caller asks for detection or a fixed one.
    void setEncodingMenu(EncodingMenuModel *menu) { m_encodingMenu = menu; }
    void setDefaultEncoding(TextEncoding::Number encoding) { m_defaultEncoding = encoding; }
    TextEncoding::Number takeEncoding();

    // Reads the file on the calling thread; a window reads through BackgroundRead and finishRead.
    bool readFromURL(const QString &path, const QString &typeName, DocumentError *error);
    // Prepares a read: remembers the file and type, selects the label "All", and takes the encoding.
    TextEncoding::Number beginRead(const QString &path, const QString &typeName);
    // Takes over a finished read. A cancelled read fails without an error, so nothing is shown.
    bool finishRead(DocumentReadResult result, DocumentError *error);
    static InputFormat formatForType(const QString &typeName);

    // Makes the window's data: a new document gets the empty "vCard" container, a CSV document
    // gets it too and shows its entries locked. The document drops its own references.
    DocumentWindowData makeWindowData();
    // Rows made from this read's entries on the worker that read them; the window data carries them.
    void setPreparedRows(std::shared_ptr<const PreparedRows> rows) { m_preparedRows = std::move(rows); }

    // Save, revert, duplicate and versions are never offered: a document is not written back to its
    // own file. Everything else is the window's to decide.
    static CommandState validateCommand(Command command);
    // Save As of a CSV document exports every contact as vCard instead.
    SaveAsAction saveDocumentAs() const { return saveAsActionForType(m_fileType); }
    static SaveAsAction saveAsActionForType(const QString &typeName);

    QString fileName() const { return m_fileName; } // the last path component
    QString filePath() const { return m_filePath; }
    QString fileType() const { return m_fileType; }
    bool isCSV() const { return m_fileType == DocumentText::CSVType; }
    const ContainerTable &containerTable() const { return m_containerTable; }
    const ContactTable &contactTable() const { return m_contactTable; }
    const QStringList &selectedLabels() const { return m_selectedLabels; }
    TextEncoding::Number encoding() const { return m_encoding; }
    // What the user should hear about the last read besides its result.
    const QList<ReadNotice> &notices() const { return m_notices; }

private:
    EncodingMenuModel *m_encodingMenu = nullptr;
    TextEncoding::Number m_defaultEncoding = TextEncoding::UTF8;
    QString m_filePath;
    QString m_fileName;
    QString m_fileType;
    ContainerTable m_containerTable;
    ContactTable m_contactTable;
    QStringList m_selectedLabels;
    TextEncoding::Number m_encoding = TextEncoding::Automatic;
    QList<ReadNotice> m_notices;
    std::shared_ptr<const PreparedRows> m_preparedRows;
};
