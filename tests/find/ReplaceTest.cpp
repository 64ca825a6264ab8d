#include "FindTestSupport.h"
#include "find/FindController.h"
#include "find/ReplaceOperations.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

class ReplaceTest : public FindFixture
{
};

TEST_F(ReplaceTest, CurrentMatchIsReplacedInThePartThatHoldsIt)
{
    load(card(u"Smith;John;;;"_s, u"TEL:555-1234\r\n"_s), { u"Name"_s, u"Phone"_s, u"Instant Message"_s });
    ZRPerson &person = *entry(0)->person;
    person.setNameOrdering(1);
    person.addLabeledValue(QVariantMap { { Key::Label, u"home"_s }, { Key::Value, u"sky"_s },
                               { CN::InstantMessageAddressServiceKey, u"Skype"_s } },
        Ident::InstantMessage);
    FindController find(controller, table);

    auto m = find.findNextString(u"smi"_s, false);
    ASSERT_TRUE(m);
    ASSERT_EQ(m->range.location, 5);
    EXPECT_TRUE(find.replaceByString(u"Bla"_s, *m));
    EXPECT_EQ(person.valueForIdentifier(Ident::LastName).toString(), u"Blath"_s);
    EXPECT_EQ(person.valueForIdentifier(Ident::FirstName).toString(), u"John"_s);

    // The service part of an instant-message cell is never replaced; the user name is.
    FindMatch im { entry(0), entry(0)->uniqueId, Ident::InstantMessage, CN::InstantMessageAddressServiceKey,
        0, { 0, 3 }, FindRange { 0, 3 } };
    find.replaceByString(u"XXX"_s, im);
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::IMSservicename, 0), u"Skype"_s);
    im.subIdentifier = CN::InstantMessageAddressUsernameKey;
    im.range = { 6, 3 };
    EXPECT_TRUE(find.replaceByString(u"cloud"_s, im));
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::IMSusername, 0), u"cloud"_s);

    // A range that no longer fits the value changes nothing.
    const int steps = controller.undoManager().undoCount();
    FindMatch stale { entry(0), entry(0)->uniqueId, Ident::Phone, {}, 0, { 7, 20 }, {} };
    EXPECT_FALSE(find.replaceByString(u"0"_s, stale));
    EXPECT_EQ(controller.undoManager().undoCount(), steps);

    // Find bar Replace: replaces the phone match and moves on.
    find.setReplaceString(u"9"_s);
    find.setSelectedItemAndRange(std::nullopt);
    ASSERT_TRUE(find.findNextString(u"555"_s, false));
    find.replace();
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0).left(1), u"9"_s);
}

TEST_F(ReplaceTest, ReplaceAllIsOneUndoStep)
{
    QString text;
    for (int i = 0; i < 4; ++i)
        text += card(u"Foo%1;Ann;;;"_s.arg(i), u"EMAIL:foo@x.jp\r\nADR:;;Foo Road;;;;\r\nNOTE:foo\r\n"_s);
    text += card(u"Bar;Bo;;;"_s);
    load(text, { u"Name"_s, u"Email"_s, u"Address"_s, u"ZIP"_s });
    FindController find(controller, table);
    find.setFindString(QString());
    EXPECT_EQ(find.replaceAll(), 0); // empty find text: nothing
    EXPECT_EQ(controller.undoManager().undoCount(), 0);

    find.setFindString(u"FOO"_s);
    find.setReplaceString(u"Zap"_s);
    EXPECT_EQ(find.replaceAll(), 12); // name, e-mail and street of four contacts; Note is no column
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    ZRPerson &p = *entry(2)->person;
    EXPECT_EQ(p.valueForIdentifier(Ident::LastName).toString(), u"Zap2"_s);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Email, 0), u"Zap@x.jp"_s);
    EXPECT_EQ(p.stringValueForIdentifierAtLabelIndex(Ident::Street, 0), u"Zap Road"_s);
    EXPECT_EQ(p.valueForIdentifier(Ident::Note).toString(), u"foo"_s);

    controller.undo();
    for (int i = 0; i < 4; ++i) {
        ZRPerson &q = *entry(i)->person;
        EXPECT_EQ(q.valueForIdentifier(Ident::LastName).toString(), u"Foo%1"_s.arg(i));
        EXPECT_EQ(q.stringValueForIdentifierAtLabelIndex(Ident::Email, 0), u"foo@x.jp"_s);
        EXPECT_EQ(q.stringValueForIdentifierAtLabelIndex(Ident::Street, 0), u"Foo Road"_s);
    }

    // Case-sensitive: nothing of "FOO" in the restored data.
    find.setCaseInsensitive(false);
    EXPECT_EQ(find.replaceAll(), 0);
}
