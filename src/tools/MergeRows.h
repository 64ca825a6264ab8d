#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QStringList>

// Texts of the merge sheet.
namespace MergeText {

// The row types of the name ordering and display rows (not shown; see their titles).
inline const QString NameOrdering = QStringLiteral("Name Ordering");
inline const QString NameDisplay = QStringLiteral("Name Display");
inline constexpr auto NameOrderingTitle = TranslatableText("MergeText", "Name Ordering");
inline constexpr auto NameDisplayTitle = TranslatableText("MergeText", "Name Display");
inline const QString DefaultDocumentType = QStringLiteral("vCard");
inline constexpr auto Lock = TranslatableText("MergeText", "Lock");
inline constexpr auto Edit = TranslatableText("MergeText", "Edit");
inline constexpr auto Change = TranslatableText("MergeText", "Change");
inline constexpr auto Done = TranslatableText("MergeText", "Done");
// Dragged rows as plain text: the row's label, its value.
inline const QString DragTextFormat = QStringLiteral("%1: %2");

} // namespace MergeText

// One row of a merge table: one name part, one labelled entry (or the row for adding one), or one field.
struct MergeRow
{
    QString type; // the field's identifier, or "Name Ordering" / "Name Display"
    QString part; // name and phonetic-name rows: "FirstName", "MiddleName", ...
    bool labeled = false;
    QString label; // labelled rows: the entry's label
    qsizetype labelIndex = -1; // labelled rows: the entry's number; -1 on the adding row
    qsizetype index = -1; // labelled rows: the entry's position; -1 on the adding row
    qsizetype valueCount = -1; // labelled rows: the number of entries; -1 on every other row

    bool isAddingRow() const { return labeled && labelIndex < 0; }
};
using MergeRows = QList<MergeRow>;

namespace MergeTable {

// The fields in the order the sheet lists them.
const QStringList &fieldOrder();
// The fields whose rows can be dragged: all but the name ordering and display rows.
bool isDraggableType(const QString &type);
// The identifier of a name or phonetic-name part row ("FirstName", "PhoneticFirstName", ...).
QString partIdentifier(const MergeRow &row);

MergeRows tableFromContact(const ContactEntry &entry);
// The text a row shows and is dragged with, in the language of the run.
QString textForRow(const ContactEntry &entry, const MergeRow &row);
// The field's name as a row shows it: the fields' own names, and the titles of the name rows.
QString fieldTitle(const QString &type);
// The choices of the name-ordering row, the first naming the contact's default order.
QStringList nameOrderingLabels(const ContactEntry &entry);

} // namespace MergeTable
