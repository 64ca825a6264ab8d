#pragma once

#include "model/StoreContact.h"
#include "model/VCardLineReader.h"

#include <QString>
#include <optional>

// The middle layer of the vCard reader: gives the properties of one card their meaning as the
// fields of a store contact (names, labelled lists with their labels, dates, photo).
class VCardPropertyMapper
{
public:
    // The contact the card describes; nullopt and *error when the card describes none.
    // readImages false leaves PHOTO undecoded, for readers that have the picture already. The
    // contact's text is in one block of its own, or with packStrings false in a block per string.
    static std::optional<StoreContact> contactFromCard(
        const VCardCard &card, QString *error = nullptr, bool readImages = true, bool packStrings = true);

    // A date in any of the forms cards carry: 2024-03-09, 20240309, --0309, --03-09, with an
    // optional time after "T". With omitYear set, that year stands for "no year".
    static std::optional<DateComponents> parseDate(QStringView text, int omitYear = 0);
};
