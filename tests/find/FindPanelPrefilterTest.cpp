#include "FindTestSupport.h"
#include "find/FindPanel.h"
#include "find/FindPanelIndex.h"
#include "find/FindPanelSearch.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QRandomGenerator>
#include <set>

using namespace Qt::StringLiterals;

namespace {

// The window's panel rules contacts out through its index of their texts; a panel with no window
// controller searches every record in full. Their rows must be the same, row for row.
class FindPanelPrefilterTest : public FindFixture
{
protected:
    void SetUp() override
    {
        QString text;
        text += card(u"Müller;Ännchen;;Dr.;"_s,
            u"ORG:ACME GmbH\r\nNOTE:Straße und STRASSE\\nzweite Zeile\r\nTEL;TYPE=HOME:+49 30 1234\r\n"
            u"TEL;TYPE=WORK:030-9999\r\nEMAIL;TYPE=WORK:anna@acme.example\r\nBDAY:1980-07-14\r\n"_s);
        text += card(u"佐藤;花子;;;"_s,
            u"X-PHONETIC-LAST-NAME:さとう\r\nX-PHONETIC-FIRST-NAME:はなこ\r\n"
            u"ADR;TYPE=HOME:;;千代田1-1;千代田区;東京都;100-0001;日本\r\nX-RENMEI:太郎\r\n"
            u"item1.X-ABDATE:2020-01-02\r\nitem1.X-ABLABEL:結婚記念日\r\n"_s);
        text += card(u"O'Brien;Siobhan;;;"_s,
            u"IMPP;X-SERVICE-TYPE=Skype:skype:siobhan.ob\r\nURL:https://ob.example/Siobhan\r\n"
            u"item2.TEL:555-0101\r\nitem2.X-ABLABEL:Boat\r\nNICKNAME:Shiv\r\nTITLE:ΑΡΧΙΤΈΚΤΩΝ\r\n"_s);
        text += card(u";;;;"_s, u"ORG:空の会社\r\n"_s);
        text += card(u"Zed;Ab;;;"_s, u"ADR;TYPE=WORK:;;Abbey Road 3;London;;NW8;UK\r\nNOTE:no match\r\n"_s);
        load(text, { u"Name"_s, Ident::Company });
    }

    struct Filters
    {
        QStringList items { LabelText::All };
        QStringList subItems { LabelText::All };
        QStringList labels { LabelText::All };
    };

    static QStringList describe(const FindPanel &panel)
    {
        QStringList out;
        for (const auto &r : panel.searchResults()) {
            QString line = r->name + u'/' + r->item + u'/' + r->subItem + u'/' + r->label + u'/' + r->value;
            for (const FindRange &range : r->ranges)
                line += u" %1:%2"_s.arg(range.location).arg(range.length);
            out << line;
        }
        return out;
    }

    QStringList search(FindPanel &panel, const QString &text, FindPanel::Mode mode, const Filters &filters)
    {
        panel.setContacts(*top->contactTable);
        panel.setSelectedItems(filters.items);
        panel.setSelectedSubItems(filters.subItems);
        panel.setSelectedLabels(filters.labels);
        panel.setCompareOptions(mode);
        panel.textDidEnter(text);
        return describe(panel);
    }

    // Both panels' rows for the text, and whether there were any.
    bool expectSameRows(const QString &text, FindPanel::Mode mode)
    {
        return expectSameRows(text, mode, Filters());
    }
    bool expectSameRows(const QString &text, FindPanel::Mode mode, const Filters &filters)
    {
        FindPanel full;
        const QStringList expected = search(full, text, mode, filters);
        EXPECT_EQ(search(indexed, text, mode, filters), expected)
            << "search " << text.toStdString() << " mode " << int(mode);
        return !expected.isEmpty();
    }

    // Every value the panel can find, as a search for everything shows it.
    QStringList values()
    {
        FindPanel all;
        search(all, u"."_s, FindPanel::Mode::Regex, Filters());
        QStringList out;
        for (const auto &r : all.searchResults())
            out << r->value;
        return out;
    }

    FindPanel indexed { &controller };
};

} // namespace

TEST_F(FindPanelPrefilterTest, PiecesOfEveryValueFindWhatTheFullSearchFinds)
{
    const QStringList texts = values();
    ASSERT_GT(texts.size(), 20);
    // Pieces of every value in its own case, upper and lower: the index must never drop a true hit.
    QRandomGenerator random(20);
    std::set<QString> needles;
    for (const QString &value : texts) {
        for (int i = 0; i < 4; ++i) {
            const qsizetype from = random.bounded(int(value.size()));
            const QString piece = value.mid(from, 1 + random.bounded(6));
            needles.insert(piece);
            needles.insert(piece.toUpper());
            needles.insert(piece.toLower());
        }
    }
    // Texts that run from one value into the next, or hold nothing.
    needles.insert(u"ACME GmbH+49"_s);
    needles.insert(u"さとうはなこ"_s);
    needles.insert(u"not anywhere"_s);
    int found = 0;
    for (const QString &needle : needles) {
        for (const auto mode : { FindPanel::Mode::CaseInsensitive, FindPanel::Mode::CaseSensitive })
            found += expectSameRows(needle, mode) ? 1 : 0;
    }
    EXPECT_GT(found, int(needles.size())) << "most pieces are found in at least one mode";
}

TEST_F(FindPanelPrefilterTest, FiltersDatesAndPatternsGiveTheFullSearchsRows)
{
    Filters home;
    home.labels = { u"home"_s };
    EXPECT_TRUE(expectSameRows(u"1"_s, FindPanel::Mode::CaseInsensitive, home));
    Filters parts;
    parts.subItems = { Ident::City, Ident::LastName };
    EXPECT_TRUE(expectSameRows(u"o"_s, FindPanel::Mode::CaseInsensitive, parts));
    Filters items;
    items.items = { Ident::Note, Ident::Birthday, Ident::Dates, Ident::City };
    EXPECT_TRUE(expectSameRows(u"0"_s, FindPanel::Mode::CaseSensitive, items)) << "the dates as they read";
    EXPECT_TRUE(expectSameRows(u"(thu)"_s, FindPanel::Mode::CaseInsensitive, items));
    EXPECT_TRUE(expectSameRows(u"STRASSE"_s, FindPanel::Mode::CaseInsensitive, items));
    // A pattern reads every record in full; its rows are compared all the same.
    EXPECT_TRUE(expectSameRows(u"[0-9]{3}-"_s, FindPanel::Mode::Regex));
    EXPECT_TRUE(expectSameRows(u"ΑΡΧΙ"_s, FindPanel::Mode::CaseInsensitive));
    EXPECT_TRUE(expectSameRows(u"αρχι"_s, FindPanel::Mode::CaseInsensitive));
    EXPECT_FALSE(expectSameRows(u"αρχι"_s, FindPanel::Mode::CaseSensitive));
}

// Texts read for one state of the document must not answer for the next: an edit, its undo and a
// change of the chosen items are each searched afresh.
TEST_F(FindPanelPrefilterTest, EditsAndUndoAreFoundAtOnce)
{
    indexed.setEditState(true);
    EXPECT_TRUE(expectSameRows(u"London"_s, FindPanel::Mode::CaseSensitive));
    indexed.selectRow(0);
    EXPECT_EQ(indexed.replaceAll(u"Paris"_s), 1);
    EXPECT_TRUE(expectSameRows(u"Paris"_s, FindPanel::Mode::CaseSensitive));
    EXPECT_FALSE(expectSameRows(u"London"_s, FindPanel::Mode::CaseSensitive));
    controller.undo();
    EXPECT_TRUE(expectSameRows(u"London"_s, FindPanel::Mode::CaseSensitive));
    EXPECT_FALSE(expectSameRows(u"Paris"_s, FindPanel::Mode::CaseSensitive));

    Filters items;
    items.items = { Ident::Company };
    EXPECT_TRUE(expectSameRows(u"会社"_s, FindPanel::Mode::CaseSensitive, items));
    items.items = { Ident::Note };
    EXPECT_FALSE(expectSameRows(u"会社"_s, FindPanel::Mode::CaseSensitive, items));
}

TEST_F(FindPanelPrefilterTest, TheIndexPassesOverContactsWithoutTheText)
{
    FindPanelIndex index;
    const ContactTable &contacts = *top->contactTable;
    index.start(contacts, { LabelText::All }, 0);
    EXPECT_TRUE(index.isFor(contacts, { LabelText::All }, 0));
    EXPECT_FALSE(index.isFor(contacts, { LabelText::All }, 1));
    EXPECT_FALSE(index.isFor(contacts, { Ident::Note }, 0));
    index.readUpTo(contacts.size());
    ASSERT_EQ(index.readCount(), contacts.size());
    const qsizetype count = contacts.size();
    const auto holder = [&](const QString &needle, qsizetype from = 0) {
        return index.nextHolder(from, count, needle, Qt::CaseInsensitive);
    };
    const qsizetype zed = holder(u"abbey"_s);
    ASSERT_LT(zed, count);
    EXPECT_EQ(contacts.at(zed)->person->valueForIdentifier(Ident::LastName).toString(), u"Zed"_s);
    EXPECT_EQ(holder(u"abbey"_s, zed + 1), count);
    EXPECT_EQ(holder(u"Road 3London"_s), count) << "no match runs from one value into the next";
    EXPECT_EQ(index.nextHolder(zed, zed, u"abbey"_s, Qt::CaseInsensitive), zed) << "an empty span";

    EXPECT_FALSE(FindPanelIndex::canFilter(QString(), Qt::CaseSensitive));
    EXPECT_FALSE(
        FindPanelIndex::canFilter(QString(QChar(FindPanelSearch::TextSeparator)), Qt::CaseSensitive));
    EXPECT_FALSE(FindPanelIndex::canFilter(u"😀"_s, Qt::CaseInsensitive));
    EXPECT_TRUE(FindPanelIndex::canFilter(u"😀"_s, Qt::CaseSensitive));
}

namespace {

// A document searched first by the window's panel as soon as it is opened, its records' values still
// unbuilt: the contacts are ruled out from their cards' texts, and the rows must be those of the full
// search all the same, whatever the card holds.
class FindPanelFreshDocumentTest : public FindPanelPrefilterTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FindPanelIndex::cardTextsUsed());
        text += card(u"Müller;Ännchen;;Dr.;"_s,
            u"ORG:Smith\\, Jones & Co;R\\;D\r\nNOTE:Straße und STRASSE\\nzweite Zeile\r\n"
            u"TEL;TYPE=HOME:+49 30 1234\r\nBDAY:1980-07-14\r\n"
            u"ADR;TYPE=WORK:;;Unter den Linden 5\\nHof 2;Berlin;;10117;Deutschland\r\n"_s);
        text += card(u"佐藤;花子;;;"_s,
            u"X-PHONETIC-LAST-NAME:さとう\r\nitem1.X-ABDATE:2020-01-02\r\nitem1.X-ABLabel:結婚記念日\r\n"
            u"item2.ADR:;;丸の内2-7-3;千代田区;東京都;100-0005;\r\nitem2.X-ABADR:jp\r\n"_s);
        text += card(u"O'Brien;Siobhan;;;"_s,
            u"X-SOCIALPROFILE;TYPE=twitter;x-user=shiv_ob:http://twitter.com/siobhan_web\r\n"
            u"IMPP;X-SERVICE-TYPE=Skype:skype:siobhan.ob\r\nURL:https://ob.example/Siobhan\r\n"
            u"ANNIVERSARY:--0714\r\n"_s);
        text += card(u"Fold;Fiona;;;"_s,
            u"NOTE:a folded no\r\n te here\r\nIMPP:xmpp:fiona%40chat.example\r\n"
            u"X-ANDROID-CUSTOM:vnd.android.cursor.item/contact_event;1999-12-31;1;;\r\n"_s);
        text += card(u"Quoted;Quinn;;;"_s,
            u"NOTE;ENCODING=QUOTED-PRINTABLE:caf=C3=A9 =\r\nau lait\r\n"
            u"X-FCENCODED-582D46432D4F7468657244617465733A616E6E6976657273617279:2001-02-03\r\n"_s);
        text += card(u"Plain;Pat;;;"_s,
            u"EMAIL;TYPE=WORK:pat@plain.example\r\nX-ABRELATEDNAMES:Chris\r\nNOTE:plain\\; simple\r\n"
            u"ADR ;TYPE=HOME: Box 9 ;;Ring 1;Halle;;;\r\nLABEL;TYPE=WORK: Hinterhof 3 \\n  Leipzig\r\n"_s);
        load(text, { u"Name"_s });
    }

    int unbuilt() const
    {
        int count = 0;
        for (const ContactEntryPtr &contact : *top->contactTable)
            count += contact->person->hasUnbuiltValues() ? 1 : 0;
        return count;
    }

    QString text;
};

} // namespace

TEST_F(FindPanelFreshDocumentTest, PiecesOfEveryValueFindWhatTheFullSearchFinds)
{
    // A name with a prefix is composed with the string values, which are built as the file is read.
    ASSERT_EQ(unbuilt(), int(top->contactTable->size()) - 1) << "the document opens with its values unbuilt";
    // The name is built as the card is read and can change without the other values being built.
    entry(5)->person->nameValue().insert(Ident::FirstName, u"Renamed"_s);
    ASSERT_TRUE(entry(5)->person->hasUnbuiltValues());

    // The values and what to look for come from a document of the same cards opened apart.
    std::set<QString> needles { u"Renamed"_s, u"Pat"_s, u"shiv_ob"_s, u"siobhan_web"_s, u"folded note"_s,
        u"fiona@chat"_s, u"café au"_s, u"Smith, Jones"_s, u"R;D"_s, u"Zeile"_s, u"5\nHof"_s,
        u"not anywhere"_s, u"(Mon"_s, u"07.14"_s, u"12.31"_s, u"2001.02.03"_s, u"2020.01"_s,
        u"plain; simple"_s, u"Box 9\nRing 1"_s, u"Hinterhof 3\nLeipzig"_s };
    {
        TestHubOf<SearchableDocumentHub> other;
        other.open(text, { u"Name"_s });
        FindPanel all;
        all.setContacts(*other.top()->contactTable);
        all.setCompareOptions(FindPanel::Mode::Regex);
        all.textDidEnter(u"."_s);
        QRandomGenerator random(7);
        for (const auto &r : all.searchResults()) {
            for (int i = 0; i < 3; ++i) {
                const QString piece
                    = r->value.mid(random.bounded(int(r->value.size())), 1 + random.bounded(5));
                needles.insert(piece);
                needles.insert(piece.toUpper());
            }
        }
    }
    // Every search of the indexed panel first, while the cards still stand for their records.
    std::vector<QStringList> indexedRows;
    for (const QString &needle : needles) {
        for (const auto mode : { FindPanel::Mode::CaseInsensitive, FindPanel::Mode::CaseSensitive })
            indexedRows.push_back(search(indexed, needle, mode, Filters()));
    }
    auto rows = indexedRows.cbegin();
    int found = 0;
    for (const QString &needle : needles) {
        for (const auto mode : { FindPanel::Mode::CaseInsensitive, FindPanel::Mode::CaseSensitive }) {
            FindPanel full;
            const QStringList expected = search(full, needle, mode, Filters());
            EXPECT_EQ(*rows++, expected) << "search " << needle.toStdString() << " mode " << int(mode);
            found += expected.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_GT(found, int(needles.size()));
}

TEST_F(FindPanelFreshDocumentTest, OnlyTheRecordsOfCandidatesAreBuilt)
{
    const int cards = unbuilt();
    // The cards with a fold, a percent sign or a transfer encoding are read as records at once.
    search(indexed, u"Qxzmarker"_s, FindPanel::Mode::CaseInsensitive, Filters());
    EXPECT_TRUE(indexed.searchResults().isEmpty());
    EXPECT_EQ(unbuilt(), cards - 2);
    EXPECT_EQ(search(indexed, u"SIOBHAN.ob"_s, FindPanel::Mode::CaseInsensitive, Filters()).size(), 1);
    EXPECT_EQ(unbuilt(), cards - 3);
    EXPECT_FALSE(entry(2)->person->hasUnbuiltValues());
    // A piece of a date may be in any card's dates: the cards that hold one are built to know.
    search(indexed, u"(mon"_s, FindPanel::Mode::CaseInsensitive, Filters());
    EXPECT_EQ(unbuilt(), 1);
    EXPECT_TRUE(entry(5)->person->hasUnbuiltValues());
    // A pattern reads every record, as before.
    EXPECT_FALSE(search(indexed, u"Pat$"_s, FindPanel::Mode::Regex, Filters()).isEmpty());
}

// The window reads the index while the user types: what it reads must serve the search that follows
// as the search's own reading would, and an edit made after it must still be found.
TEST_F(FindPanelFreshDocumentTest, AnIndexReadAheadServesTheSearchAndGivesWayToEdits)
{
    const int cards = unbuilt();
    indexed.setContacts(*top->contactTable);
    EXPECT_TRUE(indexed.prepareIndex(std::chrono::seconds(1)));
    EXPECT_GT(indexed.indexMemoryBytes(), 0);
    EXPECT_EQ(unbuilt(), cards - 2) << "reading ahead builds only the records the cards cannot stand for";
    EXPECT_EQ(search(indexed, u"SIOBHAN.ob"_s, FindPanel::Mode::CaseInsensitive, Filters()).size(), 1);
    EXPECT_EQ(unbuilt(), cards - 3);
    // A running search reads the index itself: reading ahead leaves it alone.
    indexed.setSearchInSlices(true);
    indexed.textDidEnter(u"Plain"_s);
    EXPECT_TRUE(indexed.prepareIndex(std::chrono::seconds(1)));
    indexed.completeSearch();
    indexed.setSearchInSlices(false);

    indexed.setEditState(true);
    EXPECT_TRUE(expectSameRows(u"simple"_s, FindPanel::Mode::CaseSensitive));
    indexed.selectRow(0);
    EXPECT_EQ(indexed.replaceAll(u"Paris"_s), 1);
    EXPECT_TRUE(indexed.prepareIndex(std::chrono::seconds(1)));
    EXPECT_TRUE(expectSameRows(u"Paris"_s, FindPanel::Mode::CaseSensitive));
    EXPECT_FALSE(expectSameRows(u"simple"_s, FindPanel::Mode::CaseSensitive));
}
