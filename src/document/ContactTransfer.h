#pragma once

#include "formats/ContactContainer.h"

#include <QString>
#include <QStringList>

class QMimeData;
class ViewController;

// Contacts leaving and entering the contact table: copies as text, dragging out as text, vCard data
// and a vCard file, and vCard data or files dropped in.
namespace ContactTransfer {

inline const QString VCardMimeType = QStringLiteral("text/vcard");
// The dragged sub-row indexes, comma-separated: lets a drop on a group add those rows. The contact
// table writes it and the group list reads it; nothing else may spell it.
inline const QString RowIndexesMimeType = QStringLiteral("application/x-corvanthe-row-indexes");
inline const QString LabelIndexMimeType = QStringLiteral("application/x-corvanthe-labelindex");
inline const QString DraggingFileName = QStringLiteral("draggingContacts.vcf");

// One line per sub-row of the given columns, joined by line feeds; empty when shorter than 2 characters.
QString copyText(const ContactTable &subRows, const QStringList &identifiers, const QString &separator);
inline const QString TabSeparator = QStringLiteral("\t");
inline const QString CsvSeparator = QStringLiteral(", ");

// The distinct contacts behind the sub-rows, in the order first met.
ContactTable distinctContacts(const ContactTable &subRows);

// What a drag of these sub-rows carries; the vCard file is written into tempFolder (an old one is
// replaced). The caller owns the result.
QMimeData *dragData(const ContactTable &subRows, const QList<int> &rowIndexes, const QString &tempFolder);
// Writes the dragged contacts as "draggingContacts.vcf" in the folder; the file's path, or empty on failure.
QString writePromisedFile(const ContactTable &subRows, const QString &folder, QString *error = nullptr);

struct DropTarget
{
    bool fromThisTable = false;
    bool onRow = false; // onto a row rather than between rows
    int row = 0;
    int subRowCount = 0;
    bool editState = true;
};
bool validateDrop(const QMimeData &data, const DropTarget &target);
// Adds the vCards of the data (or of the vCard files it names) to the group shown; true when any was added.
bool acceptDrop(const QMimeData &data, const DropTarget &target, ViewController &controller);

} // namespace ContactTransfer
