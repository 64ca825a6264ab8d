#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>

// The text of a card as a file holds it, for a search to rule the card's contact out before the
// record's values are built from it: building them reads the card again and makes every dictionary
// and list the record holds, many times the work of looking through the card's own bytes.
//
// Every value a record built from a plain card shows is a piece of one line of the card as written
// or of that line with its escapes undone, save its dates, which the record writes its own way, and
// the few it puts together from pieces (a street of an address's first three components or of a
// label's lines, a user name without its line breaks), which are appended as the record makes them.
// Cards where a value may be more than that (a transfer encoding, another charset, folded lines,
// percent-encoded addresses, bytes that are not UTF-8, a name of more than five components) are left
// to their records.
namespace CardTexts {

enum class Reading {
    Texts, // every value the record can show lies in the texts appended
    DatedTexts, // so does every value but the card's dates, which may become any date
    NeedsRecord, // nothing appended: only the record can tell
};

// Appends the text of every content line of the card a record can show, each followed by separator:
// the value where the property is read for its value alone, with its escapes undone; else the
// whole line, and once more with its escapes undone where it has any.
Reading append(QByteArrayView card, char16_t separator, std::u16string &out);

// Whether text could be a piece of a date as records write it ("1980.07.14(Mon)", "07.14"), the
// weekday in the application's language.
bool mayBeInDate(const QString &text, Qt::CaseSensitivity cs);

} // namespace CardTexts
