#include "QrTestContacts.h"
#include "tools/MergePanelController.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace QrTestContacts;
using Side = MergePanelController::Side;
using Op = MergePanelController::DropOperation;
using Pos = MergePanelController::DropPosition;

namespace {

MergeContext contextOf(const ContactTable &rows)
{
    MergeContext context;
    context.contacts = rows;
    return context;
}

// Two contacts in a sheet that is open for changes.
struct Sheet
{
    std::shared_ptr<ZRPerson> left = japanese();
    std::shared_ptr<ZRPerson> right = western();
    ContactTable rows { entryFor(left), entryFor(right) };
    MergePanelController panel;

    explicit Sheet(bool editable = true) { panel.setContextInfo(contextOf(rows), editable); }

    ZRPerson &copy(Side side) { return *panel.contact(side)->person; }

    int rowOf(
        Side side, const QString &type, qsizetype labelIndex = -2, const QString &part = QString()) const
    {
        const MergeRows &rows = panel.table(side);
        for (int i = 0; i < rows.size(); ++i) {
            const MergeRow &r = rows.at(i);
            if (r.type == type && (labelIndex == -2 || r.labelIndex == labelIndex)
                && (part.isEmpty() || r.part == part))
                return i;
        }
        return -1;
    }

    bool drag(Side from, int row, Side to, int onto, Pos position, bool copy)
    {
        panel.writeRowsWithIndexes(from, { row });
        return panel.acceptDrop(to, onto, position, copy);
    }

    QStringList phones(Side side)
    {
        QStringList out;
        for (const QVariant &v : copy(side).phoneValues())
            out << v.toMap().value(Key::Value).toString();
        return out;
    }
};

} // namespace

TEST(MergePanel, TablesListTheFieldsInOrderWithAnAddingRowPerLabelledField)
{
    Sheet sheet;
    sheet.copy(Side::Right).addLabeledValue(labeled(u"mobile"_s, u"+1 555 0199"_s), Ident::Phone);
    sheet.panel.setContextInfo(
        contextOf(ContactTable { sheet.rows.at(0), sheet.panel.contact(Side::Right) }), true);
    const MergeRows &rows = sheet.panel.table(Side::Right);
    QStringList types;
    for (const MergeRow &r : rows) {
        if (types.isEmpty() || types.last() != r.type)
            types << r.type;
    }
    EXPECT_EQ(types, MergeTable::fieldOrder());

    const int name = sheet.rowOf(Side::Right, Ident::Name);
    EXPECT_EQ(rows.at(name).part, Ident::FirstName);
    EXPECT_EQ(rows.at(name + 3).part, Ident::PreviousFamilyName);
    EXPECT_EQ(rows.at(name + 4).type, MergeText::NameOrdering);
    EXPECT_EQ(rows.at(sheet.rowOf(Side::Right, Ident::PhoneticName) + 2).part, Ident::LastName);

    const int phone = sheet.rowOf(Side::Right, Ident::Phone);
    ASSERT_EQ(rows.at(phone + 2).type, Ident::Phone);
    EXPECT_EQ(rows.at(phone + 1).index, 1);
    EXPECT_EQ(rows.at(phone + 1).labelIndex, 1);
    EXPECT_EQ(rows.at(phone + 1).valueCount, 2);
    EXPECT_TRUE(rows.at(phone + 2).isAddingRow());
    EXPECT_EQ(rows.at(phone + 2).valueCount, 2);
    // An empty labelled field still has its adding row, which takes drops.
    const int im = sheet.rowOf(Side::Right, Ident::InstantMessage);
    EXPECT_TRUE(rows.at(im).isAddingRow());
    EXPECT_EQ(rows.at(im).valueCount, 0);

    EXPECT_EQ(sheet.panel.textForRow(Side::Left, sheet.rowOf(Side::Left, MergeText::NameOrdering)),
        LabelName::LastNameFirst);
    auto mime = sheet.panel.writeRowsWithIndexes(Side::Left, { sheet.rowOf(Side::Left, Ident::Phone, 0) });
    EXPECT_EQ(mime->text(), u"mobile: 090-1234-5678"_s) << "dragged as label and text";
}

TEST(MergePanel, MovingAPhoneToTheAddingRowAndUndoingIt)
{
    Sheet sheet;
    const int from = sheet.rowOf(Side::Left, Ident::Phone, 0);
    const int adding = sheet.rowOf(Side::Right, Ident::Phone, -1);
    sheet.panel.writeRowsWithIndexes(Side::Left, { from });
    EXPECT_EQ(sheet.panel.validateDrop(Side::Right, adding, Pos::On, false), Op::Move);
    EXPECT_EQ(sheet.panel.validateDrop(Side::Right, adding, Pos::On, true), Op::Copy);
    ASSERT_TRUE(sheet.panel.acceptDrop(Side::Right, adding, Pos::On, false));

    EXPECT_EQ(sheet.phones(Side::Left), QStringList());
    EXPECT_EQ(sheet.phones(Side::Right), (QStringList { u"+1 555 0100"_s, u"090-1234-5678"_s }));
    EXPECT_EQ(sheet.copy(Side::Right).phoneValues().last().toMap().value(Key::Label), u"mobile"_s);
    EXPECT_EQ(sheet.panel.changeCount(), 1);
    EXPECT_TRUE(sheet.panel.look().confirmButtonEnabled);
    EXPECT_EQ(sheet.panel.undoManager().undoCount(), 1) << "one drop, one step";
    EXPECT_EQ(sheet.rowOf(Side::Right, Ident::Phone, 1), sheet.rowOf(Side::Right, Ident::Phone) + 1)
        << "the tables are rebuilt";

    sheet.panel.undo();
    EXPECT_EQ(sheet.phones(Side::Left), QStringList { u"090-1234-5678"_s });
    EXPECT_EQ(sheet.phones(Side::Right), QStringList { u"+1 555 0100"_s });
    EXPECT_EQ(sheet.panel.changeCount(), 0);
    EXPECT_FALSE(sheet.panel.look().confirmButtonEnabled);

    sheet.panel.redo();
    EXPECT_EQ(sheet.phones(Side::Left), QStringList());
    EXPECT_EQ(sheet.panel.changeCount(), 1);
    EXPECT_TRUE(sheet.panel.look().confirmButtonEnabled);
    sheet.panel.undo();
    sheet.panel.undo();
    EXPECT_EQ(sheet.panel.changeCount(), 0) << "never below zero";

    // The document's records are never touched by the sheet.
    EXPECT_EQ(sheet.left->phoneValues().size(), 1);
    EXPECT_EQ(sheet.right->phoneValues().size(), 1);
}

TEST(MergePanel, CopyingAPhoneOntoAnEntryReplacesItButKeepsItsNumber)
{
    Sheet sheet;
    const int from = sheet.rowOf(Side::Left, Ident::Phone, 0);
    const int onto = sheet.rowOf(Side::Right, Ident::Phone, 0);
    ASSERT_TRUE(sheet.drag(Side::Left, from, Side::Right, onto, Pos::On, true));
    const QVariantMap entry = sheet.copy(Side::Right).phoneValues().first().toMap();
    EXPECT_EQ(entry.value(Key::Value), u"090-1234-5678"_s);
    EXPECT_EQ(entry.value(Key::Label), u"mobile"_s);
    EXPECT_EQ(entry.value(Key::LabelIndex).toLongLong(), 0);
    EXPECT_EQ(sheet.copy(Side::Right).phoneValues().size(), 1);
    EXPECT_EQ(sheet.phones(Side::Left), QStringList { u"090-1234-5678"_s }) << "a copy leaves the source";

    // Between rows, a labelled value is added rather than replacing one.
    ASSERT_TRUE(sheet.drag(Side::Left, from, Side::Right, onto, Pos::Above, true));
    EXPECT_EQ(sheet.copy(Side::Right).phoneValues().size(), 2);
    EXPECT_EQ(sheet.panel.changeCount(), 2);
}

TEST(MergePanel, MovingAndCopyingSingleValuedFields)
{
    struct Case
    {
        QString type;
        QString part;
        bool copy;
        const char *why;
    };
    const Case cases[] = {
        { Ident::Company, {}, false, "moving the company empties it on the left" },
        { Ident::Company, {}, true, "copying the company keeps it on the left" },
        { Ident::Name, Ident::FirstName, false, "moving a name part" },
        { Ident::PhoneticName, Ident::LastName, true, "copying a reading part" },
    };
    for (const Case &c : cases) {
        Sheet sheet;
        const QString id = c.part.isEmpty()
            ? c.type
            : MergeTable::partIdentifier(MergeRow { c.type, c.part, false, {}, -1, -1, -1 });
        const QString value = sheet.copy(Side::Left).valueForIdentifier(id).toString();
        ASSERT_FALSE(value.isEmpty()) << c.why;
        const int from = sheet.rowOf(Side::Left, c.type, -2, c.part);
        const int onto = sheet.rowOf(Side::Right, c.type, -2, c.part);
        ASSERT_TRUE(sheet.drag(Side::Left, from, Side::Right, onto, Pos::On, c.copy)) << c.why;
        EXPECT_EQ(sheet.copy(Side::Right).valueForIdentifier(id).toString(), value) << c.why;
        EXPECT_EQ(sheet.copy(Side::Left).valueForIdentifier(id).toString(), c.copy ? value : u""_s) << c.why;
        sheet.panel.undo();
        EXPECT_EQ(sheet.copy(Side::Left).valueForIdentifier(id).toString(), value) << c.why;
        EXPECT_NE(sheet.copy(Side::Right).valueForIdentifier(id).toString(), value) << c.why;
    }

    // A moved birthday and photo are removed from the source, not left as empty values.
    Sheet sheet;
    sheet.copy(Side::Left).setValueForIdentifier(QDate(1980, 4, 1), Ident::Birthday);
    QImage photo(4, 4, QImage::Format_RGB32);
    photo.fill(Qt::red);
    sheet.copy(Side::Left).setPhoto(photo);
    const QByteArray photoBytes = sheet.copy(Side::Left).imageData();
    ASSERT_TRUE(sheet.drag(Side::Left, sheet.rowOf(Side::Left, Ident::Birthday), Side::Right,
        sheet.rowOf(Side::Right, Ident::Birthday), Pos::On, false));
    EXPECT_EQ(sheet.copy(Side::Right).birthdayValue().value(Key::Value).value<DateComponents>().toDate(),
        QDate(1980, 4, 1));
    EXPECT_FALSE(sheet.copy(Side::Left).birthdayValue().value(Key::Value).isValid());
    ASSERT_TRUE(sheet.drag(Side::Left, sheet.rowOf(Side::Left, Ident::Photo), Side::Right,
        sheet.rowOf(Side::Right, Ident::Photo), Pos::On, false));
    EXPECT_EQ(sheet.copy(Side::Right).imageData(), photoBytes);
    EXPECT_TRUE(sheet.copy(Side::Left).imageData().isEmpty());
    sheet.panel.undo();
    EXPECT_EQ(sheet.copy(Side::Left).imageData(), photoBytes) << "undo gives back the very bytes";
}

TEST(MergePanel, DropsThatAreRefused)
{
    Sheet sheet;
    const int phone = sheet.rowOf(Side::Left, Ident::Phone, 0);
    struct Case
    {
        Side from;
        int row;
        Side to;
        int onto;
        Pos position;
        const char *why;
    };
    const Case cases[] = {
        { Side::Left, phone, Side::Right, sheet.rowOf(Side::Right, Ident::Email, 0), Pos::On,
            "phone onto e-mail" },
        { Side::Left, phone, Side::Left, sheet.rowOf(Side::Left, Ident::Phone, -1), Pos::On,
            "within one table" },
        { Side::Left, sheet.rowOf(Side::Left, MergeText::NameOrdering), Side::Right,
            sheet.rowOf(Side::Right, MergeText::NameOrdering), Pos::On, "the name ordering row" },
        { Side::Left, sheet.rowOf(Side::Left, Ident::Company), Side::Right,
            sheet.rowOf(Side::Right, Ident::Company), Pos::Above, "a single-valued field between rows" },
        { Side::Left, phone, Side::Right, 10000, Pos::On, "past the end of the table" },
    };
    for (const Case &c : cases) {
        sheet.panel.writeRowsWithIndexes(c.from, { c.row });
        EXPECT_EQ(sheet.panel.validateDrop(c.to, c.onto, c.position, false), Op::None) << c.why;
        EXPECT_FALSE(sheet.panel.acceptDrop(c.to, c.onto, c.position, false)) << c.why;
    }
    // The adding row carries nothing.
    EXPECT_FALSE(sheet.drag(Side::Left, sheet.rowOf(Side::Left, Ident::Phone, -1), Side::Right,
        sheet.rowOf(Side::Right, Ident::Phone, -1), Pos::On, false));
    EXPECT_EQ(sheet.panel.changeCount(), 0);
    EXPECT_EQ(sheet.panel.undoManager().undoCount(), 0);
    EXPECT_EQ(sheet.panel.writeRowsWithIndexes(Side::Left, {}), nullptr);

    // A locked sheet takes no drops until it is unlocked.
    Sheet locked(false);
    EXPECT_FALSE(locked.drag(
        Side::Left, phone, Side::Right, locked.rowOf(Side::Right, Ident::Phone, -1), Pos::On, false));
    locked.panel.setEditButtonOn(true);
    EXPECT_TRUE(locked.drag(
        Side::Left, phone, Side::Right, locked.rowOf(Side::Right, Ident::Phone, -1), Pos::On, false));
}

TEST(MergePanel, CellEditsInTheSheetCountAsChanges)
{
    Sheet sheet;
    const auto right = sheet.panel.contact(Side::Right)->person;
    EXPECT_TRUE(sheet.panel.edits().replaceValue(u"Jr."_s, Ident::Suffix, right));
    EXPECT_FALSE(sheet.panel.edits().replaceValue(u"John"_s, Ident::FirstName, right))
        << "same text, no step";
    EXPECT_EQ(sheet.panel.changeCount(), 1);
    EXPECT_TRUE(sheet.panel.look().confirmButtonEnabled);
    EXPECT_EQ(sheet.panel.confirm(), 1) << "a typed change is not lost on confirmation";
    EXPECT_EQ(sheet.panel.context().newContacts.at(1)->person->valueForIdentifier(Ident::Suffix), u"Jr."_s);
}

TEST(MergePanel, LooksEditButtonConfirmAndCancel)
{
    Sheet sheet;
    EXPECT_EQ(sheet.panel.look().confirmButtonTitle, u"Change"_s);
    EXPECT_FALSE(sheet.panel.look().confirmButtonEnabled) << "nothing to change yet";
    EXPECT_EQ(sheet.panel.confirm(), 0) << "no changes, nothing to replace";
    EXPECT_TRUE(sheet.panel.context().newContacts.isEmpty());
    EXPECT_EQ(sheet.panel.look().confirmButtonTitle, u"Done"_s) << "locked again";

    sheet.panel.setEditButtonOn(true);
    ASSERT_TRUE(sheet.drag(Side::Left, sheet.rowOf(Side::Left, Ident::Company), Side::Right,
        sheet.rowOf(Side::Right, Ident::Company), Pos::On, false));
    sheet.panel.setEditButtonOn(false);
    EXPECT_TRUE(sheet.panel.look().editable) << "locking is refused while changes are pending";
    EXPECT_TRUE(sheet.panel.look().editButtonOn);
    EXPECT_EQ(sheet.panel.confirm(), 1);
    ASSERT_EQ(sheet.panel.context().newContacts.size(), 2);
    EXPECT_EQ(sheet.panel.context().newContacts.at(0)->person->valueForIdentifier(Ident::Company), u""_s);
    EXPECT_EQ(
        sheet.panel.context().newContacts.at(1)->person->valueForIdentifier(Ident::Company), u"山田商事"_s);
    EXPECT_EQ(sheet.panel.context().newContacts.at(0)->uniqueId, sheet.rows.at(0)->uniqueId);
    EXPECT_EQ(sheet.left->valueForIdentifier(Ident::Company), u"山田商事"_s)
        << "the records wait for the window";

    EXPECT_EQ(sheet.panel.cancel(), 0);
    EXPECT_EQ(sheet.panel.contact(Side::Left), nullptr);
}

TEST(MergePanel, OnlyTheFirstTwoContactsTakePart)
{
    auto third = ZRPerson::create();
    setName(*third, u"Third"_s, u"Person"_s, 1);
    auto a = japanese(), b = western();
    MergePanelController panel;
    ASSERT_TRUE(
        panel.setContextInfo(contextOf(ContactTable { entryFor(a), entryFor(b), entryFor(third) }), true));
    EXPECT_EQ(panel.contact(Side::Left)->person->compositeName(), u"山田 太郎"_s);
    EXPECT_EQ(panel.contact(Side::Right)->person->compositeName(), u"John Smith"_s);
    EXPECT_NE(panel.contact(Side::Left)->person, a) << "a working copy, not the record";

    MergePanelController one;
    EXPECT_FALSE(one.setContextInfo(contextOf(ContactTable { entryFor(a) }), true));
    EXPECT_TRUE(one.table(Side::Left).isEmpty());
    one.writeRowsWithIndexes(Side::Left, { 0 });
    EXPECT_FALSE(one.acceptDrop(Side::Right, 0, Pos::On, false));
}
