#include "model/VCardSerialization.h"

#include "model/VCardLineReader.h"
#include "model/VCardPropertyMapper.h"
#include "model/VCardWriter.h"

using namespace Qt::StringLiterals;

namespace VCardSerialization {

QList<StoreContact> contactsWithData(const QByteArray &data, QString *error)
{
    QString readError;
    const QList<VCardCard> cards = VCardLineReader::readCards(data, &readError);
    QList<StoreContact> contacts;
    contacts.reserve(cards.size());
    QString firstFailure;
    for (qsizetype i = 0; i < cards.size(); ++i) {
        QString cardError;
        if (std::optional<StoreContact> contact
            = VCardPropertyMapper::contactFromCard(cards[i], &cardError)) {
            contacts.append(std::move(*contact));
        } else if (firstFailure.isEmpty()) {
            firstFailure = cards.size() == 1 ? cardError : u"card %1: %2"_s.arg(i + 1).arg(cardError);
        }
    }
    if (error) {
        if (cards.isEmpty())
            *error = readError;
        else
            *error = firstFailure;
    }
    return contacts;
}

QByteArray dataWithContacts(const QList<StoreContact> &contacts, QString *error)
{
    return VCardWriter::write(contacts, error);
}

} // namespace VCardSerialization
