#include "model/StoreContact.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QList<StoreContact> read(const char *text)
{
    return VCardSerialization::contactsWithData(QByteArray(text));
}

} // namespace

TEST(StoreContactExtrasTest, CopiesShareUntilOneWritesAndCompareByValue)
{
    StoreContact a;
    EXPECT_FALSE(a.hasExtras());
    EXPECT_TRUE(a.extras().nickname.isEmpty()) << "reading gives empty extras";
    EXPECT_FALSE(a.hasExtras()) << "and makes none";

    a.editExtras().nickname = u"Taro"_s;
    a.editExtras().dates.append({ u"x"_s, { 2000, 1, 2 } });
    StoreContact b = a;
    EXPECT_EQ(&a.extras(), &b.extras()) << "a copy shares the extras";
    b.editExtras().nickname = u"Jiro"_s;
    EXPECT_NE(&a.extras(), &b.extras());
    EXPECT_EQ(a.extras().nickname, u"Taro"_s) << "writing the copy leaves the original alone";
    EXPECT_EQ(b.extras().dates, a.extras().dates);

    // Extras made and emptied again equal none at all; values decide, not pointers.
    StoreContact empty;
    StoreContact emptied;
    emptied.editExtras().nickname = u"x"_s;
    emptied.editExtras().nickname.clear();
    EXPECT_EQ(empty, emptied);
    EXPECT_EQ(emptied, empty);
    b.editExtras().nickname = u"Taro"_s;
    EXPECT_EQ(a, b);
    b.editExtras().imageData = "\x01";
    EXPECT_NE(a, b);
}

TEST(StoreContactExtrasTest, ReadingAndWritingMakeExtrasOnlyForValues)
{
    // Empty components and empty values make none; each field that has a value makes them.
    const QList<StoreContact> contacts = read("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;;;\r\nNICKNAME:\r\n"
                                              "X-MAIDENNAME: \r\nTEL;TYPE=CELL:1\r\nEND:VCARD\r\n"
                                              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;Q;;\r\nEND:VCARD\r\n"
                                              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;;;;\r\n"
                                              "X-ABDATE:2001-02-03\r\nEND:VCARD\r\n");
    ASSERT_EQ(contacts.size(), 3);
    EXPECT_FALSE(contacts[0].hasExtras());
    EXPECT_EQ(contacts[1].extras().middleName, u"Q"_s);
    EXPECT_EQ(contacts[2].extras().dates.size(), 1);

    // A record written back to a store contact makes extras only when it has values for them,
    // whether its values were built or are still read from its card.
    EXPECT_FALSE(ZRPerson::fromStoreContact(contacts[0])->contactFromCache().hasExtras());
    const QByteArray plainCard = VCardSerialization::dataWithContacts({ contacts[0] });
    EXPECT_FALSE(
        ZRPerson::fromCard(contacts[0], plainCard, 0, plainCard.size())->contactFromCache().hasExtras());
    const QByteArray datedCard = VCardSerialization::dataWithContacts({ contacts[2] });
    const auto dated = ZRPerson::fromCard(contacts[2], datedCard, 0, datedCard.size());
    ASSERT_TRUE(dated->hasUnbuiltValues());
    EXPECT_EQ(dated->contactFromCache().extras().dates.size(), 1);
    const auto text = VCardSerialization::dataWithContacts(contacts);
    const QList<StoreContact> again = VCardSerialization::contactsWithData(text);
    ASSERT_EQ(again.size(), 3);
    EXPECT_FALSE(again[0].hasExtras());
    EXPECT_EQ(again[1], contacts[1]);
    EXPECT_EQ(again[2].extras().dates, contacts[2].extras().dates);
}
