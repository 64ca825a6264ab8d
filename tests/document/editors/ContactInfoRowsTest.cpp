#include "document/editors/ContactInfoRows.h"

#include "document/DefaultsKeys.h"
#include "document/UserDefaults.h"
#include "document/ViewController.h"
#include "document/ViewTypeTables.h"
#include "document/editors/ContactInfoEdits.h"
#include "formats/VCardExport.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ContactInfoRowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Yamada;Taro;;;\r\nFN:Taro Yamada\r\n"
                             "TEL;TYPE=HOME:03-1234-5678\r\nTEL;TYPE=CELL:090-1111-2222\r\n"
                             "URL:example.com\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Sato;Hana;;;\r\nFN:Hana Sato\r\n"
                             "X-PHONETIC-FIRST-NAME:はな\r\nX-PHONETIC-LAST-NAME:さとう\r\n"
                             "EMAIL;TYPE=HOME:hana@example.jp\r\nEMAIL;TYPE=WORK:sato@example.jp\r\n"
                             "END:VCARD\r\n"_s;
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        const auto top = controller.containerTable().first()->groups.first();
        taro = top->contactTable->at(0);
        hana = top->contactTable->at(1);
    }

    QList<InfoRow> rowsOf(const ContactEntryPtr &contact, const QString &type)
    {
        QList<InfoRow> out;
        for (const InfoRow &row :
            ContactInfoRows::tableFromContact(contact, ViewTypeTables::defaultRowOrder()))
            if (row.type == type)
                out << row;
        return out;
    }

    ContactInfoEdits::DraggedField drag(
        const ContactEntryPtr &from, const QString &identifier, qsizetype labelIndex)
    {
        return { VCardExport::vCardFromContact(*from, { Ident::Note, Ident::Photo, Ident::Renmei }),
            identifier, labelIndex };
    }

    ViewController controller;
    ContactEntryPtr taro;
    ContactEntryPtr hana;
};

TEST_F(ContactInfoRowsTest, RowsFollowTheOrderOneALabelledValue)
{
    EXPECT_TRUE(ContactInfoRows::tableFromContact(nullptr, ViewTypeTables::defaultRowOrder()).isEmpty());
    const QList<InfoRow> rows = ContactInfoRows::tableFromContact(taro, ViewTypeTables::defaultRowOrder());
    ASSERT_GE(rows.size(), 8);
    EXPECT_EQ(rows.at(0).type, Ident::Name);
    EXPECT_EQ(rows.at(3).label, Ident::PreviousFamilyName);
    EXPECT_EQ(rows.at(4).type, Ident::Photo);
    EXPECT_EQ(rows.at(4).value, Ident::Photo);
    EXPECT_EQ(rows.at(5).type, Ident::Renmei);

    const QList<InfoRow> phones = rowsOf(taro, Ident::Phone);
    ASSERT_EQ(phones.size(), 2);
    EXPECT_EQ(phones.at(1).index, 1);
    EXPECT_EQ(ContactInfoRows::displayText(*taro->person, phones.at(1)), u"090-1111-2222"_s);
    const QList<InfoRow> emails = rowsOf(taro, Ident::Email);
    ASSERT_EQ(emails.size(), 1);
    EXPECT_EQ(emails.first().label, u""_s);
    EXPECT_FALSE(emails.first().isLabeled());
    EXPECT_EQ(rowsOf(taro, Ident::PhoneticName).size(), 3);
    EXPECT_EQ(rowsOf(taro, ColumnId::Groups).size(), 1);

    // A name shown family name first lists its family name first; each row keeps its part's number.
    ContactInfoEdits::popupButtonCellChanged(controller, taro, rowsOf(taro, ColumnId::NameOrdering).first(),
        ContactInfoText::LastNameFirst.text());
    const QList<InfoRow> names = rowsOf(taro, Ident::Name);
    EXPECT_EQ(names.at(0).label, Ident::LastName);
    EXPECT_EQ(names.at(0).labelIndex, 2);
    EXPECT_EQ(names.at(1).label, Ident::FirstName);
    EXPECT_EQ(rowsOf(taro, Ident::PhoneticName).at(0).label, Ident::LastName);
    ContactInfoEdits::popupButtonCellChanged(controller, taro, rowsOf(taro, ColumnId::NameOrdering).first(),
        ContactInfoText::FirstNameFirst.text());
    EXPECT_EQ(rowsOf(taro, Ident::Name).at(0).label, Ident::FirstName);
}

TEST_F(ContactInfoRowsTest, StoredRowOrderWithAndWithoutJointNames)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(u"d.ini"_s), QSettings::IniFormat);
    UserDefaults defaults(settings);
    EXPECT_EQ(defaults.lastRowOrder().size(), 23);
    const QStringList moved = ContactInfoRows::moveField(defaults.lastRowOrder(), Ident::Email, Ident::Name);
    EXPECT_EQ(moved.first(), Ident::Email);
    EXPECT_EQ(moved.size(), 23);
    defaults.setLastRowOrder(moved);
    EXPECT_EQ(defaults.lastRowOrder().first(), Ident::Email);

    // An order stored before joint names existed gets them third.
    QStringList old = moved;
    old.removeAll(Ident::Renmei);
    defaults.setLastRowOrder(old);
    EXPECT_EQ(defaults.lastRowOrder().at(2), Ident::Renmei);

    // Moving down puts the field just before its target.
    const QStringList down = ContactInfoRows::moveField({ u"A"_s, u"B"_s, u"C"_s, u"D"_s }, u"A"_s, u"C"_s);
    EXPECT_EQ(down, (QStringList { u"B"_s, u"A"_s, u"C"_s, u"D"_s }));
    EXPECT_EQ(ContactInfoRows::moveField(down, u"X"_s, u"A"_s), down);
}

TEST_F(ContactInfoRowsTest, PopUpsSetNameOrderingDisplayAndLabel)
{
    const InfoRow ordering = rowsOf(taro, ColumnId::NameOrdering).first();
    EXPECT_EQ(ordering.choices.size(), 3);
    ASSERT_TRUE(ContactInfoEdits::popupButtonCellChanged(
        controller, taro, ordering, ContactInfoText::LastNameFirst.text()));
    EXPECT_EQ(taro->person->nameValue().value(Key::NameOrdering).toInt(), 2);
    EXPECT_EQ(taro->person->compositeName(), u"Yamada Taro"_s);
    EXPECT_EQ(rowsOf(taro, ColumnId::NameOrdering).first().label, ContactInfoText::LastNameFirst.text());
    EXPECT_FALSE(ContactInfoEdits::popupButtonCellChanged(
        controller, taro, ordering, ContactInfoText::LastNameFirst.text()));

    ASSERT_TRUE(ContactInfoEdits::popupButtonCellChanged(
        controller, taro, rowsOf(taro, ColumnId::NameDisplay).first(), ContactInfoText::Company.text()));
    EXPECT_FALSE(taro->person->showAsPerson());

    const InfoRow cell = rowsOf(taro, Ident::Phone).at(1);
    ASSERT_TRUE(ContactInfoEdits::popupButtonCellChanged(controller, taro, cell, u"work"_s));
    EXPECT_EQ(rowsOf(taro, Ident::Phone).at(1).label, u"work"_s);
    controller.undo();
    EXPECT_EQ(rowsOf(taro, Ident::Phone).at(1).label, u"mobile"_s);
}

TEST_F(ContactInfoRowsTest, TypingInACellIsOneUndoStep)
{
    InfoRow first;
    for (const InfoRow &row : rowsOf(taro, Ident::Name))
        if (row.label == Ident::FirstName)
            first = row;
    ASSERT_TRUE(ContactInfoEdits::textFieldCellChanged(controller, taro, first, u"Jiro"_s));
    EXPECT_EQ(taro->person->nameValue().value(Ident::FirstName).toString(), u"Jiro"_s);
    EXPECT_FALSE(ContactInfoEdits::textFieldCellChanged(controller, taro, first, u"Jiro"_s));
    InfoRow reading;
    for (const InfoRow &row : rowsOf(taro, Ident::PhoneticName))
        if (row.label == Ident::LastName)
            reading = row;
    ASSERT_TRUE(ContactInfoEdits::textFieldCellChanged(controller, taro, reading, u"やまだ"_s));
    EXPECT_EQ(
        taro->person->valueForIdentifier(Ident::PhoneticName).toMap().value(Ident::LastName), u"やまだ"_s);
    ASSERT_TRUE(
        ContactInfoEdits::textFieldCellChanged(controller, taro, rowsOf(taro, Ident::Phone).at(0), u"111"_s));
    ASSERT_TRUE(ContactInfoEdits::textFieldCellChanged(
        controller, taro, rowsOf(taro, Ident::Company).at(0), u"Acme"_s));
    EXPECT_EQ(controller.undoManager().undoCount(), 4);
    controller.undo();
    EXPECT_EQ(taro->person->valueForIdentifier(Ident::Company).toString(), u""_s);
    EXPECT_EQ(
        taro->person->labeledValueForIdentifierAtIndex(Ident::Phone, 0).toMap().value(Key::Value), u"111"_s);
}

TEST_F(ContactInfoRowsTest, AddAndDeleteItems)
{
    const auto phoneAdded
        = ContactInfoEdits::insertItem(controller, taro, rowsOf(taro, Ident::Phone).first());
    EXPECT_TRUE(phoneAdded.changed);
    const QVariantMap phone = taro->person->labeledValueForIdentifierAtIndex(Ident::Phone, 2).toMap();
    EXPECT_EQ(phone.value(Key::Label).toString(), u"home"_s);
    EXPECT_EQ(phone.value(Key::Value).toString(), u"123"_s);

    const auto address = ContactInfoEdits::insertItem(controller, taro, rowsOf(taro, Ident::Address).first());
    EXPECT_FALSE(address.changed);
    ASSERT_TRUE(address.openEditor);
    EXPECT_EQ(address.openEditor->labelIndex, EditorContext::NewEntry);
    EXPECT_EQ(address.openEditor->type, Ident::Address);

    ASSERT_TRUE(ContactInfoEdits::deleteItem(controller, hana, rowsOf(hana, Ident::Email).first()));
    EXPECT_EQ(hana->person->labeledValues(Ident::Email)->size(), 1);
    ASSERT_TRUE(ContactInfoEdits::deleteItem(controller, hana, rowsOf(hana, Ident::PhoneticName).first()));
    EXPECT_EQ(
        hana->person->valueForIdentifier(Ident::PhoneticName).toMap().value(Ident::FirstName).toString(),
        u""_s);
    controller.undo();
    EXPECT_EQ(
        hana->person->valueForIdentifier(Ident::PhoneticName).toMap().value(Ident::FirstName).toString(),
        u"はな"_s);
}

TEST_F(ContactInfoRowsTest, WorkspaceUrls)
{
    ZRPerson &person = *taro->person;
    EXPECT_EQ(ContactInfoRows::workspaceUrl(person, rowsOf(taro, Ident::URL).first()).toString(),
        u"http://example.com"_s);
    ContactInfoEdits::textFieldCellChanged(
        controller, taro, rowsOf(taro, Ident::URL).first(), u"https://x.jp/a"_s);
    EXPECT_EQ(ContactInfoRows::workspaceUrl(person, rowsOf(taro, Ident::URL).first()).toString(),
        u"https://x.jp/a"_s);
    EXPECT_EQ(ContactInfoRows::workspaceUrl(person, rowsOf(taro, Ident::Phone).first()).toString(),
        u"tel://03-1234-5678"_s);
    EXPECT_EQ(ContactInfoRows::workspaceUrl(*hana->person, rowsOf(hana, Ident::Email).first()).toEncoded(),
        "mailto:hana%40example.jp");
    EXPECT_TRUE(ContactInfoRows::workspaceUrl(person, rowsOf(taro, Ident::Email).first()).isEmpty());
}

TEST_F(ContactInfoRowsTest, DroppingAFieldFromAnotherPanel)
{
    // Names onto the phonetic rows give the matching phonetic part.
    InfoRow phoneticFirst;
    for (const InfoRow &row : rowsOf(taro, Ident::PhoneticName))
        if (row.label == Ident::FirstName)
            phoneticFirst = row;
    ASSERT_TRUE(ContactInfoEdits::dropField(
        controller, taro, phoneticFirst, drag(hana, Ident::PhoneticName, 0), true));
    EXPECT_EQ(
        taro->person->valueForIdentifier(Ident::PhoneticName).toMap().value(Ident::FirstName), u"はな"_s);
    EXPECT_EQ(ContactInfoRows::phoneticPartForLabel(Ident::LastName), Ident::PhoneticLastName);
    EXPECT_EQ(ContactInfoRows::phoneticPartForLabel(Ident::PreviousFamilyName), Ident::PhoneticMiddleName);

    // An e-mail dropped between rows is inserted, on a row it replaces; an empty list just takes it.
    const InfoRow emptyEmail = rowsOf(taro, Ident::Email).first();
    ASSERT_TRUE(
        ContactInfoEdits::dropField(controller, taro, emptyEmail, drag(hana, Ident::Email, 1), false));
    ASSERT_TRUE(ContactInfoEdits::dropField(
        controller, taro, rowsOf(taro, Ident::Email).first(), drag(hana, Ident::Email, 0), false));
    QVariantList emails = *taro->person->labeledValues(Ident::Email);
    ASSERT_EQ(emails.size(), 2);
    EXPECT_EQ(emails.at(0).toMap().value(Key::Value), u"hana@example.jp"_s);
    EXPECT_EQ(emails.at(1).toMap().value(Key::Value), u"sato@example.jp"_s);
    ASSERT_TRUE(ContactInfoEdits::dropField(
        controller, taro, rowsOf(taro, Ident::Email).at(1), drag(hana, Ident::Email, 0), true));
    emails = *taro->person->labeledValues(Ident::Email);
    ASSERT_EQ(emails.size(), 2);
    EXPECT_EQ(emails.at(1).toMap().value(Key::Value), u"hana@example.jp"_s);

    EXPECT_EQ(ContactInfoRows::listAfterDrop({ 1, 2 }, {}, 3, false), std::nullopt);
    EXPECT_EQ(ContactInfoRows::listAfterDrop({ 1, 2 }, {}, 2, true), std::nullopt);
    EXPECT_EQ(ContactInfoRows::listAfterDrop({ 1, 2 }, {}, 2, false)->size(), 3);
    // An empty name part dropped changes nothing; garbage changes nothing.
    InfoRow middle;
    for (const InfoRow &row : rowsOf(taro, Ident::Name))
        if (row.label == Ident::MiddleName)
            middle = row;
    EXPECT_FALSE(ContactInfoEdits::dropField(controller, taro,
        rowsOf(taro, Ident::Name).at(rowsOf(taro, Ident::Name).indexOf(middle)), drag(hana, Ident::Name, 0),
        true));
    EXPECT_FALSE(ContactInfoEdits::dropField(
        controller, taro, rowsOf(taro, Ident::Name).at(0), { "not a card", Ident::Name, 0 }, true));
}

} // namespace
