#include "QrTestContacts.h"
#include "tools/QRCodePanelController.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace QrTestContacts;

namespace {

QString payloadOf(QRCodePanelController &panel, const QString &format)
{
    panel.formatPopupSelected(format);
    return panel.payload();
}

int rowOf(const QRCodePanelController &panel, const QString &type, int nth = 0)
{
    for (int i = 0; i < panel.numberOfRows(); ++i) {
        if (panel.table().at(i).type == type && nth-- == 0)
            return i;
    }
    return -1;
}

} // namespace

// The formatted address is the address formats' business; the payloads take it as the row shows it.
QString oneLineAddress(const QRCodePanelController &panel)
{
    QString text = panel.table().at(rowOf(panel, Ident::Address)).value;
    return text.replace(u'\n', u' ');
}

TEST(QrPayload, EveryFormatOfAJapaneseContact)
{
    QRCodePanelController panel;
    panel.setContact(entryFor(japanese()));
    const QString adr = oneLineAddress(panel);
    ASSERT_FALSE(adr.isEmpty());

    EXPECT_EQ(payloadOf(panel, QrFormat::VCard),
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田 太郎\r\nN:山田;太郎;;;\r\n"
        "X-PHONETIC-FIRST-NAME:たろう\r\nX-PHONETIC-LAST-NAME:やまだ\r\n"
        "EMAIL;type=home:taro@example.jp\r\nTEL:090-1234-5678\r\n"
        "ADR;type=home:;;千代田1-1;千代田区;東京都;100-0001;日本\r\nEND:VCARD\r\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Docomo),
        u"MECARD:N:山田 太郎;SOUND:やまだ たろう;TEL:090-1234-5678;EMAIL:taro@example.jp;ADR:"_s + adr
            + u";"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Au),
        u"MEMORY:\nNAME1:山田 太郎\nNAME2:やまだ たろう\nTEL1:090-1234-5678\nMAIL1:taro@example.jp\nADD:"_s
            + adr + u"\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::SoftBank),
        u"MEMORY:\nNAME1:山田 太郎\nNAME2:やまだ たろう\nTEL1:090-1234-5678\nMAIL1:taro@example.jp\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Phone), u"tel:090-1234-5678"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Email), u"mailto:taro@example.jp"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::URL), u"http:"_s) << "no URL row is ticked by default";
    EXPECT_EQ(payloadOf(panel, u"MECARD"_s), u""_s) << "a name that is no format";
}

TEST(QrPayload, EveryFormatOfAWesternContactWithEveryRowTicked)
{
    QRCodePanelController panel;
    panel.setContact(entryFor(western()));
    for (const QString &type : { Ident::URL, Ident::Company, Ident::Department, Ident::JobTitle })
        panel.setSelected(rowOf(panel, type), true);
    const QString adr = oneLineAddress(panel);

    // The department and job title rows are ticked but empty: no component or line of their own.
    EXPECT_EQ(payloadOf(panel, QrFormat::VCard),
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:John Smith\r\nN:Smith;John;;;\r\n"
        "EMAIL;type=work:john@example.com\r\nTEL;type=work:+1 555 0100\r\n"
        "ADR;type=work:;;1 Main St;Springfield;IL;62701;USA\r\nURL:http://example.com/john\r\n"
        "ORG:Acme;\r\nEND:VCARD\r\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Docomo),
        u"MECARD:N:John Smith;TEL:+1 555 0100;EMAIL:john@example.com;ADR:"_s + adr + u";"_s)
        << "no reading, so no SOUND piece";
    EXPECT_EQ(payloadOf(panel, QrFormat::Au),
        u"MEMORY:\nNAME1:John Smith\nTEL1:+1 555 0100\nMAIL1:john@example.com\nADD:"_s + adr + u"\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::SoftBank),
        u"MEMORY:\nNAME1:John Smith\nTEL1:+1 555 0100\nMAIL1:john@example.com\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Phone), u"tel:+1 555 0100"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Email), u"mailto:john@example.com"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::URL), u"http://example.com/john"_s);
}

TEST(QrPayload, SemicolonsAreEscapedOnlyWhereTheFormatNeedsIt)
{
    auto p = ZRPerson::create();
    setName(*p, u"Ann;Marie"_s, u"O;Neil"_s, 1);
    p->addLabeledValue(
        address(u"home"_s, u"Flat 2; 1 Lane"_s, u"Town"_s, u""_s, u""_s, u""_s, u"gb"_s), Ident::Address);
    p->setValueForIdentifier(u"A;B Ltd"_s, Ident::Company);
    QRCodePanelController panel;
    panel.setContact(entryFor(p));
    panel.setSelected(rowOf(panel, Ident::Company), true);

    const QString card = payloadOf(panel, QrFormat::VCard);
    EXPECT_TRUE(card.contains(u"\r\nFN:Ann\\;Marie O\\;Neil\r\n"_s)) << qPrintable(card);
    EXPECT_TRUE(card.contains(u"\r\nN:O\\;Neil;Ann\\;Marie;;;\r\n"_s)) << qPrintable(card);
    EXPECT_TRUE(card.contains(u"\r\nADR;type=home:;;Flat 2\\; 1 Lane;Town;;;\r\n"_s)) << qPrintable(card);
    EXPECT_TRUE(card.contains(u"\r\nORG:A\\;B Ltd;\r\n"_s)) << qPrintable(card);
    EXPECT_TRUE(payloadOf(panel, QrFormat::Docomo).startsWith(u"MECARD:N:Ann\\;Marie O\\;Neil;"_s));
    EXPECT_TRUE(payloadOf(panel, QrFormat::Au).startsWith(u"MEMORY:\nNAME1:Ann;Marie O;Neil\n"_s));
    EXPECT_TRUE(payloadOf(panel, QrFormat::SoftBank).startsWith(u"MEMORY:\nNAME1:Ann;Marie O;Neil\n"_s));
}

TEST(QrPayload, EmptyContactHasPlaceholderRowsThatWriteEmptyProperties)
{
    auto p = ZRPerson::create();
    QRCodePanelController panel;
    panel.setContact(entryFor(p));
    const QStringList expectedTypes { Ident::Phone, Ident::Email, Ident::Address, Ident::URL, Ident::Company,
        Ident::Department, Ident::JobTitle };
    ASSERT_EQ(panel.numberOfRows(), expectedTypes.size());
    for (int i = 0; i < panel.numberOfRows(); ++i) {
        EXPECT_EQ(panel.table().at(i).type, expectedTypes.at(i));
        EXPECT_FALSE(panel.table().at(i).selected) << "placeholders start unticked";
        EXPECT_EQ(panel.titleForRow(i), u""_s);
    }
    for (int i = 0; i < 4; ++i)
        panel.setSelected(i, true);
    // The record's display name for a nameless contact is its own "No Name".
    EXPECT_EQ(payloadOf(panel, QrFormat::VCard),
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:No Name\r\nN:;;;;\r\nEMAIL:\r\nTEL:\r\nURL:\r\nEND:VCARD\r\n"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Phone), u"tel:"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::Email), u"mailto:"_s);
    EXPECT_EQ(payloadOf(panel, QrFormat::URL), u"http:"_s);

    // An entry without a record still makes a card, with the organisation from its own columns.
    auto bare = std::make_shared<ContactEntry>();
    bare->extra.insert(Ident::Company, u"Acme"_s);
    panel.setContact(bare);
    panel.setSelected(rowOf(panel, Ident::Company), true);
    EXPECT_EQ(payloadOf(panel, QrFormat::VCard),
        u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:No name\r\nORG:Acme;\r\nEND:VCARD\r\n"_s);
}

TEST(QrPayload, LaterTickedRowWinsInSingleValueFormatsAndAllAreWrittenInVCard)
{
    auto p = western();
    p->addLabeledValue(labeled(u"mobile"_s, u"+1 555 0199"_s), Ident::Phone);
    p->addLabeledValue(labeled(u"HOME"_s, u"https://secure.example"_s), Ident::URL);
    QRCodePanelController panel;
    panel.setContact(entryFor(p));
    EXPECT_FALSE(panel.table().at(rowOf(panel, Ident::Phone, 1)).selected)
        << "only the first phone is ticked";
    panel.setSelected(rowOf(panel, Ident::Phone, 1), true);
    panel.setSelected(rowOf(panel, Ident::URL, 1), true);

    EXPECT_EQ(payloadOf(panel, QrFormat::Phone), u"tel:+1 555 0199"_s);
    EXPECT_TRUE(payloadOf(panel, QrFormat::SoftBank).contains(u"\nTEL1:+1 555 0199\n"_s));
    EXPECT_TRUE(payloadOf(panel, QrFormat::Docomo).contains(u";TEL:+1 555 0199;"_s));
    const QString card = payloadOf(panel, QrFormat::VCard);
    EXPECT_TRUE(card.contains(u"TEL;type=work:+1 555 0100\r\nTEL:+1 555 0199\r\n"_s)) << qPrintable(card);
    // Any scheme but http gets the prefix in front of the whole address; the label keeps its case.
    EXPECT_TRUE(card.contains(u"\r\nURL;type=HOME:http://https://secure.example\r\n"_s)) << qPrintable(card);
    EXPECT_EQ(payloadOf(panel, QrFormat::URL), u"http://https://secure.example"_s);
}

TEST(QrPayload, OrganisationLineFromTheTickedRows)
{
    struct Case
    {
        bool company, department, jobTitle;
        const char *expected; // the lines between the address and END
        const char *why;
    };
    const Case cases[] = {
        { true, true, false, "ORG:山田商事;営業部\r\n", "company first, department second" },
        { false, true, false, "ORG:;営業部\r\n", "department alone leaves the first component empty" },
        { true, false, true, "ORG:山田商事;\r\nTITLE:部長\r\n", "title on its own line" },
        { false, false, false, "", "nothing ticked, no ORG line" },
    };
    for (const Case &c : cases) {
        QRCodePanelController panel;
        panel.setContact(entryFor(japanese()));
        panel.setSelected(rowOf(panel, Ident::Company), c.company);
        panel.setSelected(rowOf(panel, Ident::Department), c.department);
        panel.setSelected(rowOf(panel, Ident::JobTitle), c.jobTitle);
        const QString card = payloadOf(panel, QrFormat::VCard);
        const qsizetype from = card.indexOf(u"日本\r\n"_s) + 4;
        EXPECT_EQ(card.mid(from, card.size() - from - 11), QString::fromUtf8(c.expected)) << c.why;
    }
    // Empty organisation values write nothing even when ticked.
    QRCodePanelController panel;
    panel.setContact(entryFor(ZRPerson::create()));
    for (const QString &type : { Ident::Company, Ident::Department, Ident::JobTitle })
        panel.setSelected(rowOf(panel, type), true);
    EXPECT_FALSE(payloadOf(panel, QrFormat::VCard).contains(u"ORG:"_s));
    EXPECT_FALSE(panel.payload().contains(u"TITLE:"_s));
}

TEST(QrPayload, MultiLineAddressIsWrittenOnOneLine)
{
    auto p = japanese();
    p->replaceLabeledValueAtLabelIndex(address(u"work"_s, u"丸の内1-1\nビル5階"_s, u"千代田区"_s, u"東京都"_s,
                                           u"100-0005"_s, u""_s, u"jp"_s),
        Ident::Address, 0);
    QRCodePanelController panel;
    panel.setContact(entryFor(p));
    const QString au = payloadOf(panel, QrFormat::Au);
    const qsizetype add = au.indexOf(u"\nADD:"_s);
    ASSERT_GE(add, 0);
    const QString line = au.mid(add + 5, au.size() - add - 6);
    EXPECT_FALSE(line.contains(u'\n')) << qPrintable(au);
    EXPECT_TRUE(line.contains(u"丸の内1-1 ビル5階"_s)) << qPrintable(au);
    EXPECT_TRUE(payloadOf(panel, QrFormat::VCard)
                    .contains(u"ADR;type=work:;;丸の内1-1 ビル5階;千代田区;東京都;100-0005;\r\n"_s));
}

TEST(QrPayload, RowsEnabledByFormat)
{
    QRCodePanelController panel;
    panel.setContact(entryFor(western()));
    const int phone = rowOf(panel, Ident::Phone), email = rowOf(panel, Ident::Email),
              adr = rowOf(panel, Ident::Address), url = rowOf(panel, Ident::URL),
              company = rowOf(panel, Ident::Company);
    struct Case
    {
        QString format;
        bool phone, email, address, url, company;
    };
    const Case cases[] = {
        { QrFormat::VCard, true, true, true, true, true },
        { QrFormat::Docomo, true, true, true, false, false },
        { QrFormat::Au, true, true, true, false, false },
        { QrFormat::SoftBank, true, true, true, false, false },
        { QrFormat::Phone, true, false, false, false, false },
        { QrFormat::Email, false, true, false, false, false },
        { QrFormat::URL, false, false, false, true, false },
    };
    for (const Case &c : cases) {
        panel.formatPopupSelected(c.format);
        EXPECT_EQ(panel.isRowEnabled(phone), c.phone) << qPrintable(c.format);
        EXPECT_EQ(panel.isRowEnabled(email), c.email) << qPrintable(c.format);
        EXPECT_EQ(panel.isRowEnabled(adr), c.address) << qPrintable(c.format);
        EXPECT_EQ(panel.isRowEnabled(url), c.url) << qPrintable(c.format);
        EXPECT_EQ(panel.isRowEnabled(company), c.company) << qPrintable(c.format);
    }
    EXPECT_EQ(panel.titleForRow(phone), u"work: +1 555 0100"_s);
    EXPECT_EQ(panel.titleForRow(company), u"Acme"_s);
    EXPECT_FALSE(panel.setSelected(99, true));
}
