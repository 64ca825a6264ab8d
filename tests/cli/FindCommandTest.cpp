#include "CliTestSupport.h"
#include "common/TestPaths.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Outcome = CliTestSupport::Run;

Outcome run(const QString &command, QStringList arguments)
{
    arguments.prepend(TestPaths::data(u"find/contacts.vcf"_s));
    arguments.prepend(command);
    return CliTestSupport::run(arguments);
}

Outcome find(const QStringList &arguments)
{
    return run(u"find"_s, arguments);
}

Outcome replace(const QStringList &arguments)
{
    return run(u"replace"_s, arguments);
}

ContactTable readBack(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const auto containers = ZRvCard().containersFromVCards(QString::fromUtf8(file.readAll()));
    return containers ? *containers->first()->groups.first()->contactTable : ContactTable();
}

} // namespace

TEST(FindCommand, OneLinePerValueWithEveryRange)
{
    const Outcome r = find({ u"ab"_s });
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(),
        (QStringList {
            u"Ann Abab\tName\tLastName\t\t\tAbab\t0:2,2:2"_s,
            u"Ann Abab\tNote\t\t\t\tfirst line\\nsecond Ab line\t18:2"_s,
            u"Ann Abab\tPhone\t\thome\t0\tab-ab-ab\t0:2,3:2,6:2"_s,
            u"Ann Abab\tPhone\t\twork\t1\tab 1\t0:2"_s,
            u"Ann Abab\tInstant Message\tSkype\tNo label\t0\tskyab\t3:2"_s,
            u"Bo Zed\tCompany\t\t\t\tAbbey Records\t0:2"_s,
            u"Bo Zed\tAddress\tStreet\thome\t0\tAbbey Road\t0:2"_s,
        }));
}

TEST(FindCommand, ModesFiltersAndErrors)
{
    Outcome r = find({ u"Ab"_s, u"--case-sensitive"_s });
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.lines().size(), 4); // the last name, the note, the company and the street
    EXPECT_TRUE(r.lines().first().endsWith(u"\tAbab\t0:2"_s));

    r = find({ u"ab"_s, u"--items"_s, u"Phone,Company"_s });
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines().size(), 3);
    EXPECT_TRUE(r.lines().at(2).contains(u"\tCompany\t"_s));

    r = find({ u"ab"_s, u"--labels"_s, u"work"_s });
    EXPECT_EQ(r.lines(), QStringList { u"Ann Abab\tPhone\t\twork\t1\tab 1\t0:2"_s });

    r = find({ u"a[b]-"_s, u"--regex"_s });
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.lines(), QStringList { u"Ann Abab\tPhone\t\thome\t0\tab-ab-ab\t0:3,3:3"_s });

    // A broken pattern is reported, not searched.
    r = find({ u"(ab"_s, u"--regex"_s });
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(u"regular expression"_s)) << r.err.toStdString();

    EXPECT_EQ(find({ u"ab"_s, u"--regex"_s, u"--case-sensitive"_s }).status, 2);
    EXPECT_EQ(find({ u"ab"_s, u"--bogus"_s }).status, 2);
    EXPECT_EQ(find({}).status, 2);
    EXPECT_EQ(CliTestSupport::run({ u"find"_s, u"/no/such/file.vcf"_s, u"ab"_s }).status, 1);
}

TEST(FindCommand, ReplaceWritesTheChangedContacts)
{
    QTemporaryDir dir;
    const QString output = dir.filePath(u"out.vcf"_s);
    Outcome r = replace({ u"ab"_s, u"Q"_s, u"-o"_s, output });
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), u"7 values changed"_s);

    const ContactTable contacts = readBack(output);
    ASSERT_EQ(contacts.size(), 2);
    ZRPerson &ann = *contacts.at(0)->person;
    EXPECT_EQ(ann.valueForIdentifier(Ident::LastName).toString(), u"QQ"_s);
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 0), u"Q-Q-Q"_s);
    EXPECT_EQ(ann.valueForIdentifier(Ident::Note).toString(), u"first line\nsecond Q line"_s);
    // The user name changes; the service it belongs to is a sub-item and stays.
    const QVariantMap im = ann.imsValues().value(0).toMap();
    EXPECT_EQ(im.value(Key::Value).toString(), u"skyQ"_s);
    EXPECT_EQ(im.value(CN::InstantMessageAddressServiceKey).toString(), CN::InstantMessageServiceSkype);
    ZRPerson &bo = *contacts.at(1)->person;
    EXPECT_EQ(bo.valueForIdentifier(Ident::Company).toString(), u"Qbey Records"_s);
    EXPECT_EQ(bo.stringValueForIdentifierAtLabelIndex(Ident::Street, 0), u"Qbey Road"_s);

    // Searching for the service's name reaches no value: nothing changes.
    r = replace({ u"skype"_s, u"Chat"_s, u"-o"_s, output });
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.trimmed(), u"0 values changed"_s);
    EXPECT_EQ(readBack(output).at(0)->person->imsValues().value(0).toMap().value(
                  CN::InstantMessageAddressServiceKey),
        CN::InstantMessageServiceSkype);

    // A CSV output by its extension; a missing output is a usage error.
    const QString csv = dir.filePath(u"out.csv"_s);
    ASSERT_EQ(replace({ u"ab"_s, u"Q"_s, u"-o"_s, csv }).status, 0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(u"Qbey Records"_s));
    EXPECT_FALSE(text.contains(u"BEGIN:VCARD"_s));
    EXPECT_EQ(replace({ u"ab"_s, u"Q"_s }).status, 2);
    EXPECT_EQ(replace({ u"(ab"_s, u"Q"_s, u"-o"_s, output, u"--regex"_s }).status, 1);
}
