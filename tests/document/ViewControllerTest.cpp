#include "document/ViewController.h"

#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Ann is in Friends and Golf, Bob in Friends.
class ViewControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString text
            = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
              "TEL;TYPE=HOME:111\r\nTEL;TYPE=WORK:222\r\nCATEGORIES:Friends,Golf\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nFN:Bob Ray\r\nCATEGORIES:Friends\r\n"
              "END:VCARD\r\n"_s;
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        container = controller.containerTable().first();
        top = container->groups.at(0);
        friends = container->groups.at(1);
        golf = container->groups.at(2);
        ann = top->contactTable->at(0);
        bob = top->contactTable->at(1);
    }

    static int visible(const ContactGroupPtr &group)
    {
        int n = 0;
        for (const auto &entry : *group->contactTable)
            n += entry->deleted ? 0 : 1;
        return n;
    }

    ViewController controller;
    ContactContainerPtr container;
    ContactGroupPtr top, friends, golf;
    ContactEntryPtr ann, bob;
};

} // namespace

TEST_F(ViewControllerTest, DeletingFromTheTopGroupDeletesEverywhereAndUndoRestoresEverywhere)
{
    controller.deleteContacts({ ann });
    EXPECT_EQ(visible(top), 1);
    EXPECT_EQ(visible(friends), 1);
    EXPECT_EQ(visible(golf), 0);
    EXPECT_EQ(top->contactTable->size(), 2); // kept, marked

    controller.undo();
    EXPECT_EQ(visible(top), 2);
    EXPECT_EQ(visible(friends), 2);
    EXPECT_EQ(visible(golf), 1);
    EXPECT_FALSE(controller.isDocumentEdited());

    controller.redo();
    EXPECT_EQ(visible(golf), 0);
    EXPECT_TRUE(controller.isDocumentEdited());
}

TEST_F(ViewControllerTest, DeletingFromACategoryLeavesTheTopGroupAndUndoShowsItAgain)
{
    controller.setSelectedGroupDict(golf);
    controller.deleteContacts({ golf->contactTable->first() });
    EXPECT_EQ(visible(golf), 0);
    EXPECT_EQ(visible(top), 2);
    EXPECT_EQ(controller.groupNamesOfContact(ann), (QStringList { u"All Contacts"_s, u"Friends"_s }));
    controller.undo();
    EXPECT_EQ(visible(golf), 1);
}

TEST_F(ViewControllerTest, AddingTheSameContactTwiceAppendsOnceAndOnlyRevivesIt)
{
    auto dragged = std::make_shared<ContactEntry>(*bob);
    controller.undoAddContacts({ dragged }, golf);
    EXPECT_EQ(golf->contactTable->size(), 2);
    controller.undoDeleteContacts({ dragged }, golf, true);
    EXPECT_EQ(visible(golf), 1);
    auto again = std::make_shared<ContactEntry>(*bob);
    controller.undoAddContacts({ again }, golf);
    EXPECT_EQ(golf->contactTable->size(), 2);
    EXPECT_EQ(visible(golf), 2);

    // A new contact added to a category also lands in the top group, as a copy.
    auto person = ZRPerson::create();
    auto newcomer = std::make_shared<ContactEntry>();
    newcomer->person = person;
    newcomer->uniqueId = person->uniqueId();
    controller.undoAddContacts({ newcomer }, golf);
    EXPECT_EQ(top->contactTable->size(), 3);
    EXPECT_NE(top->contactTable->last(), newcomer);
    EXPECT_TRUE(top->contactTable->last()->isNew);
}

TEST_F(ViewControllerTest, ValueReplacementsRegisterTheirInversesAndReportChange)
{
    ZRPerson &person = *ann->person;
    EXPECT_FALSE(controller.undoReplaceValue(u"Ann"_s, Ident::FirstName, ann));
    EXPECT_FALSE(controller.undoManager().canUndo());

    EXPECT_TRUE(controller.undoReplaceValue(u"Anna"_s, Ident::FirstName, ann));
    QVariantMap work = person.labeledValueForIdentifierAtLabelIndex(Ident::Phone, 1).toMap();
    work.insert(Key::Value, u"333"_s);
    EXPECT_TRUE(controller.undoReplaceValue(work, Ident::Phone, ann));
    EXPECT_TRUE(controller.undoReplaceValue(u"ACME"_s, Ident::Company, ann));
    EXPECT_FALSE(controller.undoReplaceValue(QVariant(), Ident::Phone, ann)); // logged, nothing changes
    EXPECT_FALSE(controller.undoReplaceValue(u"x"_s, u"Unknown"_s, ann));
    EXPECT_TRUE(person.changed());
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"333"_s);

    controller.undo();
    controller.undo();
    controller.undo();
    EXPECT_EQ(person.valueForIdentifier(Ident::FirstName).toString(), u"Ann"_s);
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"222"_s);
    EXPECT_EQ(person.valueForIdentifier(Ident::Company).toString(), QString());
    EXPECT_FALSE(controller.isDocumentEdited());
    controller.redo();
    EXPECT_TRUE(controller.isDocumentEdited());
}

TEST_F(ViewControllerTest, LabelledAddDeleteAndPhotoUndoGiveBackTheExactValues)
{
    ZRPerson &person = *ann->person;
    const QByteArray original("\xff\xd8 not really a jpeg", 20);
    person.setImageData(original);
    controller.undoReplaceValue(QVariant(), Ident::Photo, ann);
    EXPECT_TRUE(person.imageData().isEmpty());
    controller.undo();
    EXPECT_EQ(person.imageData(), original);

    controller.undoAddLabeledValue(
        QVariantMap { { Key::Label, u"mobile"_s }, { Key::Value, u"999"_s } }, Ident::Phone, ann);
    EXPECT_EQ(person.phoneValues().size(), 3);
    controller.undoDeleteLabeledValue(QVariantMap { { Key::LabelIndex, 0 } }, Ident::Phone, ann);
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), QString());
    controller.undo();
    controller.undo();
    EXPECT_EQ(person.phoneValues().size(), 2);
    EXPECT_EQ(person.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"111"_s);
}

TEST_F(ViewControllerTest, GroupDeletionRenameAndCopyingBetweenRows)
{
    QSignalSpy groupList(&controller, &ViewController::groupListNeedsUpdate);
    controller.undoDeleteGroup(friends, container);
    EXPECT_TRUE(friends->deleted);
    EXPECT_EQ(controller.selectedGroupDict(), top);
    controller.undo();
    EXPECT_FALSE(friends->deleted);
    EXPECT_EQ(container->groups.last(), friends); // back at the end of the list
    EXPECT_EQ(groupList.count(), 2);

    controller.undoChangeGroupName(u"Pals"_s, golf);
    EXPECT_TRUE(golf->groupNameChanged);
    controller.undo();
    EXPECT_EQ(golf->name, u"Golf"_s);

    controller.undoManager().removeAllActions();
    controller.undoReplacePersonByContacts({ ann }, { bob });
    EXPECT_EQ(bob->person->compositeName(), u"Ann Lee"_s);
    EXPECT_EQ(bob->person->phoneValues().size(), 2);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    controller.undo();
    EXPECT_EQ(bob->person->compositeName(), u"Bob Ray"_s);
    EXPECT_TRUE(bob->person->phoneValues().isEmpty());
}

TEST_F(ViewControllerTest, DuplicatesAndDroppedIndexesAddNewRowsSafely)
{
    controller.duplicateContacts({ ann });
    ASSERT_EQ(top->contactTable->size(), 3);
    const ContactEntryPtr copy = top->contactTable->last();
    EXPECT_NE(copy->uniqueId, ann->uniqueId);
    EXPECT_EQ(copy->person->compositeName(), u"Ann Lee"_s);
    EXPECT_EQ(copy->person->phoneValues().size(), 2);

    controller.addContactByStringIndexes(u"1,1,7,-2,x"_s, golf, *top->contactTable);
    EXPECT_EQ(golf->contactTable->size(), 2); // Bob once; out-of-range and junk indexes ignored

    EXPECT_FALSE(controller.addContactByVCardString(u"not a card"_s));
    EXPECT_TRUE(controller.addContactByVCardString(
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cy\r\nN:;Cy;;;\r\nEND:VCARD\r\n"_s));
    EXPECT_EQ(top->contactTable->size(), 4);
}
