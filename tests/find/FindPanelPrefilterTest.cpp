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
