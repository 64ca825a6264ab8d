// Files of many cards: each card read through buffers kept from card to card, and written in the
// table's order; what comes out must be what reading or writing each card alone gives.
#include "formats/VCardExport.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// Many cards, with categories spread over them and a card that fails now and then.
QString manyCards(int count)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i % 97 == 50) {
            text += u"BEGIN:VCARD\r\nEND:VCARD\r\n"_s; // holds nothing to read
            continue;
        }
        text += u"BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-%1\r\nN:Family%1;Given;;;\r\nFN:Given Family%1\r\n"
                u"TEL;TYPE=CELL:+81-90-%1\r\nADR;TYPE=HOME:;;%1 Main Street;Springfield;;12345;\r\n"_s.arg(i);
        if (i % 3 == 0)
            text += u"CATEGORIES:Every third\r\n"_s;
        if (i % 5 == 0)
            text += u"CATEGORIES:Every fifth,Every third\r\n"_s;
        if (i % 7 == 0)
            text += u"X-RENMEI:Partner%1\r\n"_s.arg(i);
        text += u"END:VCARD\r\n"_s;
    }
    return text;
}

QStringList idsOf(const ContactTable &table)
{
    QStringList ids;
    for (const ContactEntryPtr &entry : table)
        ids << entry->uniqueId;
    return ids;
}

} // namespace

TEST(ManyCardsTest, ReadingKeepsTheCardOrderGroupsAndProblems)
{
    const int count = 1500;
    QList<ZRvCard::CardProblem> problems;
    QList<qsizetype> positions;
    const auto read = ZRvCard().containersFromVCards(
        manyCards(count), [&](bool *, qsizetype position) { positions << position; }, &problems);
    ASSERT_TRUE(read.has_value());
    const ContactContainer &container = *read->first();

    // Every card, in the file's order, reported once with a position that only grows.
    ASSERT_EQ(positions.size(), count);
    EXPECT_TRUE(std::is_sorted(positions.cbegin(), positions.cend()));
    QStringList expected;
    QList<int> failed;
    for (int i = 0; i < count; ++i) {
        if (i % 97 == 50)
            failed << i + 1;
        else
            expected << u"card-%1"_s.arg(i);
    }
    EXPECT_EQ(idsOf(*container.groups.first()->contactTable), expected);
    ASSERT_EQ(problems.size(), failed.size());
    for (qsizetype i = 0; i < problems.size(); ++i)
        EXPECT_EQ(problems.at(i).cardNumber, failed.at(i));

    // Groups in the order their names first appear.
    QStringList names;
    for (const ContactGroupPtr &group : container.groups)
        names << group->name;
    EXPECT_EQ(names, (QStringList { u"All Contacts"_s, u"Every third"_s, u"Every fifth"_s }));
    // Card 0 names "Every third" on two lines and is listed once.
    QStringList thirds;
    for (int i = 0; i < count; ++i) {
        if ((i % 3 == 0 || i % 5 == 0) && i % 97 != 50)
            thirds << u"card-%1"_s.arg(i);
    }
    EXPECT_EQ(idsOf(*container.groups.at(1)->contactTable), thirds);

    // The records themselves, joint names included, came out of the right cards.
    for (const ContactEntryPtr &entry : *container.groups.first()->contactTable) {
        const int i = entry->uniqueId.sliced(5).toInt();
        ASSERT_EQ(entry->person->valueForIdentifier(Ident::LastName).toString(), u"Family%1"_s.arg(i));
        ASSERT_EQ(entry->person->valueForIdentifier(Ident::Renmei).toString(),
            i % 7 == 0 ? u"Partner%1"_s.arg(i) : QString());
    }
}

TEST(ManyCardsTest, StoppingInTheMiddleYieldsNothing)
{
    int calls = 0;
    const auto stopped = ZRvCard().containersFromVCards(
        manyCards(1200), [&](bool *stop, qsizetype) { *stop = ++calls == 700; });
    EXPECT_FALSE(stopped.has_value());
    EXPECT_EQ(calls, 700);
}

TEST(ManyCardsTest, ExportWritesEveryEntryInOrderAsCardByCardWould)
{
    const auto read = ZRvCard().containersFromVCards(manyCards(1200));
    ASSERT_TRUE(read.has_value());
    const ContactContainer &container = *read->first();
    ContactTable entries = *container.groups.first()->contactTable;
    // One record listed twice is written twice.
    entries.insert(10, entries.at(3));
    entries.insert(11, std::make_shared<ContactEntry>()); // an entry without a record writes nothing

    const QStringList options { VCardExport::Option::Note, VCardExport::Option::Renmei };
    QByteArray expected;
    for (const ContactEntryPtr &entry : entries) {
        if (!entry->person)
            continue;
        QStringList groups;
        for (const ContactGroupPtr &group : container.groups) {
            if (group->top)
                continue;
            for (const ContactEntryPtr &member : *group->contactTable) {
                if (member->uniqueId == entry->uniqueId) {
                    groups << group->name;
                    break;
                }
            }
        }
        expected += VCardExport::vCardFromPerson(*entry->person, options, groups);
    }
    QList<qsizetype> seen;
    const auto written = VCardExport::vCardsFromContacts(
        entries, options, &container, [&](bool *, qsizetype i) { seen << i; });
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, expected);
    EXPECT_EQ(seen.size(), entries.size());
    EXPECT_EQ(seen.last(), entries.size() - 1);

    int calls = 0;
    const auto stopped = VCardExport::vCardsFromContacts(
        entries, options, &container, [&](bool *stop, qsizetype) { *stop = ++calls == 600; });
    EXPECT_FALSE(stopped.has_value());
}

TEST(ManyCardsTest, LargeExportsWrittenSideBySideComeOutAsCardByCard)
{
    // Enough contacts for the export to share them out to every core there is.
    const auto read = ZRvCard().containersFromVCards(manyCards(9000));
    ASSERT_TRUE(read.has_value());
    const ContactContainer &container = *read->first();
    const ContactTable &entries = *container.groups.first()->contactTable;
    const QStringList options = VCardExport::fileExportOptions();

    QHash<QString, QStringList> groupsOf;
    for (const ContactGroupPtr &group : container.groups) {
        for (const ContactEntryPtr &member : *group->contactTable) {
            if (!group->top)
                groupsOf[member->uniqueId] << group->name;
        }
    }
    QByteArray expected;
    for (const ContactEntryPtr &entry : entries)
        expected += VCardExport::vCardFromPerson(*entry->person, options, groupsOf.value(entry->uniqueId));

    const auto caller = std::this_thread::get_id();
    bool onCaller = true;
    qsizetype last = -1;
    bool growing = true;
    const auto written
        = VCardExport::vCardsFromContacts(entries, options, &container, [&](bool *, qsizetype i) {
              onCaller = onCaller && std::this_thread::get_id() == caller;
              growing = growing && i >= last;
              last = i;
          });
    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(*written == expected);
    EXPECT_TRUE(onCaller);
    EXPECT_TRUE(growing);
    EXPECT_EQ(last, entries.size() - 1);

    // Records whose values are built are written from them, and write the same.
    for (const ContactEntryPtr &entry : entries)
        entry->person->phoneValues();
    const auto built = VCardExport::vCardsFromContacts(entries, options, &container);
    ASSERT_TRUE(built.has_value());
    EXPECT_TRUE(*built == expected);

    // A record listed twice in a large table is written twice, in place.
    ContactTable twice = entries;
    twice.append(entries.first());
    const auto again = VCardExport::vCardsFromContacts(twice, options, &container);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(*again
        == expected
            + VCardExport::vCardFromPerson(
                *entries.first()->person, options, groupsOf.value(entries.first()->uniqueId)));

    int calls = 0;
    const auto stopped = VCardExport::vCardsFromContacts(
        entries, options, &container, [&](bool *stop, qsizetype) { *stop = ++calls == 100; });
    EXPECT_FALSE(stopped.has_value());
    EXPECT_EQ(calls, 100);
}

namespace {

QByteArray plainCards(int first, int count)
{
    QByteArray text;
    for (int i = first; i < first + count; ++i)
        text += "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:card-" + QByteArray::number(i) + "\r\nN:Family"
            + QByteArray::number(i)
            + ";Given;;;\r\nTEL:+81-3-1234-5678\r\nNOTE:a note long enough to make the card its usual "
              "size\r\n"
              "END:VCARD\r\n";
    return text;
}

// Lines of a card that no field holds, enough of them to span the middle of a large file.
QByteArray filler(qsizetype bytes)
{
    const QByteArray line = "X-FILLER:" + QByteArray(61, 'x') + "\r\n";
    QByteArray text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

QStringList idsRead(const QByteArray &text)
{
    const auto read = ZRvCard().containersFromVCards(text);
    return read ? idsOf(*read->first()->groups.first()->contactTable) : QStringList { u"(stopped)"_s };
}

} // namespace

// A large file is cut into cards from both ends of its middle at once: whatever lies across the
// middle, the cards must be those a walk from the start finds.
TEST(ManyCardsTest, LargeFilesAreCutIntoTheCardsOfAWalkFromTheStart)
{
    // The filler of the cards below spans the middle of the whole: 80 KB + 2.6 MB + 2.5 MB.
    const QByteArray before = plainCards(0, 500);
    const QByteArray after = plainCards(1000, 16000);

    // Plain cards only: the middle falls between two of them.
    const QByteArray plain = plainCards(0, 32000);
    ASSERT_GT(plain.size(), 4 * 1024 * 1024);
    QStringList expected;
    for (int i = 0; i < 32000; ++i)
        expected << u"card-%1"_s.arg(i);
    EXPECT_EQ(idsRead(plain), expected);

    // A card holding a card, the inner one's BEGIN the first after the middle.
    const QByteArray holding = "BEGIN:VCARD\r\nVERSION:2.1\r\nUID:outer\r\nN:Outer;Ann\r\n"
        + filler(2'600'000)
        + "AGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\nUID:inner\r\nN:Inner;Bob\r\nEND:VCARD\r\nEND:VCARD\r\n";
    const QStringList holdingIds = idsRead(holding);
    ASSERT_FALSE(holdingIds.isEmpty());
    EXPECT_EQ(idsRead(before + holding + after), idsRead(before) + holdingIds + idsRead(after));

    // A card without its END before the middle: it runs to the END of the card after it.
    const QByteArray unended = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:unended\r\nN:Unended;Cy\r\n"
        + filler(2'600'000) + plainCards(900, 1);
    EXPECT_EQ(idsRead(before + unended + after), idsRead(before) + idsRead(unended) + idsRead(after));

    // A card without its END whose BEGIN no END follows: the walk from the start ends there.
    const QByteArray lastUnended
        = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:last\r\nN:Last;Di\r\n" + filler(100) + plainCards(950, 0);
    const QByteArray stopsEarly = before + filler(2'600'000) + after + lastUnended;
    EXPECT_EQ(idsRead(stopsEarly), idsRead(before) + idsRead(after));
}
