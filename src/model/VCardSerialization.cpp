#include "model/VCardSerialization.h"

#include "model/VCardLineReader.h"
#include "model/VCardPropertyMapper.h"
#include "model/VCardWriter.h"

#include <QByteArrayMatcher>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

// About how many cards the text holds: only a size hint for the result list, which would otherwise be
// copied over and over as a file of many thousand contacts is read. The cards of the first part are
// counted and the rest supposed alike, with room to spare; a long text is not searched through
// twice, and a short one (one card, as the document reader hands them over) not at all.
qsizetype expectedCards(QByteArrayView data)
{
    constexpr qsizetype WorthCounting = 64 * 1024;
    constexpr qsizetype Sample = 256 * 1024;
    if (data.size() < WorthCounting)
        return 0;
    static const QByteArrayMatcher begin("BEGIN:VCARD");
    const QByteArrayView sample = data.first(qMin(data.size(), Sample));
    qsizetype count = 0;
    for (qsizetype at = begin.indexIn(sample); at >= 0; at = begin.indexIn(sample, at + 11))
        ++count;
    if (sample.size() == data.size())
        return count;
    return qsizetype(double(count) * double(data.size()) / double(sample.size()) * 1.1) + 16;
}

} // namespace

namespace VCardSerialization {

QList<StoreContact> contactsWithData(const QByteArray &data, QString *error, Images images, Strings strings,
    const std::function<void(const VCardCard &card)> &eachCard)
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
            if (eachCard)
                eachCard(card);
            QString cardError;
            if (std::optional<StoreContact> contact = VCardPropertyMapper::contactFromCard(
                    card, &cardError, images == Images::Read, strings == Strings::Packed))
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
            *error = QCoreApplication::translate("VCardReader", "card %1: %2")
                         .arg(firstFailureNumber)
                         .arg(firstFailure);
    }
    return contacts;
}

QByteArray dataWithContacts(const QList<StoreContact> &contacts, QString *error)
{
    return VCardWriter::write(contacts, error);
}

} // namespace VCardSerialization
