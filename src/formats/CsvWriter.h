#pragma once

#include "formats/ContactContainer.h"

#include <QList>
#include <QString>
#include <QStringList>

// Writing contacts as delimited text. A row is a contact entry: its record and the label index L
// of the sub-row it stands for, so that row L carries the L-th phone, e-mail, address and so on,
// and single-valued fields only on row 0.
namespace CsvWriter {

// One column of the CSV file: its header, the identifier it reads ("compositeName" for the display
// name), and for labelled fields the label, for structured fields the part.
struct Column
{
    QString fieldName;
    QString type;
    QString label;
    QString subType;
};

// The 32 columns of the file, in order.
const QList<Column> &columns();

// The whole file: the header line and one line per row, LF line ends. A field that holds a comma,
// a double quote or a line break is enclosed in double quotes with its inner quotes doubled, so
// that every value reads back unchanged.
QString csvFromSubContacts(const ContactTable &rows);
// The same file in pieces, for writing it as it is made: the header line, then each row's line.
QString csvHeaderLine();
void appendCsvLine(QString &out, const ContactEntry &row);

// One line of the chosen fields, for the pasteboard: values joined by the separator, line breaks
// and tabs written as the two characters \n and \t. A value with a space, the separator or a
// double quote is quoted (inner quotes doubled), and so is every non-empty note. A row whose
// label index is -1 writes every labelled value of a labelled field.
QString csvStringFromContact(
    const ContactEntry &row, const QStringList &identifiers, const QString &separator);

} // namespace CsvWriter
