#pragma once

#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <optional>

class ZRPerson;

namespace ContactInfoText {

inline constexpr auto FirstNameFirst = TranslatableText("ContactInfo", "First Name First");
inline constexpr auto LastNameFirst = TranslatableText("ContactInfo", "Last Name First");
inline constexpr auto SystemDefaultFirst
    = TranslatableText("ContactInfo", "System Default (First Name First)");
inline constexpr auto SystemDefaultLast = TranslatableText("ContactInfo", "System Default (Last Name First)");
inline constexpr auto Person = TranslatableText("ContactInfo", "Person");
inline constexpr auto Company = TranslatableText("ContactInfo", "Company");

} // namespace ContactInfoText

// One row of the contact information panel: one name part, one labelled value, or one field.
struct InfoRow
{
    QString type; // the field identifier ("Name", "Phone", "Groups", "Name Ordering" ...)
    QString label; // a labelled value's label, a name part, or the pop-up's current text; "" when none
    qsizetype labelIndex = 0; // a labelled value's own number; a name part's position
    qsizetype index = -1; // a labelled value's position in its field; -1 for other rows
    int rowOrderIndex = 0; // the field's place in the row order
    QString value; // "Photo" for the photo row
    QStringList choices; // the pop-up's texts (Name Ordering, Name Display)

    bool isLabeled() const { return index >= 0; }
    friend bool operator==(const InfoRow &, const InfoRow &) = default;
};

// The panel's rows and the rules that do not need a widget.
namespace ContactInfoRows {

// The rows of a contact in the row order; none without a contact. Labels of the record's entries that
// are no standard labels become custom labels of their field, so the label pop-ups offer them.
QList<InfoRow> tableFromContact(const ContactEntryPtr &contact, const QStringList &rowOrder);

// The text a row's cell shows (and edits): a name part, an entry's text, the field's text.
QString displayText(ZRPerson &person, const InfoRow &row);
// Whether the row's field has a value (rows without one are not dragged out).
bool hasValue(ZRPerson &person, const InfoRow &row);
// Whether a cell of the row is typed into (the others open an editor or a pop-up).
bool isTextEditable(const InfoRow &row);

// A field dragged onto another field's row: it is put just before that field. The order is unchanged
// when either is not in it.
QStringList moveField(const QStringList &order, const QString &dragged, const QString &target);

// The phonetic part a name row's label stands for when a name part is dropped on the phonetic name.
QString phoneticPartForLabel(const QString &label);
// The part identifier a name or phonetic name row edits.
QString partIdentifier(const InfoRow &row);

// A labelled value dropped at a position of a list: between rows it is inserted there, on a row it
// replaces the entry there. nullopt when the position is beyond the list (an empty list takes it).
std::optional<QVariantList> listAfterDrop(
    const QVariantList &list, const QVariantMap &entry, qsizetype index, bool onRow);

// The URL a row's workspace command opens; empty when there is nothing to open. googleMap picks the
// web map search for an address.
QUrl workspaceUrl(ZRPerson &person, const InfoRow &row, bool googleMap = false);

} // namespace ContactInfoRows
