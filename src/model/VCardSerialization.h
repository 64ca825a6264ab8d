#pragma once

#include "model/StoreContact.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

struct VCardCard;

// The contact store's vCard codec: vCard text to store contacts and back.
namespace VCardSerialization {

// Parses vCard text (UTF-8 bytes of one or more cards; versions 2.1 and 3.0, tolerant of 4.0).
// Returns the contacts; on failure an empty list and *error (if given) says why (e.g. "no BEGIN:VCARD").
// A card that cannot be read is left out when others can; *error then names the first such card.
// Images::Skip leaves photos out undecoded: for reading a card again whose picture is kept already.
// Strings::Separate gives every string a block of its own instead of one per contact: for a caller
// that keeps only a few of them, which would otherwise keep the whole card's text alive.
enum class Images { Read, Skip };
enum class Strings { Packed, Separate };
// eachCard, when given, sees every card as the text is cut into cards, before its contact is made: a
// caller that wants properties no contact holds takes them there instead of reading the text again.
QList<StoreContact> contactsWithData(const QByteArray &data, QString *error = nullptr,
    Images images = Images::Read, Strings strings = Strings::Packed,
    const std::function<void(const VCardCard &card)> &eachCard = {});

// Writes vCard 3.0, UTF-8, CR LF, each card ending "\r\nEND:VCARD\r\n". Leaves out NOTE and PHOTO
// (another writer adds them under its options). Returns empty and sets *error on failure.
QByteArray dataWithContacts(const QList<StoreContact> &contacts, QString *error = nullptr);

} // namespace VCardSerialization
