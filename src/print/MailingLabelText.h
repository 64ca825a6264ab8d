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

// The same text as its parts, for blocks that set the postal code apart from the lines.
struct Parts
{
    bool japaneseOrder = true; // address, company, name; else name, company, address
    QString zip; // the postal code, when it prints on a line of its own (Japanese order only)
    QStringList address; // the address lines without the postal code of a Japanese address
    QString company; // "" when it does not print
    QString name; // with the honorific
    // The lines in print order, the postal code first when `withZip`.
    QStringList lines(bool withZip) const;
};
Parts makeParts(
    const ReceiverRecord &receiver, const QVariantMap &styleOptions, const QString &keishou, bool forSender);

} // namespace MailingLabelText
