#pragma once

#include "formats/ContactContainer.h"
#include "print/ReceiverRecord.h"

#include <QList>
#include <QString>
#include <optional>

// Who a print run is for: postcards and envelopes carry a sender, who is then sent nothing; labels
// and lists print every contact.
struct PrintRecipients
{
    QList<ReceiverRecord> receivers;
    std::optional<ReceiverRecord> sender;

    // Whether the style prints a sender on each page.
    static bool styleHasSender(const QString &style);

    // The receivers of the live contacts, in order, and the sender: contact `senderNumber` (from 1)
    // with its first address, or with 0 the first contact with an address marked as the sender's, at
    // that address. A number past the contacts chooses none.
    static PrintRecipients choose(const ContactTable &contacts, const QString &style, int senderNumber = 0);
};
