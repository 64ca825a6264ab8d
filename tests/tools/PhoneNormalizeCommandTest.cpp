#include "tools/PhoneNormalizeCommand.h"

#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PhoneNormalizeCommandTest, RewritesEveryRowsNumberInOneUndoStep)
{
    ViewController controller;
    controller.setContainerTable(*ZRvCard().containersFromVCards(
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nTEL;TYPE=HOME:0312345678\r\n"
        "TEL;TYPE=WORK:(03) 1234-5678\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nFN:Bob Ray\r\nTEL:09012345678\r\nEND:VCARD\r\n"_s));
    const ContactTable &contacts = *controller.selectedGroupDict()->contactTable;
    const ContactTable rows = PhoneNormalizeCommand::phoneRowsOf(contacts);
    ASSERT_EQ(rows.size(), 3);

    const int changed = PhoneNormalizeCommand::normalizePhoneNumber(
        controller, rows, NormalizePhoneNumber::Layout::FourPlusFour);
    EXPECT_EQ(changed, 2); // the work number is already in this layout
    ZRPerson &ann = *contacts.first()->person;
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"(03) 1234-5678"_s);
    EXPECT_EQ(ann.labeledValueForIdentifierAtIndex(Ident::Phone, 0).toMap().value(Key::Label), u"home"_s);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    EXPECT_TRUE(controller.isDocumentEdited());

    controller.undo();
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"0312345678"_s);
    EXPECT_EQ(
        contacts.last()->person->stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"09012345678"_s);
}
