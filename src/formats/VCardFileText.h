#pragma once

#include "formats/TextEncodings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The text of a vCard file as the card reader takes it, UTF-8 bytes whatever the file was written
// in, or why it could not be read.
struct VCardFileText
{
    QByteArray utf8;
    TextEncoding::Number encoding = TextEncoding::Automatic; // the encoding the file was read in
    QString error; // empty on success

    bool ok() const { return error.isEmpty(); }

    // Reads a file's bytes in the encoding, TextEncoding::Automatic detecting it. Writers that fold
    // lines at a fixed width may cut a character in two; detection and decoding judge the text with
    // its folds undone, so such a cut neither sends the file to another encoding nor makes the right
    // one refuse it. UTF-8 without such a cut is handed over as it lies, without a copy.
    static VCardFileText fromBytes(const QByteArray &bytes, TextEncoding::Number encoding);

    // The bytes with every fold (a line break followed by one space or tab) taken out; the same
    // bytes, not a copy, when there is none. A line break is LF, a lone CR, or CRs followed by LF.
    // Only for encodings that write line breaks and spaces as ASCII does.
    static QByteArray unfolded(const QByteArray &bytes);
};
