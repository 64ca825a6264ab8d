// The table sorts by ranks of prepared values; these tests hold that order to the one a stable sort with
// the plain row comparator gives, on rows built to meet every rule of the comparator.

#include "common/PinnedDefaultsTest.h"
#include "document/ContactSort.h"
#include "document/SubRowSort.h"
#include "document/TextRanks.h"
#include "model/DateComponents.h"

#include <QLocale>
#include <algorithm>
#include <numeric>
#include <random>

using namespace Qt::StringLiterals;

namespace {

class SortOrderEquivalenceTest : public PinnedDefaultsTest
{
protected:
    void SetUp() override
    {
        PinnedDefaultsTest::SetUp();
        std::mt19937 random(11);
        auto pick = [&](const QStringList &from) { return from.at(int(random() % from.size())); };
        // Case variants the collator ties, accented and Japanese texts, and empty ones.
        const QStringList names { u"anna"_s, u"Anna"_s, u"ANNA"_s, u"Zoë"_s, u"zoe"_s, u"Émile"_s, u"eve"_s,
            u"山田"_s, u"やまだ"_s, u"ヤマダ"_s, u"straße"_s, u"STRASSE"_s, u"Ångström"_s, QString() };
        const QStringList cities { u"Osaka"_s, u"osaka"_s, u"Kyōto"_s, u"京都"_s, QString() };
        const QStringList emails { u"a@Beta.net"_s, u"A@beta.net"_s, u"plain"_s, u"x@"_s, u"é@zeta.org"_s };
        for (int i = 0; i < 120; ++i) {
            auto p = ZRPerson::create();
            if (i % 10 != 5) { // else a contact without a name
                p->setValueForIdentifier(pick(names), Ident::FirstName);
                p->setValueForIdentifier(pick(names), Ident::LastName);
            }
            p->setValueForIdentifier(pick(names), Ident::PhoneticFirstName);
            if (i % 9 == 0) {
                p->setValueForIdentifier(pick(names), Ident::Company);
                p->setShowAsPerson(false);
            }
            p->setValueForIdentifier(pick(names), Ident::Note);
            if (i % 3 != 0) {
                const int year = i % 4 == 0 ? 0 : 1980 + int(random() % 3); // no year, or a few shared
                p->setValueForIdentifier(
                    QVariant::fromValue(DateComponents { year, 1 + int(random() % 2), 1 }), Ident::Birthday);
            }
            const int values = int(random() % 4); // 0 to 3 values per field: 1 to 3 rows
            for (int v = 0; v < values; ++v) {
                add(*p, Ident::Email, { { Key::Label, u"home"_s }, { Key::Value, pick(emails) } });
                add(*p, Ident::Dates,
                    { { Key::Label, u"other"_s },
                        { Key::Value,
                            QVariant::fromValue(DateComponents { 2000 + int(random() % 3), 2, 2 }) } });
                add(*p, Ident::Address,
                    { { Key::Label, v % 2 ? u"work"_s : u"home"_s }, { Ident::City, pick(cities) },
                        { Ident::ZIP, QString::number(100 + random() % 3) } });
            }
            p->compositeName();
            for (int row = 0; row < std::max(1, values); ++row) {
                ContactEntry entry;
                entry.person = p;
                entry.uniqueId = u"%1#%2"_s.arg(i).arg(row);
                entry.labelIndex = row;
                m_rows.append(entry);
            }
        }
    }

    static void add(ZRPerson &p, const QString &identifier, const QVariantMap &entry)
    {
        p.addLabeledValue(entry, identifier);
    }
    static QStringList ids(const QList<ContactEntry> &rows)
    {
        QStringList out;
        for (const ContactEntry &row : rows)
            out << row.uniqueId;
        return out;
    }
    static QStringList ids(const ContactTable &table)
    {
        QStringList out;
        for (const ContactEntryPtr &entry : table)
            out << (entry->person ? entry->uniqueId : u"-"_s);
        return out;
    }

    // Every key the rows answer differently: names, parts at the row's position, dates, plain fields.
    const QStringList m_keys { u"FirstName"_s, u"LastName"_s, u"Name"_s, u"compositeName"_s,
        u"PhoneticFirstName"_s, u"Phonetic Name"_s, u"Email"_s, u"Email domain"_s, u"Email username"_s,
        u"City"_s, u"ZIP"_s, u"Address label"_s, u"Address"_s, u"Dates"_s, u"Birthday"_s, u"Note"_s,
        u"Company"_s };
    QList<ContactEntry> m_rows;
};

} // namespace

TEST_F(SortOrderEquivalenceTest, SubRowsSortAsThePlainComparatorInEveryLocaleAndDirection)
{
    QList<ContactEntry> scattered = m_rows;
    std::shuffle(scattered.begin(), scattered.end(), std::mt19937(5)); // a contact's rows apart
    for (const QLocale &locale : { QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
             QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Japanese, QLocale::Japan) }) {
        QLocale::setDefault(locale);
        for (const QString &key : m_keys) {
            for (bool ascending : { true, false }) {
                const SortDescriptor descriptor { key, ascending };
                for (const QList<ContactEntry> &input : { m_rows, scattered }) {
                    QList<ContactEntry> fast = input;
                    SubRowSort::sort(fast, descriptor);
                    QList<ContactEntry> plain = input;
                    std::stable_sort(
                        plain.begin(), plain.end(), [&](const ContactEntry &a, const ContactEntry &b) {
                            return SubRowSort::compare(a, b, descriptor) < 0;
                        });
                    ASSERT_EQ(ids(fast), ids(plain))
                        << locale.name().toStdString() << ' ' << key.toStdString() << ' ' << ascending;
                }
            }
        }
    }
}

TEST_F(SortOrderEquivalenceTest, RecordsSortAsThePlainComparator)
{
    ContactTable table;
    for (const ContactEntry &row : m_rows) {
        if (row.labelIndex == 0)
            table.append(std::make_shared<ContactEntry>(row));
    }
    table.insert(7, std::make_shared<ContactEntry>()); // an entry without a record has nothing to sort by
    for (const QLocale &locale : { QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates) }) {
        QLocale::setDefault(locale);
        for (const QString &key :
            { u"FirstName"_s, u"LastName"_s, u"compositeName"_s, u"Phonetic FirstName"_s, u"Email"_s,
                u"Email domain"_s, u"City"_s, u"Address label"_s, u"Dates"_s }) {
            for (bool ascending : { true, false }) {
                const SortDescriptor descriptor { key, ascending };
                ContactTable fast = table;
                ContactSort::sortContactTable(fast, descriptor);
                ContactTable plain = table;
                std::stable_sort(
                    plain.begin(), plain.end(), [&](const ContactEntryPtr &a, const ContactEntryPtr &b) {
                        return ContactSort::compare(*a, *b, descriptor) < 0;
                    });
                ASSERT_EQ(ids(fast), ids(plain))
                    << locale.name().toStdString() << ' ' << key.toStdString() << ' ' << ascending;
            }
        }
    }
}

TEST_F(SortOrderEquivalenceTest, TheRowsMeetTiesAndMissingValues)
{
    // The comparisons above prove little unless different contacts tie and values are missing.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int ties = 0;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        for (qsizetype j = i + 1; j < m_rows.size(); ++j) {
            ties += m_rows[i].person != m_rows[j].person
                && SubRowSort::compare(m_rows[i], m_rows[j], { u"FirstName"_s, true }) == 0;
        }
    }
    EXPECT_GT(ties, 100);
    for (const QString &key : { u"FirstName"_s, u"City"_s, u"Dates"_s, u"Birthday"_s }) {
        const auto missing = std::count_if(m_rows.cbegin(), m_rows.cend(),
            [&](const ContactEntry &row) { return SubRowSort::sortValue(row, key).isMissing(); });
        EXPECT_GT(missing, 5) << key.toStdString();
        EXPECT_LT(missing, m_rows.size() - 5) << key.toStdString();
    }
}

TEST_F(SortOrderEquivalenceTest, RanksOfManyTextsOrderAsTheTextsCompare)
{
    // Past the first thousand texts, ranks stop looking up repeated texts when most are distinct: both
    // ways must order as the prepared values compare.
    std::mt19937 random(3);
    const QStringList syllables { u"an"_s, u"AN"_s, u"be"_s, u"Bé"_s, u"ka"_s, u"や"_s, u"マ"_s, u"田"_s,
        u"zo"_s };
    auto word = [&](int parts) {
        QString text;
        for (int i = 0; i < parts; ++i)
            text += syllables.at(int(random() % syllables.size()));
        return text;
    };
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (int parts : { 6, 2 }) { // mostly distinct, then few texts repeated
        std::vector<QString> texts;
        for (int i = 0; i < 3000; ++i)
            texts.push_back(i % 17 == 0 ? QString() : word(parts));
        for (bool ascending : { true, false }) {
            TextRanks ranks;
            std::vector<qsizetype> rowSlots;
            std::vector<SortValue> values;
            for (const QString &text : texts) {
                rowSlots.push_back(ranks.slotOf(text));
                values.push_back(SortValue::fromText(text));
            }
            std::vector<qsizetype> plain(texts.size());
            std::iota(plain.begin(), plain.end(), qsizetype(0));
            std::stable_sort(plain.begin(), plain.end(), [&](qsizetype a, qsizetype b) {
                return SortValue::compareTexts(values[size_t(a)], values[size_t(b)], ascending) < 0;
            });
            EXPECT_EQ(ranks.stableOrder(rowSlots, ascending), plain) << parts << ' ' << ascending;
        }
    }
}
