#include "model/VCardSerialization.h"

#include "model/VCardLineReader.h"
#include "model/VCardPropertyMapper.h"
#include "model/VCardWriter.h"

#include <QByteArrayMatcher>

using namespace Qt::StringLiterals;

namespace {

// How many cards the text holds, as most writers spell them; only a size hint for the result list,
// which would otherwise be copied over and over as a file of many thousand contacts is read. A short
// text (one card, as the document reader hands them over) is not worth the extra pass.
qsizetype expectedCards(QByteArrayView data)
{
    constexpr qsizetype WorthCounting = 64 * 1024;
    if (data.size() < WorthCounting)
        return 0;
    static const QByteArrayMatcher begin("BEGIN:VCARD");
    qsizetype count = 0;
    for (qsizetype at = begin.indexIn(data); at >= 0; at = begin.indexIn(data, at + 11))
        ++count;
    return count;
}

} // namespace

namespace VCardSerialization {

QList<StoreContact> contactsWithData(const QByteArray &data, QString *error, Images images)
{
    QString readError;
    QList<StoreContact> contacts;
    if (const qsizetype expected = expectedCards(data); expected > 0)
        contacts.reserve(expected);
    QString firstFailure;
    int firstFailureNumber = 0;
    int cardNumber = 0;
    const int cards = VCardLineReader::readCards(
        data,
        [&](const VCardCard &card) {
            ++cardNumber;
            QString cardError;
            if (std::optional<StoreContact> contact
                = VCardPropertyMapper::contactFromCard(card, &cardError, images == Images::Read))
                contacts.append(std::move(*contact));
            else if (firstFailureNumber == 0) {
                firstFailure = cardError;
                firstFailureNumber = cardNumber;
            }
        },
        &readError);
    if (error) {
        if (cards == 0)
            *error = readError;
        else if (cards == 1 || firstFailureNumber == 0)
            *error = firstFailure;
        else
            *error = u"card %1: %2"_s.arg(firstFailureNumber).arg(firstFailure);
    }
    return contacts;
}

QByteArray dataWithContacts(const QList<StoreContact> &contacts, QString *error)
{
    return VCardWriter::write(contacts, error);
}

} // namespace VCardSerialization
