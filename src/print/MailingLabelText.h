#pragma once

#include "print/ReceiverRecord.h"

#include <QString>
#include <QVariantMap>

// The text printed for one addressee on a label (and on an envelope): address, company and name,
// one item a line.
namespace MailingLabelText {

// The name with the honorific: "Mr.", "Mrs.", "Ms." and "Dr." go before it, any other after it, each
// with a blank between; "" or "None" adds nothing, and neither does an empty name.
QString nameWithKeishou(const QString &name, const QString &keishou);

// True when the address is written the Japanese way (postal code and prefecture first, the name last).
bool usesJapaneseOrder(const QVariantMap &address);

// The label text of a receiver. `styleOptions` is the style's options dictionary ("printZIP",
// "printCountry", "printCompany"); for the sender no honorific is added. Japanese addresses read
// postal code, country, prefecture and city on the first line, then the street, the company and
// the name; other addresses put the name and company first, then the mailing address in the
// country's own order. No trailing line break.
QString makeAdrsAndNameString(
    const ReceiverRecord &receiver, const QVariantMap &styleOptions, const QString &keishou, bool forSender);

} // namespace MailingLabelText
