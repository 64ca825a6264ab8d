#include "FindTestSupport.h"
#include "find/CellCommands.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

class ReplaceCellCommandsTest : public FindFixture
{
protected:
    QStringList phones(int i) const
    {
        QStringList out;
        for (const QVariant &v : entry(i)->person->phoneValues())
            out.append(
                v.toMap().value(Key::Value).toString() + u'/' + v.toMap().value(Key::Label).toString());
        return out;
    }
};

TEST_F(ReplaceCellCommandsTest, DeleteReplaceAndAddOverSelectedRows)
{
    load(
        card(u"A;B;;;"_s, u"TEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\nTEL;TYPE=CELL:3\r\n"_s) + card(u"C;D;;;"_s),
        { u"Name"_s, u"Phone"_s, u"Note"_s });
    ASSERT_EQ(table.subContactTable().size(), 4);
    CellCommands commands(controller, table);

    // Cancelled confirmation: nothing.
    table.setSelectedRows({ 0, 1 });
    EXPECT_FALSE(
        commands.deleteItem(Ident::Phone, 2, [](const QString &, const QString &) { return false; }));
    EXPECT_EQ(phones(0).size(), 3);

    // Replace Text keeps labels; Replace Label and Text sets the chosen one.
    auto answer = [](const QString &text, const QString &label) {
        return [=](const ReplacePanelRequest &r) -> std::optional<ReplacePanelAnswer> {
            EXPECT_FALSE(r.message.isEmpty());
            return ReplacePanelAnswer { label, text };
        };
    };
    table.setSelectedRows({ 0, 1 });
    EXPECT_TRUE(
        commands.replaceItem(ReplacePanelText::ReplaceText, Ident::Phone, 1, answer(u"9"_s, u"other"_s)));
    EXPECT_EQ(phones(0).mid(0, 2), (QStringList { u"9/home"_s, u"9/work"_s }));
    EXPECT_TRUE(commands.replaceItem(
        ReplacePanelText::ReplaceLabelAndText, Ident::Phone, 1, answer(u"8"_s, u"other"_s)));
    EXPECT_EQ(phones(0).mid(0, 2), (QStringList { u"8/other"_s, u"8/other"_s }));
    EXPECT_TRUE(commands.replaceItem(ReplacePanelText::AppendText, Ident::Note, 3, answer(u"!"_s, {})));
    EXPECT_EQ(entry(1)->person->valueForIdentifier(Ident::Note).toString(), u"!"_s);

    // Deleting three rows of one contact works from the last row up, so every one goes.
    table.setSelectedRows({ 0, 1, 2 });
    const int before = controller.undoManager().undoCount();
    EXPECT_TRUE(commands.deleteItem(Ident::Phone, 2, {}));
    EXPECT_TRUE(phones(0).isEmpty());
    EXPECT_EQ(controller.undoManager().undoCount(), before + 1);
    controller.undo();
    EXPECT_EQ(phones(0), (QStringList { u"8/other"_s, u"8/other"_s, u"3/mobile"_s }));

    // Add Item on a phone cell: "123" labelled "home" for each selected contact, once each.
    table.updateTable();
    table.setSelectedRows({ 0, 1, 3 });
    EXPECT_EQ(commands.insertItem(Ident::Phone, 0), CellCommands::InsertResult::Added);
    EXPECT_EQ(phones(0).size(), 4);
    EXPECT_EQ(phones(1), (QStringList { u"123/home"_s }));
    EXPECT_EQ(commands.insertItem(Ident::Address, 0), CellCommands::InsertResult::NeedsEditor);
}
