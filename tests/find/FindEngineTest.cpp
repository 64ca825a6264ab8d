#include "find/FindEngine.h"

#include "FindTestSupport.h"
#include "find/FindController.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;
using FindEngine::Direction;

namespace {
constexpr qsizetype NF = FindRange::NotFound;
}

TEST(FindLookForString, ForwardBackwardAndBounds)
{
    struct Row
    {
        const char *text;
        FindRange current;
        Direction direction;
        Qt::CaseSensitivity cs;
        FindRange expected;
    };
    const Row rows[] = {
        { "abcabc", { NF, 0 }, Direction::Forward, Qt::CaseSensitive, { 0, 3 } },
        { "abcabc", { 0, 3 }, Direction::Forward, Qt::CaseSensitive, { 3, 3 } },
        { "abcabc", { 3, 3 }, Direction::Forward, Qt::CaseSensitive, {} }, // at the end: none
        { "abcabc", { 3, 3 }, Direction::Backward, Qt::CaseSensitive, { 0, 3 } },
        { "abcabc", { NF, 0 }, Direction::Backward, Qt::CaseSensitive, { 3, 3 } }, // last occurrence
        { "abcab", { 2, 0 }, Direction::Backward, Qt::CaseSensitive, {} }, // only "ab" before
        { "ABCabc", { NF, 0 }, Direction::Forward, Qt::CaseSensitive, { 3, 3 } },
        { "ABCabc", { NF, 0 }, Direction::Forward, Qt::CaseInsensitive, { 0, 3 } },
        { "abc", { 1, NF }, Direction::Forward, Qt::CaseSensitive, {} }, // hostile length
        { "", { NF, 0 }, Direction::Forward, Qt::CaseInsensitive, {} },
    };
    for (const Row &r : rows) {
        EXPECT_EQ(
            FindEngine::lookForString(u"abc"_s, QString::fromUtf8(r.text), r.current, r.cs, r.direction),
            r.expected)
            << r.text << " from " << r.current.location;
    }
    // Case folding beyond ASCII.
    EXPECT_EQ(FindEngine::lookForString(u"ä"_s, u"XÄ"_s, {}, Qt::CaseInsensitive).location, 1);
    EXPECT_EQ(FindEngine::lookForString(u"ａ"_s, u"Ａ"_s, {}, Qt::CaseInsensitive).location, 0);
    EXPECT_FALSE(FindEngine::lookForString(u"ä"_s, u"XÄ"_s, {}, Qt::CaseSensitive).found());
}

class FindEngineTest : public FindFixture
{
protected:
    std::optional<FindMatch> cell(const QString &text, const QString &identifier,
        const ContactEntryPtr &contact, Direction direction = Direction::Forward, FindRange range = {},
        const QString &sub = QString(), bool panel = false)
    {
        FindEngine::CellQuery q;
        q.findString = text;
        q.identifier = identifier;
        q.subIdentifier = sub;
        q.range = range;
        q.contact = contact;
        q.infoPanel = panel;
        q.labelIndex = 0;
        return FindEngine::findInCell(q, direction);
    }
};

TEST_F(FindEngineTest, NameCellPartsInDisplayOrder)
{
    load(card(u"Smith;John;;;"_s) + card(u";;;;"_s, u"ORG:Acme\r\n"_s) + card(u"Brown;;;;"_s), { u"Name"_s });
    entry(0)->person->setNameOrdering(1);
    // "John Smith": the last name starts after the first name and one space.
    auto m = cell(u"smi"_s, Ident::Name, entry(0));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->range, (FindRange { 5, 3 }));
    EXPECT_EQ(m->itemRange, (FindRange { 0, 3 }));
    EXPECT_EQ(m->subIdentifier, Ident::LastName);

    // Family name first: the same match now starts the cell.
    entry(0)->person->setNameOrdering(2);
    m = cell(u"smi"_s, Ident::Name, entry(0));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->range, (FindRange { 0, 3 }));

    // An empty first name still leaves its space.
    entry(2)->person->setNameOrdering(1);
    m = cell(u"bro"_s, Ident::Name, entry(2));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->range.location, 1);

    // An organisation's name cell shows its company.
    entry(1)->person->setShowAsPerson(false);
    m = cell(u"cme"_s, Ident::Name, entry(1));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->range, (FindRange { 1, 3 }));
    EXPECT_FALSE(m->itemRange);
}

TEST_F(FindEngineTest, AddressInstantMessageAndDates)
{
    load(card(u"A;B;;;"_s, u"ADR;TYPE=HOME:;;Main Street 1;Springfield;;12345;US\r\nBDAY:2000-01-02\r\n"_s),
        { u"Name"_s, u"Address"_s });
    ZRPerson &person = *entry(0)->person;
    person.addLabeledValue(QVariantMap { { Key::Label, u"home"_s }, { Key::Value, u"sky"_s },
                               { CN::InstantMessageAddressServiceKey, u"Skype"_s } },
        Ident::InstantMessage);

    auto m = cell(u"spring"_s, Ident::Address, entry(0));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->subIdentifier, Ident::City);
    EXPECT_EQ(m->itemRange, (FindRange { 0, 6 }));
    const QString display = person.stringValueForIdentifierAtLabelIndex(Ident::Address, 0);
    EXPECT_EQ(display.mid(m->range.location, m->range.length), u"Spring"_s);
    // Searching on from that match does not find it again; backwards from it finds the street.
    EXPECT_FALSE(cell(u"spring"_s, Ident::Address, entry(0), Direction::Forward, m->range));
    auto back = cell(u"main"_s, Ident::Address, entry(0), Direction::Backward, m->range);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->subIdentifier, Ident::Street);
    // The address part column searches the one part.
    EXPECT_TRUE(cell(u"123"_s, Ident::ZIP, entry(0)));
    EXPECT_FALSE(cell(u"main"_s, Ident::ZIP, entry(0)));

    // "Skype:sky": the service part first, then the user name after the colon.
    m = cell(u"sky"_s, Ident::InstantMessage, entry(0));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->subIdentifier, CN::InstantMessageAddressServiceKey);
    m = cell(u"sky"_s, Ident::InstantMessage, entry(0), Direction::Forward, m->range, m->subIdentifier);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->subIdentifier, CN::InstantMessageAddressUsernameKey);
    EXPECT_EQ(m->range, (FindRange { 6, 3 }));
    EXPECT_EQ(m->itemRange, (FindRange { 0, 3 }));

    EXPECT_FALSE(cell(u"2000"_s, Ident::Birthday, entry(0)));
}

TEST_F(FindEngineTest, TableSearchWrapsAndSkipsRows)
{
    load(card(u"Xa;Yb;;;"_s, u"ORG:Acme\r\nTEL:111\r\nTEL:222\r\n"_s)
            + card(u"Zed;Q;;;"_s, u"ORG:other\r\n"_s),
        { u"Sender"_s, u"Name"_s, u"Company"_s, u"Phone"_s });
    ASSERT_EQ(table.subContactTable().size(), 3);

    EXPECT_FALSE(find.findNextString(QString(), false)); // empty text: nothing
    EXPECT_FALSE(find.selectedItemAndRange());

    auto m = find.findNextString(u"222"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::Phone);
    EXPECT_EQ(m->labelIndex, 1);

    // A text found nowhere leaves the selected item as it was.
    const FindMatch before = *m;
    m = find.findNextString(u"nowhere"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->range, before.range);
    EXPECT_EQ(m->uniqueId, before.uniqueId);

    // Only match lies before the current one in the same cell: found after the whole wrap.
    find.setSelectedItemAndRange(
        FindMatch { entry(1), entry(1)->uniqueId, Ident::Company, {}, 0, { 3, 2 }, {} });
    m = find.findNextString(u"oth"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::Company);
    EXPECT_EQ(m->range, (FindRange { 0, 3 }));
    EXPECT_EQ(m->uniqueId, entry(1)->uniqueId);

    // Backwards from there goes up to the first contact.
    m = find.findPreviousString(u"a"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->uniqueId, entry(0)->uniqueId);

    // A starting row without a record: the row after it is searched from its beginning, not from
    // the place of a match that lay in another row.
    ContactTable rows { std::make_shared<ContactEntry>(), entry(1) };
    rows.first()->uniqueId = u"no record"_s;
    const auto fromStart = FindEngine::findInTable(u"oth"_s, rows, { Ident::Company },
        FindMatch { rows.first(), u"no record"_s, Ident::Company, {}, 0, { 3, 2 }, {} }, Qt::CaseInsensitive,
        Direction::Forward);
    ASSERT_TRUE(fromStart);
    EXPECT_EQ(fromStart->range, (FindRange { 0, 3 }));
}

TEST_F(FindEngineTest, PanelSearchStaysInItsContact)
{
    load(card(u"Miller;Ann;;;"_s, u"NOTE:mill pond\r\n"_s) + card(u"Mill;Bo;;;"_s), { u"Name"_s });
    find.setPanelContact(entry(0));
    auto m = find.findNextString(u"mill"_s, true);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->subIdentifier, Ident::LastName);
    m = find.findNextString(u"mill"_s, true);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::Note);
    // Previous from the note goes back to the name, never to the other contact.
    m = find.findPreviousString(u"mill"_s, true);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::Name);
    EXPECT_EQ(m->uniqueId, entry(0)->uniqueId);
    m = find.findNextString(u"mill"_s, true);
    m = find.findNextString(u"mill"_s, true); // wraps to the name again
    EXPECT_EQ(m->identifier, Ident::Name);
}

// The table search reads a row's plain columns together and the name cell in one walk: the same
// matches as one cell at a time, with case folding beyond ASCII.
TEST_F(FindEngineTest, TableSearchFoldsCaseInEveryKindOfColumn)
{
    load(card(u"Ärger;Ｚoe;;;"_s, u"ORG:Bäcker\r\nADR;TYPE=HOME:;;Elm 1;Ａkita;;123;JP\r\n"_s)
            + card(u"Lind;Mia;;;"_s,
                u"ADR;TYPE=HOME:;;Oak 2;Kyoto;;456;JP\r\nADR;TYPE=WORK:;;Ash 3;Öby;;789;SE\r\n"_s),
        { u"Sender"_s, u"Name"_s, u"Company"_s, u"ZIP"_s, u"City"_s });
    entry(0)->person->setNameOrdering(1);
    const struct
    {
        QString text;
        QString identifier;
        FindRange range;
    } expected[] = {
        { u"ä"_s, Ident::Name, { 4, 1 } }, // "Ｚoe Ärger": the family name after the space
        { u"ｚO"_s, Ident::Name, { 0, 2 } }, // full-width, folded
        { u"BÄCK"_s, Ident::Company, { 0, 4 } },
        { u"ａkI"_s, Ident::City, { 0, 3 } },
    };
    for (const auto &e : expected) {
        find.setSelectedItemAndRange(std::nullopt);
        const auto m = find.findNextString(e.text, false);
        ASSERT_TRUE(m) << e.text.toStdString();
        EXPECT_EQ(m->identifier, e.identifier) << e.text.toStdString();
        EXPECT_EQ(m->range, e.range) << e.text.toStdString();
        EXPECT_EQ(m->uniqueId, entry(0)->uniqueId);
    }
    // The second address of a contact is its own row, searched in its address columns only.
    find.setSelectedItemAndRange(std::nullopt);
    auto m = find.findNextString(u"öB"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::City);
    EXPECT_EQ(m->labelIndex, 1);
    EXPECT_TRUE(FindEngine::findInTable(
        u"Är"_s, table.subContactTable(), table.columns(), {}, Qt::CaseSensitive, Direction::Forward));
    EXPECT_FALSE(FindEngine::findInTable(
        u"äR"_s, table.subContactTable(), table.columns(), {}, Qt::CaseSensitive, Direction::Forward));

    // A match before the current one in the same address cell is found after the whole wrap.
    find.setSelectedItemAndRange(FindMatch { entry(1), entry(1)->uniqueId, Ident::ZIP, {}, 1, { 1, 2 }, {} });
    m = find.findNextString(u"78"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::ZIP);
    EXPECT_EQ(m->labelIndex, 1);
    EXPECT_EQ(m->range, (FindRange { 0, 2 }));
    // Backwards from the first row's name wraps to the last row's city.
    find.setSelectedItemAndRange(
        FindMatch { entry(0), entry(0)->uniqueId, Ident::Name, {}, 0, { 0, 0 }, {} });
    m = find.findPreviousString(u"y"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::City);
    EXPECT_EQ(m->labelIndex, 1);
}
