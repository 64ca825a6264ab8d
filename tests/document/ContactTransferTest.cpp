#include "document/ContactTransfer.h"

#include "document/ContactContextMenu.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

ContactTable readRows(const QString &text)
{
    const auto containers = ZRvCard().containersFromVCards(text);
    return *ZRvCard::contactsInContainer(*containers->first());
}

ContactEntryPtr subRow(const ContactEntryPtr &entry, qsizetype labelIndex)
{
    auto row = std::make_shared<ContactEntry>(*entry);
    row->labelIndex = labelIndex;
    return row;
}

const QString AnnCard
    = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nTEL;TYPE=HOME:(03) 1234 5678\r\n"
      "TEL;TYPE=WORK:2\r\nEND:VCARD\r\n"_s;

} // namespace

TEST(ContactTransferTest, CopiesLinesAndDropsTooShortText)
{
    const ContactTable rows
        = readRows(AnnCard + u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:;X;;;\r\nFN:X\r\nEND:VCARD\r\n"_s);
    const QString text
        = ContactTransfer::copyText(rows, { Ident::Name, Ident::Phone }, ContactTransfer::TabSeparator);
    EXPECT_EQ(text.count(u'\n'), 1);
    EXPECT_TRUE(text.section(u'\t', 0, 0).contains(u"Ann Lee"_s));
    EXPECT_TRUE(
        ContactTransfer::copyText({ rows.last() }, { Ident::Name }, ContactTransfer::TabSeparator).isEmpty());
}

TEST(ContactTransferTest, DraggingTwoSubRowsOfOneContactCarriesItOnce)
{
    const ContactTable rows = readRows(AnnCard);
    QTemporaryDir temp;
    std::unique_ptr<QMimeData> data(ContactTransfer::dragData(
        { subRow(rows.first(), 0), subRow(rows.first(), 1) }, { 0, 1 }, temp.path()));
    EXPECT_EQ(data->text().count(u"Ann Lee"_s), 1);
    EXPECT_EQ(data->data(ContactTransfer::VCardMimeType).count("BEGIN:VCARD"), 1);
    EXPECT_EQ(data->data(ContactTransfer::RowIndexesMimeType), QByteArray("0,1"));
    ASSERT_EQ(data->urls().size(), 1);
    QFile file(data->urls().first().toLocalFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("BEGIN:VCARD"), 1);
}

TEST(ContactTransferTest, DropsAreRefusedFromThisTableOrWhileLockedAndAddContactsOtherwise)
{
    ViewController controller;
    controller.setContainerTable(*ZRvCard().containersFromVCards(QString()));
    QMimeData data;
    data.setData(ContactTransfer::VCardMimeType, AnnCard.toUtf8());
    ContactTransfer::DropTarget target { false, false, 0, 0, true };

    EXPECT_FALSE(ContactTransfer::acceptDrop(data, { true, false, 0, 0, true }, controller));
    EXPECT_FALSE(ContactTransfer::acceptDrop(data, { false, true, 0, 0, true }, controller));
    EXPECT_FALSE(ContactTransfer::acceptDrop(data, { false, false, 0, 0, false }, controller));
    EXPECT_TRUE(ContactTransfer::acceptDrop(data, target, controller));
    EXPECT_EQ(controller.selectedGroupDict()->contactTable->size(), 1);

    // A Shift_JIS vCard file from a phone is read in its own encoding.
    QTemporaryDir temp;
    const QString path = temp.filePath(u"phone.vcf"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:\x8e\x52\x93\x63;\x91\xbe\x98\x59\r\nEND:"
               "VCARD\r\n");
    file.close();
    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile(path), QUrl::fromLocalFile(temp.filePath(u"notes.txt"_s)) });
    EXPECT_TRUE(ContactTransfer::acceptDrop(files, target, controller));
    ASSERT_EQ(controller.selectedGroupDict()->contactTable->size(), 2);
    EXPECT_EQ(controller.selectedGroupDict()->contactTable->last()->person->compositeName(), u"山田 太郎"_s);
}

TEST(ContactTransferTest, ContextMenuEntriesFollowTheCellAndTheEditState)
{
    const ContactTable rows = readRows(AnnCard);
    using ContactContextMenu::menuForCell;
    const auto phone = menuForCell(Ident::Phone, *rows.first(), false);
    ASSERT_EQ(phone.size(), 9);
    EXPECT_EQ(phone.first().title, u"Call Phone"_s);
    EXPECT_TRUE(phone.first().enabled);
    EXPECT_FALSE(phone.last().enabled); // edit entries are listed but do nothing while locked

    const auto noEmail = menuForCell(Ident::Email, *rows.first(), true);
    EXPECT_FALSE(noEmail.first().enabled); // nothing to mail
    EXPECT_EQ(noEmail.last().title, ContactContextMenu::Title::AddItem);
    EXPECT_EQ(menuForCell(Ident::Note, *rows.first(), true).size(), 1);
    EXPECT_TRUE(menuForCell(u"Sender"_s, *rows.first(), true).isEmpty());

    using ContactContextMenu::workspaceUrl;
    EXPECT_EQ(workspaceUrl(Ident::Phone, u"(03) 1234 5678"_s).toString(), u"tel://0312345678"_s);
    EXPECT_EQ(workspaceUrl(Ident::Email, u"a b@x.jp"_s).toString(QUrl::FullyEncoded), u"mailto:a%20b@x.jp"_s);
    EXPECT_TRUE(workspaceUrl(Ident::Address, u"1 Main St"_s).toString().startsWith(u"maps://?q=1"_s));
    EXPECT_FALSE(workspaceUrl(Ident::Phone, QString()).isValid());
}
