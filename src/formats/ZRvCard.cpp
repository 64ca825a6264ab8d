#include "formats/ZRvCard.h"

#include "formats/ChunkedWork.h"
#include "formats/ObservedVCardRead.h"
#include "formats/VCardLineBreaks.h"
#include "formats/VCardOwnProperties.h"
#include "model/Identifiers.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSet>
#include <vector>

using namespace Qt::StringLiterals;
using namespace VCardLineBreaks;

namespace {

constexpr QByteArrayView BeginVCard = "BEGIN:VCARD";
constexpr QByteArrayView EndVCard = "END:VCARD";

// The next occurrence that starts a line, its ASCII letters matched in any case (no other character
// folds to the letters of the card markers): the same words inside a value (a note quoting a card)
// must neither end nor start a card. Only line starts are looked at, one pass over the text.
qsizetype indexAtLineStart(const QByteArray &text, QByteArrayView needle, qsizetype from)
{
    const char *bytes = text.constData();
    const qsizetype size = text.size();
    const qsizetype last = size - needle.size();
    qsizetype at = from;
    if (at > 0 && at <= size && !atLineStart(bytes, at))
        at = nextLineStart(bytes, size, at);
    while (at <= last) {
        if (qstrnicmp(bytes + at, needle.data(), needle.size()) == 0)
            return at;
        at = nextLineStart(bytes, size, at);
    }
    return -1;
}

// Where a card's END line starts (-1 when it has none), and which of the properties the reader
// reads itself its lines name: both found in one walk over the card's line starts.
struct CardEnd
{
    qsizetype at = -1;
    unsigned ownProperties = VCardOwnProperties::None;
};

CardEnd findCardEnd(const QByteArray &text, qsizetype from)
{
    const char *bytes = text.constData();
    const qsizetype size = text.size();
    const qsizetype last = size - EndVCard.size();
    CardEnd result;
    // A card may hold cards (a 2.1 agent's card): its end is the END that closes its own BEGIN.
    // When none does, a card went without its END, and the first END seen ends it.
    int depth = 0;
    qsizetype firstEnd = -1;
    unsigned ownPropertiesBeforeFirstEnd = VCardOwnProperties::None;
    qsizetype at = from;
    if (at > 0 && at <= size && !atLineStart(bytes, at))
        at = nextLineStart(bytes, size, at);
    for (; at < size; at = nextLineStart(bytes, size, at)) {
        if (at <= last && qstrnicmp(bytes + at, EndVCard.data(), EndVCard.size()) == 0) {
            if (firstEnd < 0) {
                firstEnd = at;
                ownPropertiesBeforeFirstEnd = result.ownProperties;
            }
            if (depth == 0) {
                result.at = at;
                return result;
            }
            --depth;
            continue;
        }
        if (at + BeginVCard.size() <= size
            && qstrnicmp(bytes + at, BeginVCard.data(), BeginVCard.size()) == 0) {
            ++depth;
            continue;
        }
        result.ownProperties |= VCardOwnProperties::kindOfLine(QByteArrayView(bytes + at, size - at));
    }
    result.at = firstEnd;
    result.ownProperties = ownPropertiesBeforeFirstEnd;
    return result;
}

ContactGroupPtr categoryGroup(const QString &name)
{
    auto group = std::make_shared<ContactGroup>();
    group->name = name;
    group->containerName = ContainerText::LocalContainerName;
    group->uniqueId = u"%1-%2"_s.arg(name, QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    group->contactTable = ContactTable();
    return group;
}

// One layout string per address, matched to the addresses by position.
void applyLayouts(const QStringList &layouts, ZRPerson &person)
{
    const qsizetype addresses = person.addressValues().size();
    for (qsizetype k = 0; k < layouts.size() && k < addresses; ++k) {
        QVariantMap address = person.labeledValueForIdentifierAtIndex(Ident::Address, k).toMap();
        ZRPerson::hagakiLayoutFromLayoutString(address, layouts.at(k));
        person.replaceLabeledValueAtIndex(address, Ident::Address, k);
    }
}

// Below this many cards a file is read quickly enough on one thread.
constexpr qsizetype ParallelReadFrom = 2048;

// One card of the text: where it lies, and what came of it.
struct ReadCard
{
    qsizetype begin = 0;
    qsizetype length = 0;
    // Which of the rare properties its lines name (VCardOwnProperties), found while it was cut out.
    unsigned ownProperties = 0;
    QStringList categories;
    // One record, or several when the card holds cards of its own (inner ones first).
    QList<std::shared_ptr<ZRPerson>> persons;
    QString error;
};

// The names with the text of names met before on this thread: a large file names the same few
// groups on every card, and its cards are all held before their groups are made.
QStringList sharedNames(QStringList names)
{
    constexpr qsizetype MostKept = 1024;
    thread_local QSet<QString> met;
    for (QString &name : names) {
        const auto found = met.constFind(name);
        if (found != met.cend())
            name = *found;
        else if (met.size() < MostKept)
            met.insert(name);
    }
    return names;
}

// Below this many bytes the cards are found on one thread: the walk over the lines is quick.
constexpr qsizetype ParallelCutFrom = 4 * 1024 * 1024;

// The cards found in text from a position on, where the walk ended, and the start of the card it
// stopped before when it was told to stop at one (-1 when it ended otherwise).
struct Cut
{
    std::vector<ReadCard> cards;
    qsizetype position = 0;
    qsizetype stoppedBefore = -1;
};

// The cards from position on, until a card that begins at or after stop (-1: none stops it).
Cut cutFrom(const QByteArray &text, qsizetype position, qsizetype stop)
{
    Cut cut;
    const char *bytes = text.constData();
    while (text.size() - position > 10) {
        const qsizetype begin = indexAtLineStart(text, BeginVCard, position);
        if (begin < 0)
            break;
        if (stop >= 0 && begin >= stop) {
            cut.stoppedBefore = begin;
            break;
        }
        const CardEnd end = findCardEnd(text, begin + BeginVCard.size());
        const qsizetype endMatch = end.at;
        if (endMatch < 0)
            break;
        qsizetype cardEnd = endMatch + EndVCard.size();
        while (cardEnd < text.size() && breakLength(bytes, text.size(), cardEnd) == 0)
            ++cardEnd;
        if (cardEnd < text.size()) {
            // The card keeps one line-break character.
            const qsizetype length = breakLength(bytes, text.size(), cardEnd);
            cardEnd += static_cast<unsigned char>(bytes[cardEnd]) == 0x0D ? 1 : length;
        }
        if (cardEnd - begin < 11)
            break;
        ReadCard slot;
        slot.begin = begin;
        slot.length = cardEnd - begin;
        slot.ownProperties = end.ownProperties;
        cut.cards.push_back(std::move(slot));
        position = cardEnd;
    }
    cut.position = position;
    return cut;
}

// Every card of the text. A large text is walked in two halves at once, the second from a card's
// BEGIN line near the middle; its cards are taken only when the walk of the first half, done as on
// one thread, arrives at that very line (a card within a card, or one without its END, may carry
// the first walk past it), and the second half is walked again from where the first one ended.
Cut cutCards(const QByteArray &text)
{
    const qsizetype middle
        = text.size() >= ParallelCutFrom ? indexAtLineStart(text, BeginVCard, text.size() / 2) : -1;
    if (middle <= 0)
        return cutFrom(text, 0, -1);
    Cut halves[2];
    ChunkedWork::run(2, 2,
        [&](qsizetype i, int) { halves[i] = cutFrom(text, i == 0 ? 0 : middle, i == 0 ? middle : -1); }, {});
    Cut &first = halves[0];
    if (first.stoppedBefore != middle) {
        if (first.stoppedBefore < 0)
            return std::move(first); // the walk ended before the middle, as it would on one thread
        halves[1] = cutFrom(text, first.position, -1);
    }
    Cut &second = halves[1];
    first.cards.insert(first.cards.end(), std::make_move_iterator(second.cards.begin()),
        std::make_move_iterator(second.cards.end()));
    first.position = second.position;
    first.stoppedBefore = -1;
    return std::move(first);
}

// Everything a card yields on its own: its categories, and its records or why there are none.
void readCard(const QByteArray &text, ReadCard &slot, const ObservedVCardRead::Observer &observer)
{
    const unsigned ownProperties = slot.ownProperties;
    const QByteArray card = QByteArray::fromRawData(text.constData() + slot.begin, slot.length);
    QString error;
    // The record keeps a few strings of the contact until its values are built from the card again.
    // The properties read here are rare: a card is looked at for them only when its lines name one,
    // the categories and joint names as the parser cuts the card into properties, the layouts after.
    VCardOwnProperties own;
    bool renmeiSeen = false;
    const unsigned parsedKinds
        = ownProperties & (VCardOwnProperties::Categories | VCardOwnProperties::Renmei);
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(card, &error,
        VCardSerialization::Images::Read, VCardSerialization::Strings::Separate,
        parsedKinds ? [&](const VCardCard &read) { own.addFromCard(read, parsedKinds, &renmeiSeen); }
                    : std::function<void(const VCardCard &)>());
    if (ownProperties & VCardOwnProperties::Layouts)
        own.layouts = VCardOwnProperties::read(card, VCardOwnProperties::Layouts).layouts;
    slot.categories = sharedNames(own.categories);
    if (contacts.isEmpty()) {
        slot.error
            = error.isEmpty() ? QCoreApplication::translate("VCardReader", "no contact in the card") : error;
        return;
    }
    for (const StoreContact &contact : contacts) {
        // A card of one contact is parsed where it lies in the text; its record keeps a share of the
        // text to build its values from when they are first asked for. Cards within a card are not
        // told apart that way, and their records are built at once.
        auto person = contacts.size() == 1 ? ZRPerson::fromCard(contact, text, slot.begin, slot.length)
                                           : ZRPerson::fromStoreContact(contact);
        person->setCreated(true);
        if (own.renmei)
            person->setValueForIdentifier(*own.renmei, Ident::Renmei);
        if (!own.layouts.isEmpty())
            applyLayouts(own.layouts, *person);
        if (observer)
            observer(contact, *person);
        slot.persons.append(std::move(person));
    }
}

} // namespace

ContactContainerPtr ZRvCard::makeVCardContainer()
{
    auto container = std::make_shared<ContactContainer>();
    container->name = ContainerText::VCardContainerName;
    container->type = 1;
    auto top = std::make_shared<ContactGroup>();
    top->top = true;
    top->name = ContainerText::AllContacts;
    top->containerName = ContainerText::VCardContainerName;
    top->contactTable = ContactTable();
    container->groups.append(top);
    return container;
}

std::optional<ContainerTable> ZRvCard::containersFromVCards(
    const QString &text, const ProgressHandler &handler, QList<CardProblem> *problems) const
{
    return containersFromVCards(text.toUtf8(), handler, problems);
}

std::optional<ContainerTable> ZRvCard::containersFromVCards(
    const QByteArray &text, const ProgressHandler &handler, QList<CardProblem> *problems) const
{
    return ObservedVCardRead::containersFromVCards(text, handler, problems, {});
}

std::optional<ContainerTable> ObservedVCardRead::containersFromVCards(const QByteArray &text,
    const ZRvCard::ProgressHandler &handler, QList<ZRvCard::CardProblem> *problems, const Observer &observer)
{
    ContactContainerPtr container = ZRvCard::makeVCardContainer();
    const ContainerTable result { container };
    if (text.size() < 11)
        return result;

    // Where the cards lie, found first: each card is then read on its own, several at a time.
    Cut cut = cutCards(text);
    std::vector<ReadCard> &cards = cut.cards;
    const qsizetype position = cut.position;

    const qsizetype count = qsizetype(cards.size());
    const int chunks = ChunkedWork::chunksFor(count, ParallelReadFrom / 2);
    const auto item = [&](qsizetype i, int) { readCard(text, cards[size_t(i)], observer); };
    // The handler hears of the text consumed in proportion to the cards read, which come in no
    // single order when several threads read them.
    const auto progress = [&](qsizetype done) {
        if (!handler)
            return true;
        bool stop = false;
        handler(&stop, done >= count ? position : position * done / qMax(count, qsizetype(1)));
        return !stop;
    };
    if (!ChunkedWork::run(count, count >= ParallelReadFrom ? chunks : 1, item, progress))
        return std::nullopt;

    ContactTable &topTable = *container->groups.first()->contactTable;
    topTable.reserve(count);
    QHash<QString, ContactGroupPtr> groupsByName;
    int cardNumber = 0;
    for (ReadCard &slot : cards) {
        ++cardNumber;
        // Categories make their groups even when the card itself fails.
        QList<ContactGroupPtr> cardGroups;
        for (const QString &name : std::as_const(slot.categories)) {
            ContactGroupPtr &found = groupsByName[name];
            if (!found) {
                found = container->groups.first()->name == name ? container->groups.first()
                                                                : categoryGroup(name);
                if (!found->top)
                    container->groups.append(found);
            }
            // A category named twice on one card still lists the contact once in its group.
            if (!cardGroups.contains(found))
                cardGroups.append(found);
        }
        if (slot.persons.isEmpty() && problems)
            problems->append({ cardNumber, slot.error });
        for (std::shared_ptr<ZRPerson> &person : slot.persons) {
            auto entry = std::make_shared<ContactEntry>();
            entry->person = std::move(person);
            entry->uniqueId = entry->person->uniqueId();
            entry->isNew = true;
            topTable.append(entry);
            for (const ContactGroupPtr &group : std::as_const(cardGroups)) {
                if (group->top)
                    continue; // a category named like the top group is the top group itself
                // Each group holds an entry of its own over the shared record: a deletion mark set in
                // one group must not hide the contact in the others.
                group->contactTable->append(std::make_shared<ContactEntry>(*entry));
            }
        }
    }
    return result;
}

ContactTable *ZRvCard::contactsInContainer(const ContactContainer &container)
{
    if (container.name != ContainerText::VCardContainerName || container.groups.isEmpty())
        return nullptr;
    auto &table = container.groups.first()->contactTable;
    return table ? &*table : nullptr;
}

ContactTable *ZRvCard::contactsForGroup(const ContactGroup &group, const ContactContainer &container)
{
    if (container.name != ContainerText::VCardContainerName)
        return nullptr;
    for (const ContactGroupPtr &candidate : container.groups) {
        if (candidate->uniqueId == group.uniqueId && candidate->contactTable)
            return &*candidate->contactTable;
    }
    return nullptr;
}
