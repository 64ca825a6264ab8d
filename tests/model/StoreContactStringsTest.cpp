// A contact read from a card keeps its text in one block of its own, and nothing of it in the
// reading thread's scratch room, which the next card overwrites.
#include "model/StoreContactStrings.h"

#include "model/CardTextArena.h"
#include "model/VCardSerialization.h"

#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\n"
                        "N:Sato;Taro;;Dr.;\r\n"
                        "FN:Taro Sato\r\n"
                        "ORG:Acme\\, Inc.;Sales\r\n"
                        "NOTE:first line\\nsecond line\r\n"
                        "TEL;TYPE=CELL:+81 90 1234 5678\r\n"
                        "item1.TEL:+81 3 1234 5678\r\n"
                        "item1.X-ABLabel:Ferienhaus\r\n"
                        "item2.ADR;TYPE=HOME:;;1-1 Chiyoda\\nBuilding 7;Chiyoda-ku;Tokyo;100-0001;Japan\r\n"
                        "item2.X-ABADR:jp\r\n"
                        "EMAIL;TYPE=INTERNET:taro@example.com\r\n"
                        "UID:abc-123\r\n"
                        "END:VCARD\r\n";

// The blocks that the contact's strings own or share; literals (the store labels) have none.
QSet<const void *> blocksOf(StoreContact &contact)
{
    QSet<const void *> blocks;
    StoreContactStrings::forEach(contact, [&](QString &text) {
        if (!text.isEmpty() && text.data_ptr().d_ptr())
            blocks.insert(text.data_ptr().d_ptr());
    });
    return blocks;
}

void expectRead(const StoreContact &c)
{
    EXPECT_EQ(c.familyName, u"Sato"_s);
    EXPECT_EQ(c.givenName, u"Taro"_s);
    EXPECT_EQ(c.extras().namePrefix, u"Dr."_s);
    EXPECT_EQ(c.organizationName, u"Acme, Inc."_s);
    EXPECT_EQ(c.departmentName, u"Sales"_s);
    EXPECT_EQ(c.note, u"first line\nsecond line"_s);
    ASSERT_EQ(c.phoneNumbers.size(), 2);
    EXPECT_EQ(c.phoneNumbers[1].label, u"Ferienhaus"_s);
    EXPECT_EQ(c.phoneNumbers[1].value, u"+81 3 1234 5678"_s);
    ASSERT_EQ(c.postalAddresses.size(), 1);
    EXPECT_EQ(c.postalAddresses[0].value.street, u"1-1 Chiyoda\nBuilding 7"_s);
    EXPECT_EQ(c.postalAddresses[0].value.isoCountryCode, u"jp"_s);
    EXPECT_EQ(c.identifier, u"abc-123"_s);
}

} // namespace

TEST(StoreContactStringsTest, ReadContactsKeepTheirTextInOneBlockOutsideTheArena)
{
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(card + card);
    ASSERT_EQ(contacts.size(), 2);
    const CardTextArena::Range arena = CardTextArena::range();
    QSet<const void *> seen;
    for (StoreContact &contact : contacts) {
        expectRead(contact);
        StoreContactStrings::forEach(
            contact, [&](QString &text) { EXPECT_FALSE(arena.holds(text)) << text.toStdString(); });
        const QSet<const void *> blocks = blocksOf(contact);
        EXPECT_EQ(blocks.size(), 1);
        EXPECT_FALSE(seen.intersects(blocks)) << "two contacts share a block";
        seen += blocks;
    }
}

// A reader that keeps a few strings of each contact (a record built later) asks for separate ones.
TEST(StoreContactStringsTest, SeparateStringsEachHaveABlockOfTheirOwn)
{
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(
        card, nullptr, VCardSerialization::Images::Read, VCardSerialization::Strings::Separate);
    ASSERT_EQ(contacts.size(), 1);
    StoreContact &contact = contacts[0];
    expectRead(contact);
    const CardTextArena::Range arena = CardTextArena::range();
    int owned = 0;
    StoreContactStrings::forEach(contact, [&](QString &text) {
        EXPECT_FALSE(arena.holds(text)) << text.toStdString();
        if (!text.isEmpty() && text.data_ptr().d_ptr()) {
            EXPECT_TRUE(text.isDetached()) << text.toStdString();
            ++owned;
        }
    });
    EXPECT_EQ(blocksOf(contact).size(), owned);
}

TEST(StoreContactStringsTest, PackedStringsChangeAndOutliveOneAnother)
{
    StoreContact contact = VCardSerialization::contactsWithData(card).value(0);
    const StoreContact copy = contact;
    contact.givenName.append(u" Jr."_s);
    contact.familyName[0] = u'K';
    EXPECT_EQ(contact.givenName, u"Taro Jr."_s);
    EXPECT_EQ(contact.familyName, u"Kato"_s);
    expectRead(copy); // the copy still reads the block unchanged
    // The last string over a block may grow over text no other string holds any more.
    StoreContact fresh = VCardSerialization::contactsWithData(card).value(0);
    QString note = fresh.note;
    fresh = StoreContact();
    EXPECT_TRUE(note.isDetached());
    note.append(u"!!"_s);
    note.prepend(u"> "_s);
    note.append(QString(500, u'x'));
    EXPECT_EQ(note, u"> first line\nsecond line!!"_s + QString(500, u'x'));
    expectRead(copy);
}

TEST(StoreContactStringsTest, ValuesLargerThanTheArenaAreReadAsWell)
{
    const QByteArray longNote(CardTextArena::Capacity + 100, 'n');
    const QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;B\r\nNOTE:" + longNote
        + "\r\nTITLE:after the note\r\nEND:VCARD\r\n";
    const StoreContact contact = VCardSerialization::contactsWithData(text).value(0);
    EXPECT_EQ(contact.note, QString::fromLatin1(longNote));
    EXPECT_EQ(contact.jobTitle, u"after the note"_s);
    EXPECT_EQ(contact.familyName, u"A"_s);
}

TEST(StoreContactStringsTest, EachThreadReadsIntoItsOwnArena)
{
    QByteArray text;
    for (int i = 0; i < 300; ++i)
        text += QByteArray(card).replace("abc-123", "uid-" + QByteArray::number(i));
    QList<StoreContact> results[2];
    std::thread other([&] { results[1] = VCardSerialization::contactsWithData(text); });
    results[0] = VCardSerialization::contactsWithData(text);
    other.join();
    ASSERT_EQ(results[0].size(), 300);
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[1][299].identifier, u"uid-299"_s);
}

TEST(StoreContactStringsTest, ArenaGivesRoomOnlyInsideAScope)
{
    EXPECT_EQ(CardTextArena::room(4), nullptr);
    {
        const CardTextArena::Scope outer;
        char16_t *first = CardTextArena::room(3);
        ASSERT_NE(first, nullptr);
        std::copy_n(u"abc", 3, first);
        const QString abc = CardTextArena::take(first, 3);
        EXPECT_EQ(abc, u"abc"_s);
        EXPECT_TRUE(CardTextArena::range().holds(abc));
        {
            // An inner scope neither empties the outer one's room nor ends it.
            const CardTextArena::Scope inner;
            EXPECT_EQ(CardTextArena::room(1), first + 4);
        }
        EXPECT_EQ(CardTextArena::room(1), first + 4);
        EXPECT_EQ(abc, u"abc"_s);
        EXPECT_EQ(CardTextArena::room(CardTextArena::Capacity), nullptr);
        EXPECT_TRUE(CardTextArena::take(CardTextArena::room(0), 0).isEmpty());
    }
    EXPECT_EQ(CardTextArena::room(1), nullptr);
}
