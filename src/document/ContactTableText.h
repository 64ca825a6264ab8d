#pragma once

#include "document/DocumentReader.h"

#include <QString>
#include <QStringList>

class ContactsViewController;
class UserDefaults;

// What the command line's table shows; every empty choice is taken from the user defaults, as a
// window opening the file would.
struct TableTextChoices
{
    QString group; // a group's name; the document's top group when empty
    QString viewType; // a view type's name
    QStringList columns; // column identifiers after "Sender" and "Name", instead of the view type's
    QStringList labels; // labels whose values are shown ("All" for every label)
    QString sortKey; // a sort key ("compositeName", "Email domain", "ZIP", ...)
    bool descending = false;
};

struct TableTextResult
{
    QString text;
    QString error; // what was wrong with the file or a choice; empty when the text is there

    bool ok() const { return error.isEmpty(); }
};

// The contact table as the window shows it, as text: a header line of column identifiers, one line
// per sub-row with each cell's text separated by tabs, then the summary row's text. The check boxes
// of "Sender" are 1 or 0; inside a cell a line break is written \n, a tab \t and a backslash \\.
namespace ContactTableText {

QString tableText(const ContactsViewController &table);
// One cell's text with its line breaks, tabs and backslashes escaped.
QString escaped(const QString &cell);
// Opens a finished read as a document (nothing is written to the defaults) and gives its table for
// the choices. path and typeName name the file as when opening it.
TableTextResult fromRead(DocumentReadResult read, const QString &path, const QString &typeName,
    const TableTextChoices &choices, UserDefaults &defaults);
// The sort keys a table can be ordered by.
QStringList sortKeys();

} // namespace ContactTableText
