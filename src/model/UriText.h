#pragma once

#include <QString>
#include <QStringView>

// The percent-encoding of the part of a URI that names a user (xmpp:alice%40example.com): undone for
// the text a user reads and edits, done again when the address is written.
namespace UriText {

// The text with every %XX sequence undone. A "%" not followed by two hex digits stays as it is, and
// so does the whole text when the undone bytes are not UTF-8.
QString percentDecoded(QStringView text);

// The text with "%", white space, control characters and the characters a URI never holds bare
// percent-encoded; other characters, non-ASCII ones included, stand as they are.
QString percentEncoded(QStringView text);

} // namespace UriText
