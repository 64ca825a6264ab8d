#include "find/FindRowIndex.h"

#include "FindTestSupport.h"
#include "find/FindController.h"
#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;
using FindEngine::Direction;

namespace {

std::string describe(const std::optional<FindMatch> &m)
{
    if (!m)
        return "none";
    return QStringLiteral("%1 %2/%3 #%4 at %5+%6 item %7")
        .arg(m->uniqueId, m->identifier, m->subIdentifier)
        .arg(m->labelIndex)
        .arg(m->range.location)
        .arg(m->range.length)
        .arg(m->itemRange ? m->itemRange->location : -1)
        .toStdString();
}

bool sameMatch(const std::optional<FindMatch> &a, const std::optional<FindMatch> &b)
{
    if (!a || !b)
        return !a && !b;
    return a->uniqueId == b->uniqueId && a->identifier == b->identifier
        && a->subIdentifier == b->subIdentifier && a->labelIndex == b->labelIndex && a->range == b->range
        && a->itemRange == b->itemRange;
}

const QStringList Columns { u"Sender"_s, u"Name"_s, u"Phonetic Name"_s, u"Company"_s, u"Address"_s, u"ZIP"_s,
    u"City"_s, u"Phone"_s, u"Email"_s, u"Instant Message"_s, u"Note"_s, u"Birthday"_s };

} // namespace

class FindRowIndexTest : public FindFixture
{
protected:
    // People and organisations, family name first and last, several addresses (each its own row),
    // values beyond ASCII and full-width letters, and a contact with no values at all.
    void loadVariedTable()
    {
        load(card(u"Ärger;Ｚoe;;;"_s,
                 u"ORG:Bäcker\r\nADR;TYPE=HOME:;;Elm 1;Ａkita;;123;JP\r\nTEL:090-1111\r\nNOTE:ä and Ä\r\n"_s)
                + card(u"Lind;Mia;;;"_s,
                    u"ADR;TYPE=HOME:;;Oak 2;Kyoto;;456;JP\r\nADR;TYPE=WORK:;;Ash 3;Öby;;789;SE\r\n"
                    u"EMAIL:mia@oak.example\r\nTEL:0451\r\nTEL:0452\r\n"_s)
                + card(u";;;;"_s, u"ORG:Oak Holdings\r\nEMAIL:info@oak.example\r\n"_s)
                + card(u"Sato;Taro;;;"_s, u"NOTE:oak ＡＢＣ abc\r\nBDAY:2000-01-02\r\n"_s) + card(u";;;;"_s)
                + card(u"Ｏak;Äsa;;;"_s, u"ADR;TYPE=HOME:;;Birch 9;Akita;;123;JP\r\n"_s),
            Columns);
        entry(0)->person->setNameOrdering(1);
        entry(2)->person->setShowAsPerson(false);
        entry(3)->person->setNameOrdering(2);
        entry(3)->person->setValueForIdentifier(u"たろう"_s, Ident::PhoneticFirstName);
        entry(3)->person->setValueForIdentifier(u"さとう"_s, Ident::PhoneticLastName);
        entry(1)->person->addLabeledValue(QVariantMap { { Key::Label, u"home"_s }, { Key::Value, u"oaky"_s },
                                              { CN::InstantMessageAddressServiceKey, u"Skype"_s } },
            Ident::InstantMessage);
        table.updateTable();
    }

    // Steps through every match of text with the indexed find bar, comparing each with the plain
    // table search from the same place; `steps` goes past the last match to see the wrap.
    void expectSameAsPlainSearch(FindController &find, const QString &text, Direction direction, int steps)
    {
        find.setSelectedItemAndRange(std::nullopt);
        std::optional<FindMatch> current;
        for (int step = 0; step < steps; ++step) {
            FindMatch from;
            if (current) {
                from = *current;
            } else {
                // Where the find bar starts without a selection: the first row's name.
                from.contact = table.subContactTable().first();
                from.uniqueId = from.contact->uniqueId;
                from.identifier = Ident::Name;
                from.range = { 0, 0 };
            }
            const auto plain = FindEngine::findInTable(
                text, table.subContactTable(), table.columns(), from, find.caseSensitivity(), direction);
            const auto indexed = direction == Direction::Forward ? find.findNextString(text, false)
                                                                 : find.findPreviousString(text, false);
            const auto expected = plain ? plain : (current ? current : std::optional<FindMatch>(from));
            ASSERT_TRUE(sameMatch(indexed, expected))
                << text.toStdString() << " step " << step << ": " << describe(indexed) << " instead of "
                << describe(expected);
            current = indexed;
        }
    }
};

// The index only rules rows out: every needle finds the plain search's matches in the plain search's
// order, forwards and backwards, through the wrap, with and without case, folded beyond ASCII.
TEST_F(FindRowIndexTest, FindsWhatThePlainSearchFindsInEveryDirectionAndCase)
{
    loadVariedTable();
    ASSERT_EQ(table.subContactTable().size(), 7);
    const QString needles[] { u"oak"_s, u"ä"_s, u"Ä"_s, u"ａ"_s, u"Ａk"_s, u"a"_s, u"123"_s, u"sky"_s,
        u"oaky"_s, u"holdings"_s, u"kype:oa"_s, u"mia@"_s, u"ｚoe ä"_s, u"たろう"_s, u"2000"_s, u"zzz"_s,
        u"0"_s };
    // Without a company column the name cell of an organisation shows its company all the same.
    for (const QStringList &columns : { Columns, QStringList { u"Name"_s, u"Note"_s, u"City"_s } }) {
        table.setColumns(columns);
        table.updateTable();
        for (const bool caseInsensitive : { true, false }) {
            find.setCaseInsensitive(caseInsensitive);
            for (const QString &needle : needles) {
                for (const Direction direction : { Direction::Forward, Direction::Backward }) {
                    expectSameAsPlainSearch(find, needle, direction, 12);
                    EXPECT_GT(find.findIndexBytes(), 0) << "the index stood in for " << needle.toStdString();
                }
            }
        }
    }
    // Case folding beyond ASCII: full-width letters found through their other case only without case.
    find.setCaseInsensitive(true);
    find.setSelectedItemAndRange(std::nullopt);
    auto m = find.findNextString(u"ａｂｃ"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->identifier, Ident::Note);
    EXPECT_EQ(m->range.length, 3);
    find.setCaseInsensitive(false);
    find.setSelectedItemAndRange(std::nullopt);
    m = find.findNextString(u"ａｂｃ"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->range.length, 0); // still the starting place: nothing found
}

// Texts the index cannot stand in for are searched the plain way, with the same results.
TEST_F(FindRowIndexTest, TextsWithTheSeparatorOrBeyondThePlaneBypassTheIndex)
{
    load(card(u"𠮷田;Ｚoe;;;"_s) + card(u"Lind;Mia;;;"_s), { u"Name"_s });
    EXPECT_FALSE(
        FindRowIndex::canFilter(u"a"_s + QChar(FindEngine::SearchedTexts::Separator), Qt::CaseSensitive));
    EXPECT_FALSE(FindRowIndex::canFilter(u"𠮷"_s, Qt::CaseInsensitive));
    EXPECT_TRUE(FindRowIndex::canFilter(u"𠮷"_s, Qt::CaseSensitive));
    const auto m = find.findNextString(u"𠮷田"_s, false);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->uniqueId, entry(0)->uniqueId);
    EXPECT_EQ(find.findIndexBytes(), 0);
}

// Each change the find bar can meet makes the next find see the new text: an edit, its undo and redo
// through the controller, the table's columns, and the address formats.
TEST_F(FindRowIndexTest, NextFindSeesEveryChange)
{
    load(card(u"Miller;Ann;;;"_s, u"NOTE:mill pond\r\nADR;TYPE=HOME:;;Elm 1;Akita;;123;JP\r\n"_s)
            + card(u"Lind;Bo;;;"_s, u"ORG:Acme\r\n"_s),
        { u"Name"_s, u"Company"_s });
    const auto findsIn = [&](const QString &text, const QString &identifier, int contact) {
        find.setSelectedItemAndRange(std::nullopt);
        const auto m = find.findNextString(text, false);
        return m && m->identifier == identifier && m->range.length == text.size()
            && m->uniqueId == entry(contact)->uniqueId;
    };
    ASSERT_TRUE(findsIn(u"acme"_s, Ident::Company, 1));
    ASSERT_FALSE(findsIn(u"zenith"_s, Ident::Company, 1));
    ASSERT_GT(find.findIndexBytes(), 0);

    // An edit through the controller; the table is not reloaded.
    ASSERT_TRUE(controller.undoReplaceValue(u"Zenith"_s, Ident::Company, entry(1)));
    EXPECT_TRUE(findsIn(u"zenith"_s, Ident::Company, 1));
    EXPECT_FALSE(findsIn(u"acme"_s, Ident::Company, 1));
    controller.undo();
    EXPECT_TRUE(findsIn(u"acme"_s, Ident::Company, 1));
    EXPECT_FALSE(findsIn(u"zenith"_s, Ident::Company, 1));
    controller.redo();
    EXPECT_TRUE(findsIn(u"zenith"_s, Ident::Company, 1));

    // A column shown from now on is searched; one hidden no longer is.
    EXPECT_FALSE(findsIn(u"pond"_s, Ident::Note, 0));
    table.setColumns({ u"Name"_s, u"Note"_s });
    EXPECT_TRUE(findsIn(u"pond"_s, Ident::Note, 0));
    EXPECT_FALSE(findsIn(u"zenith"_s, Ident::Company, 1));

    // The address formats moved (and with them anything derived from an address): a value changed
    // without an edit, as a re-derivation does, is seen.
    table.setColumns({ u"Name"_s, u"City"_s });
    table.updateTable();
    EXPECT_TRUE(findsIn(u"akita"_s, Ident::City, 0));
    QVariantList &addresses = entry(0)->person->addressValues();
    QVariantMap address = addresses.first().toMap();
    address.insert(Ident::City, u"Sendai"_s);
    addresses.first() = address;
    AddressFormats::formatsChanged();
    EXPECT_TRUE(findsIn(u"sendai"_s, Ident::City, 0));
    EXPECT_FALSE(findsIn(u"akita"_s, Ident::City, 0));

    // The rows rebuilt in another order: a row known to hold the text is now elsewhere.
    table.setColumns({ u"Name"_s });
    table.updateTable();
    ASSERT_TRUE(findsIn(u"ann"_s, Ident::Name, 0));
    table.setSortDescriptor(SortDescriptor { Ident::LastName, true });
    table.updateSubContactTable(); // no reload signal: the rows themselves tell
    ASSERT_EQ(table.subContactTable().first()->uniqueId, entry(1)->uniqueId);
    EXPECT_TRUE(findsIn(u"ann"_s, Ident::Name, 0));
}

// The index holds the name as the cell composes it in either order, so a text running from one part
// into the other never rules the row out; the cell search then decides, exactly as without the index.
TEST_F(FindRowIndexTest, NameSpanningBothPartsIsNotRuledOut)
{
    load(card(u"Sato;Taro;;;"_s) + card(u"Lind;Mia;;;"_s), { u"Name"_s, u"Company"_s });
    FindRowIndex index;
    index.build(table.subContactTable(), table.columns(), 0);
    for (const int ordering : { 1, 2 }) {
        entry(0)->person->setNameOrdering(ordering);
        for (const QString &text : { u"Taro Sato"_s, u"sato taro"_s, u"o S"_s }) {
            for (const Direction direction : { Direction::Forward, Direction::Backward }) {
                auto mayMatch = index.filter(text, Qt::CaseInsensitive, direction);
                EXPECT_TRUE(mayMatch(0)) << text.toStdString();
                EXPECT_FALSE(mayMatch(1)) << text.toStdString();
            }
        }
    }
    for (const QString &text : { u"Taro Sato"_s, u"Sato Taro"_s }) {
        expectSameAsPlainSearch(find, text, Direction::Forward, 2);
        expectSameAsPlainSearch(find, text, Direction::Backward, 2);
    }
}

// Built a slice at a time (as the find bar does while a person types), the index rules out exactly
// the rows the index built at once rules out; a build begun for the table before an edit is not
// taken for the table after it.
TEST_F(FindRowIndexTest, BuiltInStepsItEqualsTheIndexBuiltAtOnce)
{
    QString cards;
    for (int i = 0; i < 300; ++i)
        cards += card(u"Person%1;Ann;;;"_s.arg(i), i % 7 == 0 ? u"NOTE:oak %1\r\n"_s.arg(i) : QString());
    load(cards, Columns);
    const ContactTable &rows = table.subContactTable();
    const QStringList &columns = table.columns();

    FindRowIndex whole;
    whole.build(rows, columns, 1);
    FindRowIndex stepped;
    stepped.startBuild(rows, columns, 1);
    int steps = 0;
    while (!stepped.buildSome(QDeadlineTimer(0)))
        ++steps;
    EXPECT_GT(steps, 2) << "each call stops once its time is up";
    EXPECT_TRUE(stepped.isBuiltFor(rows, columns, 1));
    EXPECT_EQ(stepped.memoryBytes(), whole.memoryBytes());
    for (const QString &needle : { u"oak 14"_s, u"Person29"_s, u"ann"_s, u"zzz"_s }) {
        auto a = whole.filter(needle, Qt::CaseInsensitive, Direction::Forward);
        auto b = stepped.filter(needle, Qt::CaseInsensitive, Direction::Forward);
        for (qsizetype row = 0; row < rows.size(); ++row)
            ASSERT_EQ(a(row), b(row)) << needle.toStdString() << " row " << row;
    }

    FindRowIndex interrupted;
    interrupted.startBuild(rows, columns, 1);
    EXPECT_FALSE(interrupted.buildSome(QDeadlineTimer(0)));
    EXPECT_TRUE(interrupted.isBuildingFor(rows, columns, 1));
    EXPECT_FALSE(interrupted.isBuildingFor(rows, columns, 2)) << "an edit came in between";
    EXPECT_FALSE(interrupted.isBuiltFor(rows, columns, 1));

    // The controller's slices end in the same matches as a search that builds the index itself.
    find.setCaseInsensitive(true);
    while (!find.prepareFindIndex(0)) { }
    EXPECT_GT(find.findIndexBytes(), 0);
    expectSameAsPlainSearch(find, u"oak 2"_s, Direction::Forward, 6);
}
