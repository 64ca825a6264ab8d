#include "FindTestSupport.h"
#include "find/FindPanel.h"
#include "find/FindPanelIndex.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// A document long enough for two threads to share the reading of the panel's index. The second one
// reads only what reading leaves unchanged, cards and records built and derived, and hands the others
// back; whatever state each record is in, the rows must be the full search's own.
class FindPanelSharedReadingTest : public FindFixture
{
protected:
    static constexpr int Rounds = 400;

    void SetUp() override
    {
        QString text;
        for (int i = 0; i < Rounds; ++i) {
            const QString n = QString::number(i);
            text += card(u"Müller%1;Ännchen;;;"_s.arg(n),
                u"ORG:ACME %1\r\nTEL;TYPE=HOME:+49 30 %1\r\nBDAY:1980-07-14\r\n"
                u"ADR;TYPE=WORK:;;Linden %1;Berlin;;10117;Deutschland\r\n"_s.arg(n));
            text += card(u"佐藤%1;花子;;;"_s.arg(n),
                u"X-PHONETIC-LAST-NAME:さとう%1\r\nitem1.X-ABDATE:2020-01-02\r\nitem1.X-ABLabel:記念日\r\n"_s
                    .arg(n));
            text += card(u"Fold%1;Fiona;;;"_s.arg(n), u"NOTE:a folded no\r\n te %1\r\n"_s.arg(n));
            text += card(
                u"Plain%1;Pat;;;"_s.arg(n), u"EMAIL:pat%1@plain.example\r\nNOTE:plain\\; %1\r\n"_s.arg(n));
        }
        load(text, { u"Name"_s });
    }

    // Every fifth contact stays as read; the others are built, then one in four of those derived
    // again, one in four left with a changed name or reading waiting to be derived.
    void mixStates()
    {
        const ContactTable &contacts = *top->contactTable;
        for (qsizetype i = 0; i < contacts.size(); ++i) {
            ZRPerson &person = *contacts.at(i)->person;
            switch (i % 5) {
            case 0:
                break;
            case 1:
                person.nameValue().insert(Ident::FirstName, u"Renamed%1"_s.arg(i)); // the card left unbuilt
                break;
            case 2:
                person.readPhoneticNameValue();
                person.addressValues();
                ASSERT_TRUE(person.valuesReadUnchanged());
                break;
            case 3:
                person.addressValues();
                person.nameValue().insert(Ident::MiddleName, u"Midway%1"_s.arg(i));
                ASSERT_FALSE(person.valuesReadUnchanged());
                break;
            case 4:
                person.readNameValue();
                person.phoneticNameValue().insert(Ident::LastName, u"よみ%1"_s.arg(i));
                ASSERT_FALSE(person.valuesReadUnchanged());
                break;
            }
        }
    }

    QStringList rows(FindPanel &panel, const QString &text, FindPanel::Mode mode)
    {
        panel.setContacts(*top->contactTable);
        panel.setCompareOptions(mode);
        panel.textDidEnter(text);
        QStringList out;
        for (const auto &r : panel.searchResults())
            out << r->name + u'/' + r->item + u'/' + r->subItem + u'/' + r->label + u'/' + r->value;
        return out;
    }

    int unbuilt() const
    {
        int count = 0;
        for (const ContactEntryPtr &contact : *top->contactTable)
            count += contact->person->hasUnbuiltValues() ? 1 : 0;
        return count;
    }
};

} // namespace

TEST_F(FindPanelSharedReadingTest, RecordsInEveryStateAreFoundAsTheFullSearchFindsThem)
{
    if (QThread::idealThreadCount() < 2)
        GTEST_SKIP() << "one processor: the index is read on one thread";
    mixStates();
    const int cards = unbuilt();
    int folded = 0;
    for (qsizetype i = 2; i < top->contactTable->size(); i += 4)
        folded += entry(int(i))->person->hasUnbuiltValues() ? 1 : 0;
    ASSERT_GT(folded, 0);
    FindPanel indexed(&controller);
    // Only the folded cards are built to read them: the others stand for their records.
    EXPECT_TRUE(rows(indexed, u"Qxzmarker"_s, FindPanel::Mode::CaseInsensitive).isEmpty());
    EXPECT_EQ(unbuilt(), cards - folded);

    const QStringList needles { u"Renamed"_s, u"Renamed1801"_s, u"Midway"_s, u"Midway1598"_s, u"よみ1599"_s,
        u"さとう399"_s, u"Linden 12"_s, u"pat1234@"_s, u"folded note 399"_s, u"(Mon"_s, u"plain; 7"_s,
        u"ACME 3"_s, u"+49 30 250"_s, u"記念日"_s, u"not anywhere"_s };
    int found = 0;
    for (const QString &needle : needles) {
        for (const auto mode : { FindPanel::Mode::CaseInsensitive, FindPanel::Mode::CaseSensitive }) {
            const QStringList got = rows(indexed, needle, mode);
            FindPanel full;
            const QStringList expected = rows(full, needle, mode);
            EXPECT_EQ(got, expected) << "search " << needle.toStdString() << " mode " << int(mode);
            found += expected.isEmpty() ? 0 : 1;
        }
    }
    EXPECT_GE(found, 20);
}
