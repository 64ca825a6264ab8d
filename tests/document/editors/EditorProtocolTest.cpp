#include "document/ViewController.h"
#include "document/editors/DateRules.h"
#include "document/editors/EditorApply.h"
#include "document/editors/EditorContext.h"
#include "document/editors/EditorLockState.h"
#include "document/editors/MultiValueList.h"
#include "document/editors/RenmeiList.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Ann has two addresses and a phone; Bob has none of them.
class EditorProtocolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                             "TEL;TYPE=HOME:111\r\nADR;TYPE=HOME:;;1 Elm St;Springfield;IL;62701;USA\r\n"
                             "ADR;TYPE=WORK:;;2 Oak St;Springfield;IL;62702;USA\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nFN:Bob Ray\r\nEND:VCARD\r\n"_s;
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        const auto top = controller.containerTable().first()->groups.first();
        ann = top->contactTable->at(0);
        bob = top->contactTable->at(1);
    }

    EditorContext confirmed(const QString &type, qsizetype labelIndex, const QVariant &value)
    {
        EditorContext context = EditorRoster::contextFor(ann, type, labelIndex, true);
        context.dirty = true;
        context.value = value;
        return context;
    }

    qsizetype count(const ContactEntryPtr &row, const QString &field)
    {
        return row->person->labeledValues(field)->size();
    }

    ViewController controller;
    ContactEntryPtr ann;
    ContactEntryPtr bob;
};

TEST_F(EditorProtocolTest, AnUnconfirmedOrForeignResultChangesNothing)
{
    EditorContext context = confirmed(Ident::Company, 0, u"Acme"_s);
    context.dirty = false;
    EXPECT_FALSE(EditorApply::apply(controller, context, { ann }));
    context.dirty = true;
    context.type = u"Photo"_s; // no editor serves it
    EXPECT_FALSE(EditorApply::apply(controller, context, { ann }));
    EXPECT_FALSE(controller.undoManager().canUndo());
    EXPECT_FALSE(controller.isDocumentEdited());
}

TEST_F(EditorProtocolTest, AnAddressOpenedForANewEntryIsAddedAndOneOnAnEntryReplacesIt)
{
    EditorContext added = confirmed(Ident::Address, EditorContext::NewEntry, QVariant());
    EXPECT_EQ(added.labeledValue.value(Ident::ZIP).toString(), u"123"_s);
    EXPECT_EQ(added.labeledValue.value(Key::Label).toString(), u"home"_s);
    QVariantMap fresh = added.labeledValue;
    fresh.insert(Ident::City, u"Tokyo"_s);
    added.value = fresh;
    ASSERT_TRUE(EditorApply::apply(controller, added, { ann }));
    ASSERT_EQ(count(ann, Ident::Address), 3);
    EXPECT_EQ(ann->person->labeledValueForIdentifierAtIndex(Ident::Address, 2).toMap().value(Ident::City),
        u"Tokyo"_s);

    EditorContext replaced = confirmed(Ident::Address, 1, QVariant());
    QVariantMap work = replaced.labeledValue;
    ASSERT_EQ(work.value(Ident::Street).toString(), u"2 Oak St"_s);
    work.insert(Ident::Street, u"3 Pine St"_s);
    replaced.value = work;
    ASSERT_TRUE(EditorApply::apply(controller, replaced, { ann }));
    EXPECT_EQ(count(ann, Ident::Address), 3);
    EXPECT_EQ(
        ann->person->labeledValueForIdentifierAtLabelIndex(Ident::Address, 1).toMap().value(Ident::Street),
        u"3 Pine St"_s);

    controller.undo();
    controller.undo();
    EXPECT_EQ(count(ann, Ident::Address), 2);
    EXPECT_EQ(
        ann->person->labeledValueForIdentifierAtLabelIndex(Ident::Address, 1).toMap().value(Ident::Street),
        u"2 Oak St"_s);
}

TEST_F(EditorProtocolTest, OneResultGoesToEverySelectedRowAsOneUndoStep)
{
    EditorContext context = confirmed(Ident::InstantMessage, EditorContext::NewEntry,
        QVariantMap { { Key::Label, u"home"_s }, { Key::Value, u"ann.chat"_s },
            { CN::InstantMessageAddressServiceKey, CN::InstantMessageServiceSkype },
            { Key::LabelIndex, qsizetype(-1) } });
    // Two sub-rows of Ann's record count once.
    auto annAgain = std::make_shared<ContactEntry>(*ann);
    annAgain->labelIndex = 1;
    ASSERT_TRUE(EditorApply::apply(controller, context, { ann, annAgain, bob }));
    EXPECT_EQ(count(ann, Ident::InstantMessage), 1);
    EXPECT_EQ(count(bob, Ident::InstantMessage), 1);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    EXPECT_TRUE(controller.isDocumentEdited());
    controller.undo();
    EXPECT_EQ(count(ann, Ident::InstantMessage), 0);
    EXPECT_EQ(count(bob, Ident::InstantMessage), 0);
}

TEST_F(EditorProtocolTest, JointNamesAreStoredOneALine)
{
    RenmeiList list;
    list.add();
    list.setName(0, u"Hanako"_s);
    list.add(0);
    list.setName(1, u"Taro"_s);
    EditorContext context = confirmed(Ident::Renmei, 0, QVariant());
    context.values = list.values();
    ASSERT_TRUE(EditorApply::apply(controller, context, { ann }));
    EXPECT_EQ(ann->person->valueForIdentifier(Ident::Renmei).toString(), u"Hanako\nTaro"_s);

    // Add puts "new" after the selected row, or at the end; a pasted line break stays in one name.
    RenmeiList stored(u"Hanako\nTaro"_s);
    EXPECT_EQ(stored.add(0), 1);
    EXPECT_EQ(stored.names(), (QStringList { u"Hanako"_s, u"new"_s, u"Taro"_s }));
    EXPECT_EQ(stored.add(), 3);
    stored.setName(3, u"Ichiro\nJiro"_s);
    EXPECT_EQ(stored.names().at(3), u"Ichiro Jiro"_s);
    EXPECT_TRUE(stored.remove(1));
    EXPECT_FALSE(stored.remove(7));
    EXPECT_EQ(RenmeiList::joined(stored.values()), u"Hanako\nTaro\nIchiro Jiro"_s);
    EXPECT_EQ(RenmeiList(QString()).count(), 0);
}

TEST_F(EditorProtocolTest, DatesWithAndWithoutAYear)
{
    EXPECT_EQ(DateRules::yearFromText(u""_s), 0);
    EXPECT_EQ(DateRules::yearFromText(u"2900"_s), 2900);
    EXPECT_EQ(DateRules::yearFromText(u"2901"_s), std::nullopt);
    EXPECT_EQ(DateRules::yearFromText(u"-5"_s), std::nullopt);
    EXPECT_EQ(DateRules::yearFromText(u"19x0"_s), std::nullopt);
    EXPECT_EQ(DateRules::monthNames(QLocale(QLocale::English)).first(), u"Jan"_s);
    EXPECT_EQ(DateRules::monthNames().size(), 12);
    EXPECT_EQ(DateRules::daysInMonth(0, 2), 29);
    EXPECT_EQ(DateRules::daysInMonth(2023, 2), 28);

    // A birthday with a year replaces the field; a labelled date for a new entry is added.
    EditorContext birthday = confirmed(Ident::Birthday, 0, DateRules::birthdayResult({ 1990, 4, 2 }));
    ASSERT_TRUE(EditorApply::apply(controller, birthday, { ann }));
    EXPECT_TRUE(ann->person->birthdayValue().value(Key::StringValue).toString().startsWith(u"1990.04.02("_s));
    EditorContext date = confirmed(
        Ident::Dates, EditorContext::NewEntry, DateRules::datesResult(u"anniversary"_s, { 0, 12, 24 }, -1));
    ASSERT_TRUE(EditorApply::apply(controller, date, { ann }));
    ASSERT_EQ(count(ann, Ident::Dates), 1);
    const QVariantMap stored = ann->person->labeledValueForIdentifierAtIndex(Ident::Dates, 0).toMap();
    EXPECT_EQ(stored.value(Key::StringValue).toString(), u"12.24"_s);
    EXPECT_FALSE(stored.value(Key::Value).value<DateComponents>().hasYear());
    // ... and one opened on that entry replaces it.
    EditorContext again = confirmed(Ident::Dates, stored.value(Key::LabelIndex).toLongLong(),
        DateRules::datesResult(
            u"anniversary"_s, { 2001, 12, 24 }, stored.value(Key::LabelIndex).toLongLong()));
    ASSERT_TRUE(EditorApply::apply(controller, again, { ann }));
    EXPECT_EQ(count(ann, Ident::Dates), 1);
    EXPECT_TRUE(ann->person->labeledValueForIdentifierAtIndex(Ident::Dates, 0)
                    .toMap()
                    .value(Key::StringValue)
                    .toString()
                    .startsWith(u"2001.12.24("_s));
}

TEST(EditorLockStateTest, TheEditCycle)
{
    EditorLockState state;
    EXPECT_EQ(state.toggleTitle(), u"Edit"_s);
    EXPECT_EQ(state.confirmTitle(), u"Done"_s);
    EXPECT_TRUE(state.confirmEnabled());
    EXPECT_FALSE(state.cancelVisible());
    EXPECT_FALSE(state.fieldsEditable());
    state.fieldChanged(); // a locked editor changes nothing
    EXPECT_EQ(state.confirm(), EditorLockState::Confirm::Close);

    state.setUnlocked(true);
    EXPECT_EQ(state.toggleTitle(), u"Lock"_s);
    EXPECT_EQ(state.confirmTitle(), u"Change"_s);
    EXPECT_FALSE(state.confirmEnabled());
    EXPECT_TRUE(state.cancelVisible());
    EXPECT_TRUE(state.separatorRed());
    EXPECT_EQ(state.separatorWidth(), 2);
    state.fieldChanged();
    EXPECT_TRUE(state.confirmEnabled());
    EXPECT_EQ(state.confirm(), EditorLockState::Confirm::Commit);

    // Locking again forgets what was typed.
    EXPECT_TRUE(state.setUnlocked(false));
    EXPECT_FALSE(state.changed());
    EXPECT_EQ(state.confirm(), EditorLockState::Confirm::Close);
    EXPECT_TRUE(EditorLockState(true).fieldsEditable());
}

TEST(MultiValueListTest, AddDeleteCustomLabelAndColumns)
{
    MultiValueList list(Ident::Phone,
        { QVariantMap { { Key::Label, u"home"_s }, { Key::Value, u"111"_s }, { Key::LabelIndex, 0 } },
            QVariantMap { { Key::Label, u"work"_s }, { Key::Value, u"222"_s }, { Key::LabelIndex, 1 } } });
    EXPECT_FALSE(list.changed());
    const int row = list.add();
    EXPECT_EQ(row, 2);
    EXPECT_TRUE(list.setText(row, Key::Value, u"333"_s));
    EXPECT_TRUE(list.setCustomLabel(row, u"  cottage "_s));
    EXPECT_TRUE(list.labels().contains(u"cottage"_s));
    EXPECT_TRUE(Labels::labelsForIdentifier(Ident::Phone).contains(u"cottage"_s));
    EXPECT_TRUE(list.remove({ 0, 0 }));
    EXPECT_FALSE(list.remove({ 9 }));
    const QVariantList result = list.result();
    ASSERT_EQ(result.size(), 2);
    EXPECT_EQ(result.at(1).toMap().value(Key::Label).toString(), u"cottage"_s);
    EXPECT_EQ(result.at(1).toMap().value(Key::StringValue).toString(), u"333"_s);
    list.remove({ 0, 1 });
    EXPECT_FALSE(list.canDelete());

    // A social profile's custom label is its service.
    MultiValueList sns(Ident::SocialNetwork, {});
    sns.add();
    sns.setCustomLabel(0, u"Mastodon"_s);
    EXPECT_EQ(sns.result().first().toMap().value(CN::SocialProfileServiceKey).toString(), u"Mastodon"_s);

    auto keys = [](const QString &id) {
        QStringList out;
        for (const auto &column : MultiValueList::columnsForIdentifier(id))
            out << column.key;
        return out;
    };
    EXPECT_EQ(keys(Ident::Address),
        (QStringList { Key::Label, Ident::ZIP, Ident::State, Ident::City, Ident::Street, Ident::Country,
            CN::PostalAddressISOCountryCodeKey }));
    EXPECT_TRUE(keys(Ident::InstantMessage).contains(CN::InstantMessageAddressServiceKey));
    EXPECT_TRUE(keys(Ident::SocialNetwork).contains(CN::SocialProfileURLStringKey));
    EXPECT_EQ(MultiValueList::instantMessageServices().size(), 10);
    EXPECT_EQ(
        MultiValueList::instantMessageServiceTitleKey(CN::InstantMessageServiceSkype), u"SkypeInstant"_s);
}

TEST(EditorRosterTest, EditorsAndSizesByField)
{
    EXPECT_EQ(EditorRoster::editorForField(Ident::ZIP), EditorKind::Address);
    EXPECT_EQ(EditorRoster::editorForField(Ident::Address, true), EditorKind::MultiValue);
    EXPECT_EQ(EditorRoster::editorForField(Ident::Phone), EditorKind::MultiValue);
    EXPECT_EQ(EditorRoster::editorForField(Ident::Renmei), EditorKind::Renmei);
    EXPECT_EQ(EditorRoster::editorForField(Ident::Company), EditorKind::None);
    EXPECT_EQ(EditorRoster::popoverContentSize(Ident::Street), QSize(820, 260));
    EXPECT_EQ(EditorRoster::popoverContentSize(Ident::InstantMessage), QSize(460, 260));
    EXPECT_EQ(EditorRoster::popoverContentSize(Ident::SocialNetwork), QSize(680, 260));
    EXPECT_EQ(EditorRoster::popoverContentSize(Ident::Name), QSize(360, 260));
}

} // namespace
