#include "formats/ZRvCard.h"

#include "formats/ChunkedWork.h"
#include "model/Identifiers.h"
#include "model/VCardLineReader.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSet>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView BeginVCard = "BEGIN:VCARD";
constexpr QByteArrayView EndVCard = "END:VCARD";
const QString RenmeiProperty = u"\nX-RENMEI:"_s;
const QString LayoutsProperty = u"\nX-HAGAKILAYOUTS:"_s;
const QString CategoriesProperty = u"\nCATEGORIES:"_s;

bool isNewline(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// The end of the line that starts at position, its terminator included.
qsizetype lineEnd(const QString &text, qsizetype position)
{
    const qsizetype size = text.size();
    while (position < size && !isNewline(text.at(position)))
        ++position;
    if (position < size) {
        if (text.at(position) == u'\r' && position + 1 < size && text.at(position + 1) == u'\n')
            ++position;
        ++position;
    }
    return position;
}

// The length of the line break at position in UTF-8 text (LF, VT, FF, CR, NEL, LS, PS, as the
// text's own line breaks are counted), 0 when there is none; CR LF counts as one break.
qsizetype breakLength(const char *bytes, qsizetype size, qsizetype position)
{
    const auto c = static_cast<unsigned char>(bytes[position]);
    if (c >= 0x0A && c <= 0x0D)
        return c == 0x0D && position + 1 < size && bytes[position + 1] == '\n' ? 2 : 1;
    if (c == 0xC2)
        return position + 1 < size && static_cast<unsigned char>(bytes[position + 1]) == 0x85 ? 2 : 0;
    if (c == 0xE2 && position + 2 < size && static_cast<unsigned char>(bytes[position + 1]) == 0x80) {
        const auto d = static_cast<unsigned char>(bytes[position + 2]);
        return d == 0xA8 || d == 0xA9 ? 3 : 0;
    }
    return 0;
}

// The start of the line after the one position lies in (the text's end when there is none).
qsizetype nextLineStart(const char *bytes, qsizetype size, qsizetype position)
{
    while (position < size) {
        const auto c = static_cast<unsigned char>(bytes[position]);
        // Every break begins with one of these bytes; the others are skipped without a closer look.
        if ((c >= 0x0A && c <= 0x0D) || c == 0xC2 || c == 0xE2) {
            if (const qsizetype length = breakLength(bytes, size, position)) {
                // A lone CR ends a line on its own; CR LF is one break.
                return position + (c == 0x0D ? (length == 2 ? 2 : 1) : length);
            }
        }
        ++position;
    }
    return size;
}

bool atLineStart(const char *bytes, qsizetype position)
{
    if (position == 0)
        return true;
    const auto c = static_cast<unsigned char>(bytes[position - 1]);
    if (c >= 0x0A && c <= 0x0D)
        return true;
    if (c == 0x85 && position >= 2 && static_cast<unsigned char>(bytes[position - 2]) == 0xC2)
        return true;
    return (c == 0xA8 || c == 0xA9) && position >= 3
        && static_cast<unsigned char>(bytes[position - 3]) == 0xE2
        && static_cast<unsigned char>(bytes[position - 2]) == 0x80;
}

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

ContactGroupPtr categoryGroup(const QString &name)
{
    auto group = std::make_shared<ContactGroup>();
    group->name = name;
    group->containerName = ContainerText::LocalContainerName;
    group->uniqueId = u"%1-%2"_s.arg(name, QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    group->contactTable = ContactTable();
    return group;
}

// The value of the property whose name ends at valueStart, its continuation lines joined and its
// final line break dropped; escapes are kept.
QString unfoldedValue(const QString &card, qsizetype lineStart, qsizetype valueStart)
{
    const qsizetype end = lineStart + ZRvCard::retriveVCardElement(card, lineStart);
    QString value;
    value.reserve(end - valueStart);
    for (qsizetype i = valueStart; i < end; ++i) {
        const QChar c = card.at(i);
        if (!isNewline(c)) {
            value.append(c);
            continue;
        }
        if (c == u'\r' && i + 1 < end && card.at(i + 1) == u'\n')
            ++i;
        if (i + 1 < end && card.at(i + 1) == u' ')
            ++i; // a folded line: the break and the space that marks the continuation go
        else
            break;
    }
    return value;
}

// The joint names: the X-RENMEI value, unfolded and unescaped.
void applyRenmei(const QString &card, ZRPerson &person)
{
    const qsizetype at = card.indexOf(RenmeiProperty);
    if (at < 0)
        return;
    const QString value = unfoldedValue(card, at + 1, at + RenmeiProperty.size());
    if (value.isEmpty())
        return;
    person.setValueForIdentifier(VCardLineReader::unescape(value), Ident::Renmei);
}

// One layout string per non-empty line, matched to the addresses by position.
void applyLayouts(const QString &card, ZRPerson &person)
{
    const qsizetype at = card.indexOf(LayoutsProperty);
    if (at < 0)
        return;
    const qsizetype start = at + 1;
    const qsizetype firstValue = start + LayoutsProperty.size() - 1;
    if (firstValue >= card.size() || isNewline(card.at(firstValue)))
        return;
    const qsizetype length = ZRvCard::retriveVCardElement(card, start);
    if (length < 17)
        return;
    QString value = card.mid(firstValue, start + length - firstValue);
    value.replace(u"\r\n "_s, u"\n"_s);
    qsizetype k = 0;
    const qsizetype addresses = person.addressValues().size();
    for (const QString &piece : value.split(u'\n')) {
        const QString layout = piece.trimmed();
        if (layout.isEmpty())
            continue;
        if (k >= addresses)
            break;
        QVariantMap address = person.labeledValueForIdentifierAtIndex(Ident::Address, k).toMap();
        ZRPerson::hagakiLayoutFromLayoutString(address, layout);
        person.replaceLabeledValueAtIndex(address, Ident::Address, k);
        ++k;
    }
}

// Below this many cards a file is read quickly enough on one thread.
constexpr qsizetype ParallelReadFrom = 2048;

// One card of the text: where it lies, and what came of it.
struct ReadCard
{
    qsizetype begin = 0;
    qsizetype length = 0;
    QStringList categories;
    std::shared_ptr<ZRPerson> person;
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

// Everything a card yields on its own: its categories, and its record or why there is none.
void readCard(const QByteArray &text, ReadCard &slot)
{
    // The card is parsed where it lies in the text; its record keeps a share of the text to build
    // its values from when they are first asked for.
    const QByteArray card = QByteArray::fromRawData(text.constData() + slot.begin, slot.length);
    QString error;
    // The record keeps a few strings of the contact until its values are built from the card again.
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(
        card, &error, VCardSerialization::Images::Read, VCardSerialization::Strings::Separate);
    // The private properties are rare: the card becomes a string only when it names one.
    const bool categories = card.contains("\nCATEGORIES:");
    const bool renmei = card.contains("\nX-RENMEI:");
    const bool layouts = card.contains("\nX-HAGAKILAYOUTS:");
    const QString cardText = categories || renmei || layouts ? QString::fromUtf8(card) : QString();
    if (categories)
        slot.categories = sharedNames(ZRvCard::categoryNames(cardText));
    if (contacts.isEmpty()) {
        slot.error
            = error.isEmpty() ? QCoreApplication::translate("VCardReader", "no contact in the card") : error;
        return;
    }
    auto person = ZRPerson::fromCard(contacts.first(), text, slot.begin, slot.length);
    person->setCreated(true);
    if (renmei)
        applyRenmei(cardText, *person);
    if (layouts)
        applyLayouts(cardText, *person);
    slot.person = std::move(person);
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
    ContactContainerPtr container = makeVCardContainer();
    const ContainerTable result { container };
    if (text.size() < 11)
        return result;

    // Where the cards lie, found first: each card is then read on its own, several at a time.
    std::vector<ReadCard> cards;
    qsizetype position = 0;
    while (text.size() - position > 10) {
        const qsizetype begin = indexAtLineStart(text, BeginVCard, position);
        if (begin < 0)
            break;
        const qsizetype endMatch = indexAtLineStart(text, EndVCard, begin + BeginVCard.size());
        if (endMatch < 0)
            break;
        qsizetype cardEnd = endMatch + EndVCard.size();
        const char *bytes = text.constData();
        while (cardEnd < text.size() && breakLength(bytes, text.size(), cardEnd) == 0)
            ++cardEnd;
        if (cardEnd < text.size()) {
            // The card keeps one line-break character.
            const qsizetype length = breakLength(bytes, text.size(), cardEnd);
            cardEnd += static_cast<unsigned char>(bytes[cardEnd]) == 0x0D ? 1 : length;
        }
        if (cardEnd - begin < 11)
            break;
        cards.push_back({ begin, cardEnd - begin, {}, {}, {} });
        position = cardEnd;
    }

    const qsizetype count = qsizetype(cards.size());
    const int chunks = ChunkedWork::chunksFor(count, ParallelReadFrom / 2);
    const auto item = [&](qsizetype i, int) { readCard(text, cards[size_t(i)]); };
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
        if (!slot.person) {
            if (problems)
                problems->append({ cardNumber, slot.error });
            continue;
        }
        auto entry = std::make_shared<ContactEntry>();
        entry->person = std::move(slot.person);
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

QStringList ZRvCard::findCategories2(const QString &card)
{
    QStringList pieces;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = card.indexOf(CategoriesProperty, from);
        if (at < 0)
            break;
        const qsizetype lineStart = at + 1;
        const qsizetype end = lineEnd(card, lineStart);
        if (end - lineStart >= 12)
            pieces += card.mid(lineStart + 11, end - lineStart - 11).split(u',');
        from = lineStart;
    }
    return pieces;
}

QStringList ZRvCard::categoryNames(const QString &card)
{
    QStringList names;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = card.indexOf(CategoriesProperty, from);
        if (at < 0)
            break;
        const QString value = unfoldedValue(card, at + 1, at + CategoriesProperty.size());
        for (const QString &piece : VCardLineReader::components(value, u',', 4096)) {
            const QString name = piece.trimmed();
            if (!name.isEmpty())
                names.append(name);
        }
        from = at + 1;
    }
    return names;
}

qsizetype ZRvCard::retriveVCardElement(const QString &text, qsizetype location)
{
    if (location < 0 || location >= text.size())
        return 0;
    qsizetype lineStart = location;
    while (lineStart > 0 && !isNewline(text.at(lineStart - 1)))
        --lineStart;
    qsizetype end = lineEnd(text, lineStart);
    while (end < text.size() && text.at(end) == u' ')
        end = lineEnd(text, end);
    return end - location;
}
