#include "model/HeapOptional.h"

#include <QVariantList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// A record's values sit in these slots: a copy must be a value of its own, and a slot told to hold
// nothing must say so, or a record would build or write values it does not have.
TEST(HeapOptionalTest, CopiesAreValuesOfTheirOwn)
{
    HeapOptional<QVariantList> slot;
    EXPECT_FALSE(slot);
    HeapOptional<QVariantList> emptyCopy = slot;
    EXPECT_FALSE(emptyCopy.has_value());

    slot = QVariantList { 1, u"two"_s };
    HeapOptional<QVariantList> copy = slot;
    copy->append(3);
    (*slot)[0] = 10;
    EXPECT_EQ(*slot, (QVariantList { 10, u"two"_s }));
    EXPECT_EQ(*copy, (QVariantList { 1, u"two"_s, 3 }));

    copy = slot; // assigned over a value it already holds
    EXPECT_EQ(*copy, *slot);
    copy = emptyCopy;
    EXPECT_FALSE(copy);
    EXPECT_TRUE(slot);
}

TEST(HeapOptionalTest, HoldsWhatItIsGivenUntilToldToHoldNothing)
{
    HeapOptional<QVariantList> slot;
    QVariantList &made = slot.emplace();
    EXPECT_TRUE(made.isEmpty());
    EXPECT_TRUE(slot);
    slot = QVariantList { u"a"_s };
    EXPECT_EQ(&*slot, &made); // a value given to a full slot goes where the old one was
    EXPECT_EQ(slot->size(), 1);
    slot = std::nullopt;
    EXPECT_FALSE(slot);
    slot = QVariantList {};
    EXPECT_TRUE(slot); // holding an empty list is not holding nothing
    slot.reset();
    EXPECT_FALSE(slot.has_value());
}
