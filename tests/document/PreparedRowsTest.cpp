// A window's first rows made by the worker that read the file: the table must show exactly what it
// would have built itself, and build afresh whenever the rows no longer fit.

#include "document/PreparedRows.h"

#include "HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// Names out of order, several phones, addresses.
QString cards()
{
    QString text;
    const QStringList names { u"Mori"_s, u"Abe"_s, u"Sato"_s, u"Ito"_s, u"Kato"_s, u"Abe"_s };
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString extra = u"TEL;TYPE=HOME:%1\r\n"_s.arg(900 - i);
        if (i % 2 == 0)
            extra += u"TEL;TYPE=WORK:%1\r\nADR;TYPE=WORK:;;%1 Elm;Nara;;630;JP\r\n"_s.arg(i);
        text += TestHub::card(names.at(i), extra);
    }
    return text;
}

DocumentWindowData windowData(const QString &text)
{
    DocumentWindowData data;
    data.containerTable = *ZRvCard().containersFromVCards(text);
    data.selectedGroupDict = data.containerTable.first()->groups.first();
    data.contactTable = *data.selectedGroupDict->contactTable;
    data.documentName = u"test.vcf"_s;
    // A label of the user's own, which the label pop-ups have not offered so far.
    QVariantList &phones = *data.contactTable.first()->person->labeledValues(Ident::Phone);
    QVariantMap phone = phones.at(1).toMap();
    phone.insert(Key::Label, u"rowsfromthereader"_s);
    phones[1] = phone;
    return data;
}

// What the table shows, row by row: whose record, its phone, which value position, first row of its
// contact.
QStringList shown(TestHub &t)
{
    QStringList rows;
    const ContactTable &sub = t.table().subContactTable();
    for (qsizetype i = 0; i < sub.size(); ++i)
        rows << u"%1/%2/%3/%4"_s
                    .arg(sub.at(i)->person->compositeName(), t.table().cellText(Ident::Phone, int(i)))
                    .arg(sub.at(i)->labelIndex)
                    .arg(t.table().isFirstOfContact(int(i)));
    return rows;
}

// A hub that sorts by phone, descending, over columns that spread phones and addresses into rows.
void choose(TestHub &t)
{
    ViewTypeDict types = t.defaults.viewTypeDict();
    types.insert(t.defaults.selectedViewType(),
        { u"Sender"_s, Ident::Name, Ident::Phone, Ident::City, Ident::Company });
    t.defaults.setViewTypeDict(types);
    t.defaults.setLastSortDesc({ Ident::Phone, false });
}

std::shared_ptr<const PreparedRows> prepareOnAnotherThread(TestHub &t, const ContactTable &entries)
{
    const DocumentHub::RowPreparer prepare = DocumentHub::rowPreparer(t.defaults);
    std::shared_ptr<const PreparedRows> prepared;
    std::thread worker([&] { prepared = prepare(entries, nullptr); });
    worker.join();
    return prepared;
}

} // namespace

TEST(PreparedRowsTest, RowsMadeWhileReadingAreTakenAndShowWhatTheTableWouldHaveBuilt)
{
    const QString text = cards();
    TestHub early;
    choose(early);
    DocumentWindowData data = windowData(text);
    data.preparedRows = prepareOnAnotherThread(early, data.contactTable);
    ASSERT_TRUE(data.preparedRows);
    // A label first met on the worker is offered in the label pop-ups all the same.
    EXPECT_TRUE(Labels::labelsForIdentifier(Ident::Phone).contains(u"rowsfromthereader"_s));
    const ContactEntryPtr firstPrepared = data.preparedRows->rows.first();
    early.hub.open(std::move(data));

    TestHub plain;
    choose(plain);
    plain.hub.open(windowData(text));

    EXPECT_EQ(early.table().subContactTable().first(), firstPrepared) << "the prepared rows were taken";
    EXPECT_GT(early.table().subContactTable().size(), 6) << "phones spread into rows";
    EXPECT_EQ(shown(early), shown(plain));
    // The records are in the order the last sort gives, as a plain open leaves them.
    QStringList plainOrder, earlyOrder;
    for (const ContactEntryPtr &e : *plain.top()->contactTable)
        plainOrder << e->person->compositeName();
    for (const ContactEntryPtr &e : *early.top()->contactTable)
        earlyOrder << e->person->compositeName();
    EXPECT_EQ(earlyOrder, plainOrder);

    // The rows are for the first build only: a later rebuild makes its own.
    early.hub.sortBy({ Ident::CompositeName, true });
    plain.hub.sortBy({ Ident::CompositeName, true });
    EXPECT_EQ(shown(early), shown(plain));
}

TEST(PreparedRowsTest, RowsThatNoLongerFitAreBuiltAfresh)
{
    const QString text = cards();
    TestHub plain;
    choose(plain);
    plain.defaults.setLastSortDesc({ Ident::City, true });
    plain.hub.open(windowData(text));

    // Another window changed the sort between the read and the window.
    TestHub late;
    choose(late);
    DocumentWindowData data = windowData(text);
    data.preparedRows = prepareOnAnotherThread(late, data.contactTable);
    ASSERT_TRUE(data.preparedRows);
    const ContactEntryPtr firstPrepared = data.preparedRows->rows.first();
    late.defaults.setLastSortDesc(plain.defaults.lastSortDesc());
    late.hub.open(std::move(data));
    EXPECT_NE(late.table().subContactTable().first(), firstPrepared);
    EXPECT_EQ(shown(late), shown(plain));

    // Rows made for other entries are never taken either.
    TestHub other;
    choose(other);
    other.defaults.setLastSortDesc({ Ident::City, true });
    DocumentWindowData otherData = windowData(text);
    otherData.preparedRows = prepareOnAnotherThread(other, windowData(text).contactTable);
    other.hub.open(std::move(otherData));
    EXPECT_EQ(shown(other), shown(plain));

    // A cancelled read makes nothing.
    const std::atomic_bool cancelled { true };
    EXPECT_FALSE(DocumentHub::rowPreparer(plain.defaults)(windowData(text).contactTable, &cancelled));
}
