#include "common/TestPaths.h"
#include "model/Identifiers.h"
#include "tools/PostalKeys.h"
#include "tools/ZipAddressUpdate.h"
#include "tools/ZipSearch.h"
#include "tools/ZipSearchTexts.h"
#include "tools/ZipSheetController.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<const ZipSearchTexts> fixtureTexts()
{
    static const auto texts
        = std::make_shared<const ZipSearchTexts>(ZipSearchTextBuilder::build(TestPaths::data(u"postal"_s)));
    return texts;
}

QStringList zips(const ZipSheetController &sheet)
{
    QStringList out;
    for (const ZipResultRow &row : sheet.table())
        out.append(row.zip);
    return out;
}

} // namespace

TEST(PostalSearch, TypedTextChoosesTheSearchAndItsRows)
{
    struct Case
    {
        QString typed;
        int mode;
        QStringList zips;
    } cases[] = {
        { u"100"_s, 2,
            { u"100-0001"_s, u"100-0005"_s, u"100-0000"_s } }, // a code prefix: every code it begins
        { u"1000005"_s, 2, { u"100-0005"_s } }, // seven digits: that code alone
        { u"100-0005"_s, 2, { u"100-0005"_s } }, // the same with its "-"
        { u"１００－０００５"_s, 2, { u"100-0005"_s } }, // typed full width
        { u"100000"_s, 2, { u"100-0001"_s, u"100-0005"_s, u"100-0000"_s } },
        { u"1"_s, 0, {} }, // one digit searches nothing
        { u"1008"_s, 2, { u"100-8799"_s } }, // only in the business file
        { u"9999"_s, 2, {} },
        { u"東京都新宿区"_s, 1, { u"160-0022"_s, u"160-0023"_s } }, // prefecture narrowed by city
        { u"東京都 新宿区"_s, 1, { u"160-0022"_s, u"160-0023"_s } }, // a space between them
        { u"東京都新宿"_s, 1, { u"160-0022"_s, u"160-0023"_s } },
        { u"東京都新橋区"_s, 1, {} }, // misspelt city after a good prefecture
        { u"東京都"_s, 1, { u"100-0001"_s, u"100-0005"_s, u"100-0000"_s, u"160-0022"_s, u"160-0023"_s } },
        { u"梅田"_s, 1, { u"530-0001"_s } },
        { u"テスト商事"_s, 1, { u"100-8799"_s } }, // a company: the business file
        { u"丸の内"_s, 1, { u"100-0005"_s } }, // found in the general file first
    };
    for (const Case &c : cases) {
        ZipSheetController sheet(fixtureTexts());
        sheet.windowDidLoad();
        sheet.controlTextDidChange(c.typed);
        EXPECT_EQ(sheet.zipSearchMode(), c.mode) << qPrintable(c.typed);
        EXPECT_EQ(zips(sheet), c.zips) << qPrintable(c.typed);
    }
}

TEST(PostalSearch, ResultRowsAndTableCellsOfBothFiles)
{
    ZipSheetController sheet(fixtureTexts());
    sheet.windowDidLoad();
    sheet.controlTextDidChange(u"1600023"_s);
    ASSERT_EQ(sheet.numberOfRowsInTableView(), 1);
    const QVariantMap general = sheet.table()[0].toVariantMap();
    EXPECT_EQ(general.value(Ident::State).toString(), u"東京都"_s);
    EXPECT_EQ(general.value(Ident::City).toString(), u"新宿区"_s);
    EXPECT_EQ(general.value(Ident::Street).toString(), u"西新宿"_s);
    EXPECT_EQ(general.value(ZipKey::PhoneticStreet).toString(), u"ﾆｼｼﾝｼﾞｭｸ"_s);
    EXPECT_EQ(general.value(Ident::Company).toString(), QString());
    EXPECT_FALSE(general.contains(ZipKey::PhoneticCompany));
    EXPECT_EQ(
        sheet.tableViewObjectValueForTableColumn(u"Address"_s, 0), u"東京都新宿区西新宿 ｼﾝｼﾞｭｸｸ ﾆｼｼﾝｼﾞｭｸ"_s);

    sheet.controlTextDidChange(u"100-8799"_s);
    ASSERT_EQ(sheet.numberOfRowsInTableView(), 1);
    const QVariantMap business = sheet.table()[0].toVariantMap();
    EXPECT_EQ(business.value(Ident::Street).toString(), u"丸の内１丁目Ⅰ号館"_s) << "town and block joined";
    EXPECT_EQ(business.value(ZipKey::PhoneticCity).toString(), QString());
    EXPECT_EQ(business.value(ZipKey::PhoneticCompany).toString(), u"ｶﾌﾞｼｷｶﾞｲｼﾔ ﾃｽﾄｼｮｳｼﾞ"_s);
    EXPECT_EQ(sheet.tableViewObjectValueForTableColumn(Ident::Company, 0), u"㈱　テスト商事"_s);
    EXPECT_EQ(sheet.tableViewObjectValueForTableColumn(Ident::ZIP, 0), u"100-8799"_s);
    EXPECT_EQ(sheet.tableViewObjectValueForTableColumn(Ident::ZIP, 5), QString()) << "a row past the end";

    // Searching from outside the sheet reads both files and leaves the table alone.
    EXPECT_EQ(sheet.addressesFromZip(u"100"_s).size(), 4);
    EXPECT_EQ(sheet.numberOfRowsInTableView(), 1);
}

TEST(PostalSearch, ConfirmButtonFollowsResultsAndSelection)
{
    ZipSheetController sheet(fixtureTexts());
    QList<QVariantMap> ok;
    QList<int> ended;
    QObject::connect(
        &sheet, &ZipSheetController::zipSearchDoOK, [&](const QVariantMap &row) { ok.append(row); });
    QObject::connect(&sheet, &ZipSheetController::sheetEnded, [&](int code) { ended.append(code); });
    sheet.windowDidLoad();
    EXPECT_EQ(sheet.placeholderString(), ZipText::Prompt);
    EXPECT_FALSE(sheet.isPasteButtonEnabled());

    sheet.controlTextDidChange(u"100"_s);
    EXPECT_FALSE(sheet.isPasteButtonEnabled()) << "several rows: choose one first";
    int mode = -1;
    EXPECT_FALSE(sheet.queryResultwithMode(mode));
    EXPECT_EQ(mode, 2);
    EXPECT_TRUE(sheet.tableViewShouldSelectRow(1));
    EXPECT_TRUE(sheet.isPasteButtonEnabled());
    EXPECT_FALSE(sheet.tableViewShouldSelectRow(7));

    sheet.controlTextDidChange(u"1000005"_s);
    EXPECT_TRUE(sheet.isPasteButtonEnabled()) << "exactly one row leaves the button as it was";
    std::optional<QVariantMap> chosen = sheet.queryResultwithMode(mode);
    ASSERT_TRUE(chosen) << "the single row is the one confirmed";
    EXPECT_EQ(chosen->value(Ident::ZIP).toString(), u"100-0005"_s);

    sheet.controlTextDidChange(u"1"_s);
    EXPECT_FALSE(sheet.isPasteButtonEnabled());
    EXPECT_FALSE(sheet.queryResultwithMode(mode)) << "the table was emptied";

    sheet.controlTextDidChange(u"東京都新宿区"_s);
    sheet.tableViewShouldSelectRow(0);
    sheet.buttonPressed(ZipSheetController::ConfirmButton);
    ASSERT_EQ(ok.size(), 1);
    EXPECT_EQ(ok[0].value(Ident::ZIP).toString(), u"160-0022"_s);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended[0], 1);
    EXPECT_EQ(sheet.searchResult()->value(Ident::Street).toString(), u"新宿"_s);

    sheet.buttonPressed(ZipSheetController::CancelButton);
    EXPECT_EQ(ended.size(), 2);
    EXPECT_EQ(ended[1], 0);
    EXPECT_EQ(ok.size(), 1) << "cancel hands nothing over";
    EXPECT_EQ(sheet.searchResult()->value(ZipKey::SearchMode).toString(), ZipKey::AddressMode);
}

TEST(PostalSearch, TargetTextWaitsForTheWindowOrSearchesAtOnce)
{
    ZipSheetController sheet(fixtureTexts());
    EXPECT_TRUE(sheet.setTargetString(u"東京都新宿区"_s, 1));
    EXPECT_EQ(sheet.numberOfRowsInTableView(), 0) << "no search before the window loads";
    sheet.windowDidLoad();
    EXPECT_EQ(sheet.inputField(), u"東京都新宿区"_s);
    EXPECT_EQ(sheet.targetString(), QString());
    EXPECT_EQ(sheet.numberOfRowsInTableView(), 2);
    EXPECT_EQ(sheet.placeholderString(), QString());

    // Once loaded, a new target replaces the field and searches; an unsearchable one keeps its mode.
    sheet.setTargetString(u"530-0001"_s, 2);
    EXPECT_EQ(zips(sheet), QStringList { u"530-0001"_s });
    sheet.setTargetString(u"7"_s, 4);
    EXPECT_EQ(sheet.zipSearchMode(), 4);
    EXPECT_EQ(sheet.numberOfRowsInTableView(), 0);
    EXPECT_FALSE(sheet.isPasteButtonEnabled());

    // No data at all: every search is empty and nothing fails.
    ZipSheetController empty(std::make_shared<const ZipSearchTexts>());
    empty.windowDidLoad();
    empty.controlTextDidChange(u"100"_s);
    EXPECT_EQ(empty.numberOfRowsInTableView(), 0);
}

TEST(PostalSearch, ApplyingAResultToAnAddress)
{
    const QVariantMap result {
        { Ident::ZIP, u"160-0023"_s },
        { Ident::State, u"東京都"_s },
        { Ident::City, u"新宿区"_s },
        { Ident::Street, u"西新宿"_s },
    };
    const QVariantMap old {
        { Ident::ZIP, u""_s },
        { Ident::State, u"東京都"_s },
        { Ident::City, u"新宿区"_s },
        { Ident::Street, u"2-8-1"_s },
        { Ident::Country, u"Japan"_s },
    };
    // An address search hands back only the code.
    QVariantMap byAddress = ZipAddressUpdate::addressByApplyingResult(old, result, 1);
    EXPECT_EQ(byAddress.value(Ident::ZIP).toString(), u"160-0023"_s);
    EXPECT_EQ(byAddress.value(Ident::Street).toString(), u"2-8-1"_s);
    // A code search writes the whole address; the country is not the search's business.
    QVariantMap byCode = ZipAddressUpdate::addressByApplyingResult(old, result, 2);
    EXPECT_EQ(byCode.value(Ident::Street).toString(), u"西新宿"_s);
    EXPECT_EQ(byCode.value(Ident::Country).toString(), u"Japan"_s);
    // The "not listed" placeholder never replaces a street.
    QVariantMap placeholder = result;
    placeholder.insert(Ident::Street, ZipText::NoListedStreet);
    EXPECT_EQ(ZipAddressUpdate::addressByApplyingResult(old, placeholder, 2).value(Ident::Street).toString(),
        u"2-8-1"_s);
    // An empty code from an address search changes nothing.
    EXPECT_EQ(ZipAddressUpdate::addressByApplyingResult(old, {}, 1), old);

    const QVariantMap fresh = ZipAddressUpdate::labeledAddressByApplyingResult(std::nullopt, result, 2);
    EXPECT_EQ(fresh.value(Key::Label).toString(), ZipKey::HomeLabel);
    EXPECT_EQ(fresh.value(Key::LabelIndex).toInt(), 0);
    EXPECT_EQ(fresh.value(Ident::City).toString(), u"新宿区"_s);
    EXPECT_TRUE(fresh.value(Key::StringValue).toString().contains(u"新宿区"_s));
}

TEST(PostalSearch, TargetForTheOpenedAddress)
{
    using Target = ZipAddressUpdate::Target;
    struct Case
    {
        std::optional<QVariantMap> address;
        QString company;
        Target target;
    } cases[] = {
        { QVariantMap { { Ident::ZIP, u"160-0023"_s } }, u"Acme"_s, { u"160-0023"_s, 2 } },
        { QVariantMap {
              { Ident::ZIP, u"160-0023"_s }, { Ident::State, u"東京都"_s }, { Ident::City, u"新宿区"_s } },
            {}, { u"東京都新宿区"_s, 1 } },
        { QVariantMap { { Ident::Street, u"西新宿"_s } }, {}, { u""_s, 1 } },
        { QVariantMap {}, u"Acme"_s, { u"Acme"_s, 3 } },
        { QVariantMap {}, {}, { {}, 0 } },
        { std::nullopt, u"Acme"_s, { {}, 0 } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ZipAddressUpdate::targetForAddress(c.address, c.company), c.target)
            << qPrintable(c.target.text);
}

TEST(PostalSearch, SharedTextsAreBuiltOnceAndPublishedWhole)
{
    ZipSearchTextStore::setDataDirectory(TestPaths::data(u"postal"_s));
    ZipSearchTextStore::startBuilding();
    const auto first = ZipSheetController::zipdb();
    ASSERT_TRUE(first);
    EXPECT_TRUE(ZipSearchTextStore::isBuilt());
    EXPECT_FALSE(first->general.isEmpty());
    EXPECT_FALSE(first->business.isEmpty());
    EXPECT_EQ(ZipSheetController::zipdb().get(), first.get()) << "built once per run";
    ZipSearchTextStore::setDataDirectory(u"/nonexistent"_s); // too late: ignored
    EXPECT_EQ(ZipSheetController::zipdb().get(), first.get());
}

TEST(PostalSearchFullScale, SearchesOnTheNationalData)
{
    if (!TestPaths::haveShared(u"data/postal/ken_all.gzip"_s))
        GTEST_SKIP() << "national postal data not available";
    static const auto texts = std::make_shared<const ZipSearchTexts>(
        ZipSearchTextBuilder::build(TestPaths::shared(u"data/postal"_s)));
    ZipSheetController sheet(texts);
    sheet.windowDidLoad();

    sheet.controlTextDidChange(u"100"_s);
    const int prefixRows = sheet.numberOfRowsInTableView();
    EXPECT_GT(prefixRows, 20);
    for (const ZipResultRow &row : sheet.table())
        EXPECT_TRUE(row.zip.startsWith(u"100-"_s)) << qPrintable(row.zip);

    for (const QString &code : { u"1000005"_s, u"100-0005"_s }) {
        sheet.controlTextDidChange(code);
        ASSERT_EQ(sheet.numberOfRowsInTableView(), 1) << qPrintable(code);
        EXPECT_EQ(sheet.table()[0].city, u"千代田区"_s);
        EXPECT_TRUE(sheet.table()[0].street.startsWith(u"丸の内"_s));
    }

    sheet.controlTextDidChange(u"1"_s);
    EXPECT_EQ(sheet.numberOfRowsInTableView(), 0);

    sheet.controlTextDidChange(u"1638001"_s); // the metropolitan government: a business code
    ASSERT_GE(sheet.numberOfRowsInTableView(), 1);
    EXPECT_FALSE(sheet.table()[0].company.isEmpty());
    EXPECT_TRUE(sheet.table()[0].business);

    sheet.controlTextDidChange(u"東京都千代田区"_s);
    EXPECT_GT(sheet.numberOfRowsInTableView(), 50);
    for (const ZipResultRow &row : sheet.table()) {
        EXPECT_EQ(row.state, u"東京都"_s);
        EXPECT_EQ(row.city, u"千代田区"_s);
    }
    sheet.controlTextDidChange(u"東京都札幌市"_s);
    EXPECT_EQ(sheet.numberOfRowsInTableView(), 0);

    // A business with ㈱ in its name is found by it.
    sheet.controlTextDidChange(u"㈱　ＯＣＳ"_s);
    ASSERT_GE(sheet.numberOfRowsInTableView(), 1);
    EXPECT_EQ(sheet.table()[0].zip, u"900-8609"_s);
}
