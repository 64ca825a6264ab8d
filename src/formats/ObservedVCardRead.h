#pragma once

#include "formats/ZRvCard.h"

#include <functional>

struct StoreContact;

// The card reader's read with a look at every contact as its record is made: a caller that wants
// something of every contact (which may hold a search) takes it there, while the parsed contact is at
// hand, instead of having each record build its values from the card again.
namespace ObservedVCardRead {

// Called on the threads that read the cards, several at once, with the contact and the record made
// of it (its card's own properties applied).
using Observer = std::function<void(const StoreContact &contact, const ZRPerson &person)>;

// ZRvCard::containersFromVCards, telling observer of each record.
std::optional<ContainerTable> containersFromVCards(const QByteArray &text,
    const ZRvCard::ProgressHandler &handler, QList<ZRvCard::CardProblem> *problems, const Observer &observer);

} // namespace ObservedVCardRead
