#include "document/ContactTableText.h"

#include "HubTestSupport.h"
#include "document/DefaultsKeys.h"
#include "model/Identifiers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Ann: two phones, an address, a note with a line break, a tab and a backslash, in Friends. Bob: a mobile, in
// Golf. Cy: sender.
const QString Cards = TestHub::card(u"Ann"_s,
                          u"TEL;TYPE=HOME:03-1\r\nTEL;TYPE=WORK:03-2\r\nADR;TYPE=HOME:;;1 St;Kyoto;;600;\r\n"
                          "NOTE:first line\\nsecond\tthird \\\\ end\r\nCATEGORIES:Friends\r\n"_s)
    + TestHub::card(u"Bob"_s, u"TEL;TYPE=CELL:090\r\nCATEGORIES:Golf\r\nEMAIL:bob@b.jp\r\n"_s)
    + TestHub::card(u"Cy"_s, u"EMAIL:cy@a.jp\r\n"_s);

class ContactTableTextTest : public ::testing::Test
{
protected:
    TableTextResult table(const TableTextChoices &choices)
    {
        return ContactTableText::fromRead(DocumentReader::readText(Cards, InputFormat::VCard),
            u"/tmp/people.vcf"_s, u"public.vCard"_s, choices, t.defaults);
    }
    QStringList lines(const TableTextChoices &choices)
    {
        const TableTextResult result = table(choices);
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        QStringList out = result.text.split(u'\n');
        EXPECT_EQ(out.takeLast(), QString()) << "every line ends";
        return out;
    }

    TestHub t;
};

} // namespace

TEST_F(ContactTableTextTest, TheDefaultViewAsTheWindowShowsIt)
{
    // First start: the "Address" view type, every label, sorted by name.
    const QStringList out = lines({});
    ASSERT_EQ(out.size(), 5);
    EXPECT_EQ(out.at(0), u"Sender\tName\tRenmei\tCompany\tAddress"_s);
    EXPECT_TRUE(out.at(1).startsWith(u"0\tAnn\t\t\t"_s)) << out.at(1).toStdString();
    EXPECT_TRUE(out.at(1).contains(u"Kyoto"_s));
    EXPECT_EQ(out.at(2), u"0\tBob\t\t\t"_s);
    EXPECT_EQ(out.at(3), u"0\tCy\t\t\t"_s);
    EXPECT_EQ(out.at(4), u"All Contacts: total 3 contacts"_s);
}

TEST_F(ContactTableTextTest, ColumnsLabelsGroupsAndSortKeysByName)
{
    TableTextChoices choices;
    choices.columns = { Ident::Phone, Ident::Note };
    QStringList out = lines(choices);
    ASSERT_EQ(out.size(), 6);
    EXPECT_EQ(out.at(0), u"Sender\tName\tPhone\tNote"_s);
    // A continuation row leaves the name and the note empty; line breaks, tabs and backslashes are escaped.
    EXPECT_EQ(out.at(1), u"0\tAnn\t03-1\tfirst line\\nsecond\\tthird \\\\ end"_s);
    EXPECT_EQ(out.at(2), u"0\t\t03-2\t"_s);

    choices.labels = { u"mobile"_s };
    out = lines(choices);
    EXPECT_EQ(out.at(1), u"0\tAnn\t\tfirst line\\nsecond\\tthird \\\\ end"_s);
    EXPECT_EQ(out.at(2), u"0\tBob\t090\t"_s);

    choices = {};
    choices.viewType = u"Name Only"_s;
    choices.group = u"Golf"_s;
    EXPECT_EQ(lines(choices), (QStringList { u"Sender\tName"_s, u"0\tBob"_s, u"Golf: total 1 contacts"_s }));

    choices = {};
    choices.columns = { Ident::Email };
    choices.sortKey = u"Email domain"_s;
    out = lines(choices);
    EXPECT_EQ(out.mid(1, 3), (QStringList { u"0\tCy\tcy@a.jp"_s, u"0\tBob\tbob@b.jp"_s, u"0\tAnn\t"_s }));
    choices.descending = true;
    out = lines(choices);
    EXPECT_EQ(out.mid(1, 3), (QStringList { u"0\tBob\tbob@b.jp"_s, u"0\tCy\tcy@a.jp"_s, u"0\tAnn\t"_s }))
        << "no e-mail comes last both ways";

    // Nothing of it was written for the next window.
    t.settings.sync();
    EXPECT_FALSE(t.settings.contains(DefaultsKey::LastSortDesc));
    EXPECT_EQ(t.defaults.selectedLabels(), QStringList { u"All"_s });
}

TEST_F(ContactTableTextTest, DefaultsComeFromTheUserDefaultsAndUnknownNamesAreErrors)
{
    t.defaults.setSelectedViewType(u"Name Only"_s);
    t.defaults.setLastSortDesc({ Ident::CompositeName, false });
    EXPECT_EQ(lines({}),
        (QStringList {
            u"Sender\tName"_s, u"0\tCy"_s, u"0\tBob"_s, u"0\tAnn"_s, u"All Contacts: total 3 contacts"_s }));

    struct Case
    {
        TableTextChoices choices;
        QString mentions;
    };
    const Case cases[] = {
        { { u"Chess"_s, {}, {}, {}, {}, false }, u"Chess"_s },
        { { {}, u"Wide"_s, {}, {}, {}, false }, u"Address Detail"_s },
        { { {}, {}, { u"Phone"_s, u"Shoe size"_s }, {}, {}, false }, u"Shoe size"_s },
        { { {}, {}, {}, {}, u"height"_s, false }, u"Email domain"_s },
    };
    for (const Case &c : cases) {
        const TableTextResult result = table(c.choices);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.text.isEmpty());
        EXPECT_TRUE(result.error.contains(c.mentions)) << result.error.toStdString();
    }
    const TableTextResult empty
        = ContactTableText::fromRead(DocumentReader::readText(u"no cards here"_s, InputFormat::VCard),
            u"/tmp/x.vcf"_s, u"public.vCard"_s, {}, t.defaults);
    EXPECT_TRUE(empty.error.contains(u"x.vcf"_s)) << empty.error.toStdString();
}

TEST_F(ContactTableTextTest, TheSenderIsOneAndLineBreaksOfEveryKindAreOneEscape)
{
    EXPECT_EQ(ContactTableText::escaped(u"a\r\nb\rc\nd\u2028e"_s), u"a\\nb\\nc\\nd\\ne"_s);
    t.open(Cards, { Ident::City });
    ASSERT_TRUE(t.table().checkBoxCellChanged(u"Sender"_s, 2, true)); // Cy
    const QStringList out = ContactTableText::tableText(t.table()).split(u'\n');
    EXPECT_EQ(out.at(3), u"1\tCy\t"_s);
    EXPECT_EQ(out.at(1), u"0\tAnn\tKyoto"_s);
}
