#include "common/PinnedDefaultsTest.h"
#include "document/ContactSort.h"
#include "document/SubRowSort.h"
#include "model/ContactDefaults.h"
#include "model/DateComponents.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Name order and collation must not depend on the machine running the tests.
class SortTest : public PinnedDefaultsTest
{
protected:
    static std::shared_ptr<ZRPerson> person(const QString &first, const QString &last = QString())
    {
        auto p = ZRPerson::create();
        p->setValueForIdentifier(first, Ident::FirstName);
        p->setValueForIdentifier(last, Ident::LastName);
        return p;
    }
    static std::shared_ptr<ZRPerson> company(const QString &name)
    {
        auto p = ZRPerson::create();
        p->setValueForIdentifier(name, Ident::Company);
        p->setShowAsPerson(false);
        p->compositeName();
        return p;
    }
    static void add(ZRPerson &p, const QString &identifier, const QVariantMap &entry)
    {
        p.addLabeledValue(entry, identifier);
    }
    static QVariantMap value(const QString &label, const QVariant &v)
    {
        return { { Key::Label, label }, { Key::Value, v } };
    }
    static QVariant date(int year, int month, int day)
    {
        return QVariant::fromValue(DateComponents { year, month, day });
    }
    // Rows are named through uniqueId so that orders read as words.
    static ContactEntry row(const std::shared_ptr<ZRPerson> &p, const QString &name, qsizetype index = 0)
    {
        ContactEntry e;
        e.person = p;
        e.uniqueId = name;
        e.labelIndex = index;
        return e;
    }
    static QStringList names(const QList<ContactEntry> &rows)
    {
        QStringList out;
        for (const ContactEntry &r : rows)
            out << r.uniqueId;
        return out;
    }
    static QStringList sorted(QList<ContactEntry> rows, const QString &key, bool ascending)
    {
        SubRowSort::sort(rows, { key, ascending });
        return names(rows);
    }
};

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST_F(SortTest, NameKeysIgnoreCaseAndPutEmptyNamesLast)
{
    const QList<ContactEntry> rows { row(person(u"bob"_s, u"Young"_s), u"bob"_s),
        row(company(QString()), u"nameless"_s), row(person(u"Alice"_s, u"Zed"_s), u"alice"_s),
        row(company(u"Beta Inc"_s), u"beta"_s), row(person(u"carl"_s, u"Adams"_s), u"carl"_s) };
    struct Case
    {
        QString key;
        bool ascending;
        const char *expected;
    };
    const Case cases[] = {
        { u"FirstName"_s, true, "alice beta bob carl nameless" },
        { u"FirstName"_s, false, "carl bob beta alice nameless" },
        { u"LastName"_s, true, "carl beta bob alice nameless" }, // "AdamsCarl", "Beta Inc", "YoungBob"
        { u"LastName"_s, false, "alice bob beta carl nameless" },
        { u"compositeName"_s, true, "alice beta bob carl nameless" }, // the empty company shows "No Name"
    };
    for (const Case &c : cases)
        EXPECT_EQ(sorted(rows, c.key, c.ascending), words(c.expected)) << c.key.toStdString() << c.ascending;
}

TEST_F(SortTest, EmailPartsOrderByTheirPartAndMissingOnesGoLast)
{
    QList<ContactEntry> rows;
    auto addEmail = [&](const QString &name, const QString &address) {
        auto p = person(name);
        if (!address.isNull())
            add(*p, Ident::Email, value(u"work"_s, address));
        rows << row(p, name);
    };
    addEmail(u"zed"_s, u"zed@alpha.org"_s);
    addEmail(u"none"_s, QString()); // no e-mail at all
    addEmail(u"amy"_s, u"amy@zeta.com"_s);
    addEmail(u"plain"_s, u"plain"_s); // no "@": no domain, the whole text is the user name
    addEmail(u"trail"_s, u"x@"_s); // "@" at the end: no domain
    addEmail(u"bob"_s, u"Bob@Beta.net"_s);

    EXPECT_EQ(sorted(rows, u"Email domain"_s, true), words("zed bob amy none plain trail"));
    EXPECT_EQ(sorted(rows, u"Email domain"_s, false), words("amy bob zed none plain trail"));
    EXPECT_EQ(sorted(rows, u"Email username"_s, true), words("amy bob plain trail zed none"));
    EXPECT_EQ(sorted(rows, u"Email"_s, false), words("zed trail plain bob amy none"));
}

TEST_F(SortTest, BirthdaysPutMissingDatesFirstAscendingAndLastDescending)
{
    auto born1990 = person(u"a"_s);
    born1990->setValueForIdentifier(date(1990, 5, 1), Ident::Birthday);
    add(*born1990, Ident::Phone, value(u"home"_s, u"1"_s));
    add(*born1990, Ident::Phone, value(u"work"_s, u"2"_s));
    auto noYear = person(u"b"_s);
    noYear->setValueForIdentifier(date(0, 12, 25), Ident::Birthday);
    auto leapNoYear = person(u"c"_s);
    leapNoYear->setValueForIdentifier(date(0, 2, 29), Ident::Birthday);
    auto born1985 = person(u"d"_s);
    born1985->setValueForIdentifier(date(1985, 1, 1), Ident::Birthday);
    auto none = person(u"e"_s);

    // The birthday shows on a contact's first sub-row only; later rows sort as having none.
    const QList<ContactEntry> rows { row(born1990, u"1990"_s), row(none, u"none"_s), row(noYear, u"dec25"_s),
        row(born1990, u"1990-second-row"_s, 1), row(born1985, u"1985"_s), row(leapNoYear, u"feb29"_s) };
    EXPECT_EQ(sorted(rows, u"Birthday"_s, true), words("none 1990-second-row feb29 dec25 1985 1990"));
    EXPECT_EQ(sorted(rows, u"Birthday"_s, false), words("1990 1985 dec25 feb29 none 1990-second-row"));
}

TEST_F(SortTest, DatesAndPartsAreReadAtTheRowsPosition)
{
    auto p = person(u"p"_s);
    add(*p, Ident::Dates, value(u"anniversary"_s, date(2001, 1, 1)));
    add(*p, Ident::Dates, value(u"other"_s, date(1999, 6, 1)));
    add(*p, Ident::InstantMessage,
        { { Key::Label, u"home"_s }, { Key::Value, u"zoe"_s }, { u"service"_s, u"Skype"_s } });
    add(*p, Ident::InstantMessage,
        { { Key::Label, u"work"_s }, { Key::Value, u"adam"_s }, { u"service"_s, u"Jabber"_s } });
    p->setValueForIdentifier(
        QVariantList {
            QVariantMap { { Key::Label, u"work"_s }, { Ident::City, u"Osaka"_s }, { Key::LabelIndex, 0 } },
            QVariantMap { { Key::Label, u"home"_s }, { Ident::City, u"kyoto"_s }, { Key::LabelIndex, 1 } } },
        Ident::Address);
    auto q = person(u"q"_s);
    add(*q, Ident::Dates, value(u"other"_s, date(2000, 1, 1)));

    const QList<ContactEntry> rows { row(p, u"p0"_s, 0), row(p, u"p1"_s, 1), row(p, u"p2"_s, 2),
        row(q, u"q0"_s, 0) };
    EXPECT_EQ(sorted(rows, u"Dates"_s, true), words("p2 p1 q0 p0")) << "a row past the last date has none";
    EXPECT_EQ(sorted(rows, u"Dates"_s, false), words("p0 q0 p1 p2"));
    EXPECT_EQ(sorted(rows, u"City"_s, true), words("p1 p0 p2 q0"));
    EXPECT_EQ(sorted(rows, u"Address label"_s, true), words("p1 p0 p2 q0"));
    EXPECT_EQ(sorted(rows, u"Instant Message type"_s, true), words("p1 p0 p2 q0"));
    EXPECT_EQ(sorted(rows, u"Instant Message username"_s, false), words("p0 p1 p2 q0"));
    EXPECT_EQ(SubRowSort::sortText(rows[1], u"Address"_s).isEmpty(), false);
}

TEST_F(SortTest, TiesKeepTheirOrderInBothDirections)
{
    const QList<ContactEntry> rows { row(person(u"anna"_s), u"first"_s), row(person(u"Anna"_s), u"second"_s),
        row(person(u"ANNA"_s), u"third"_s), row(person(u"Ben"_s), u"ben"_s) };
    EXPECT_EQ(SubRowSort::compare(rows[0], rows[2], { u"FirstName"_s, true }), 0);
    EXPECT_EQ(sorted(rows, u"FirstName"_s, true), words("first second third ben"));
    EXPECT_EQ(sorted(rows, u"FirstName"_s, false), words("ben first second third"));
    EXPECT_LT(SubRowSort::compare(rows[0], rows[3], { u"FirstName"_s, true }), 0);
    EXPECT_GT(SubRowSort::compare(rows[0], rows[3], { u"FirstName"_s, false }), 0);
}

TEST_F(SortTest, SortKeysSplitIntoFieldAndPart)
{
    struct Case
    {
        QString sortKey;
        std::optional<ContactSort::IdentifierAndKey> expected;
    };
    const Case cases[] = {
        { u"Phone label"_s, ContactSort::IdentifierAndKey { u"Phone"_s, u"label"_s } },
        { u"Email domain"_s, ContactSort::IdentifierAndKey { u"Email"_s, u"domain"_s } },
        { u"ZIP"_s, ContactSort::IdentifierAndKey { u"Address"_s, u"ZIP"_s } },
        { u"Instant Message service name"_s,
            ContactSort::IdentifierAndKey { u"Instant Message"_s, u"service"_s } },
        { u"Social Network username"_s,
            ContactSort::IdentifierAndKey { u"Social Network"_s, u"username"_s } },
        { u"Dates"_s, ContactSort::IdentifierAndKey { u"Dates"_s, u"stringValue"_s } },
        { u"Phonetic LastName"_s,
            ContactSort::IdentifierAndKey { u"Phonetic Name"_s, u"PhoneticLastName"_s } },
        { u"compositeName"_s, ContactSort::IdentifierAndKey { u"Name"_s, u"compositeName"_s } },
        { u"Birthday"_s, std::nullopt },
        { u"Note"_s, std::nullopt },
        { u""_s, std::nullopt },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ContactSort::separateSortKeyIntoIdentifierAndKey(c.sortKey), c.expected)
            << c.sortKey.toStdString();
}

TEST_F(SortTest, RecordsSortByTheirFirstValue)
{
    auto make = [](const QString &name, const QStringList &emails) {
        auto p = person(name);
        for (const QString &e : emails)
            add(*p, Ident::Email, value(u"home"_s, e));
        auto entry = std::make_shared<ContactEntry>(row(p, name));
        return entry;
    };
    // Only the first address counts: "later@aaa" does not pull "mia" forward.
    const ContactTable table { make(u"mia"_s, { u"m@zzz.org"_s, u"later@aaa.org"_s }), make(u"none"_s, {}),
        make(u"lee"_s, { u"l@bbb.org"_s }) };
    auto order = [](ContactTable t, const QString &key, bool ascending) {
        ContactSort::sortContactTable(t, { key, ascending });
        QStringList out;
        for (const auto &e : t)
            out << e->uniqueId;
        return out;
    };
    EXPECT_EQ(order(table, u"Email domain"_s, true), words("lee mia none"));
    EXPECT_EQ(order(table, u"Email domain"_s, false), words("mia lee none"));
    EXPECT_EQ(order(table, u"compositeName"_s, false), words("none mia lee"));
    // Keys outside the table leave the records as they are.
    EXPECT_EQ(order(table, u"Note"_s, false), words("mia none lee"));
    EXPECT_EQ(ContactSort::compare(*table[0], *table[2], { u"Birthday"_s, true }), 0);
}

TEST_F(SortTest, RecordDatesPutMissingOnesLastInBothDirections)
{
    EXPECT_EQ(ContactSort::compareDateComponents(QVariant(), QVariant(), true), 0);
    for (bool ascending : { true, false }) {
        EXPECT_GT(ContactSort::compareDateComponents(QVariant(), date(2000, 1, 1), ascending), 0);
        EXPECT_LT(ContactSort::compareDateComponents(date(2000, 1, 1), QVariant(), ascending), 0);
        // Impossible components are no date at all.
        EXPECT_LT(ContactSort::compareDateComponents(date(2000, 1, 1), date(2001, 2, 30), ascending), 0);
    }
    EXPECT_LT(ContactSort::compareDateComponents(date(1999, 1, 1), date(2000, 1, 1), true), 0);
    EXPECT_GT(ContactSort::compareDateComponents(date(1999, 1, 1), date(2000, 1, 1), false), 0);
    EXPECT_LT(ContactSort::compareDateComponents(QDate(1999, 1, 1), date(0, 1, 1), false), 0)
        << "a date without a year sorts before dated years";
}

TEST_F(SortTest, RecordNameTextsFollowTheShownName)
{
    auto p = person(u"Taro"_s, u"Yamada"_s);
    p->setValueForIdentifier(u"taro"_s, Ident::PhoneticFirstName);
    p->setValueForIdentifier(u"yamada"_s, Ident::PhoneticLastName);
    struct Case
    {
        QString sortKey;
        QString expected;
    };
    const Case cases[] = {
        { u"FirstName"_s, u"TaroYamada"_s },
        { u"LastName"_s, u"YamadaTaro"_s },
        { u"Phonetic FirstName"_s, u"taro yamada"_s },
        { u"Phonetic LastName"_s, u"yamada taro"_s },
    };
    for (const Case &c : cases) {
        const auto split = ContactSort::separateSortKeyIntoIdentifierAndKey(c.sortKey);
        ASSERT_TRUE(split);
        EXPECT_EQ(ContactSort::sortText(*p, *split), c.expected) << c.sortKey.toStdString();
    }
    // The blank joins two words only.
    p->setValueForIdentifier(QString(), Ident::PhoneticFirstName);
    EXPECT_EQ(
        ContactSort::sortText(*p, *ContactSort::separateSortKeyIntoIdentifierAndKey(u"Phonetic LastName"_s)),
        u"yamada"_s);
    // A record shown as a company sorts by its company under every name key.
    auto c = company(u"Acme"_s);
    EXPECT_EQ(ContactSort::sortText(*c, { u"Name"_s, u"LastName"_s }), u"Acme"_s);
    EXPECT_EQ(SubRowSort::sortText(row(c, u"c"_s), u"FirstName"_s), u"Acme"_s);
    EXPECT_EQ(SubRowSort::sortText(row(p, u"p"_s), u"PhoneticLastName"_s), u"yamada"_s);
}

TEST_F(SortTest, TextsFollowTheUsersLocale)
{
    const QList<ContactEntry> rows { row(person(u"Zoë"_s), u"zoe"_s), row(person(u"eve"_s), u"eve"_s),
        row(person(u"Émile"_s), u"emile"_s), row(person(u"zebra"_s), u"zebra"_s) };
    // Without a language, code-unit order after case folding: accented letters after "z".
    EXPECT_EQ(sorted(rows, u"FirstName"_s, true), words("eve zebra zoe emile"));
    // A changed locale takes effect at the next sort.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(sorted(rows, u"FirstName"_s, true), words("emile eve zebra zoe"));
    EXPECT_EQ(sorted(rows, u"FirstName"_s, false), words("zoe zebra eve emile"));
}
