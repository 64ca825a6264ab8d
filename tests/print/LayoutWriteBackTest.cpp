#include "print/LayoutWriteBack.h"

#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/LayoutString.h"
#include "model/ZRPerson.h"
#include "print/PrintOptionKeys.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = LayoutEditor::BlockKind;

LayoutEditor::Block block(Kind kind, const QRectF &rect)
{
    LayoutEditor::Block b;
    b.kind = kind;
    b.rect = rect;
    b.textRect = rect;
    return b;
}

QVariantMap layoutOf(const ZRPerson &person, qsizetype labelIndex)
{
    for (const QVariant &v : person.hagakiLayouts()) {
        if (v.toMap().value(Key::LabelIndex).toLongLong() == labelIndex)
            return v.toMap();
    }
    return {};
}

class LayoutWriteBackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田太郎\r\n"
                             "ADR;TYPE=HOME:;;霞が関1-2-3;千代田区;東京都;1000013;Japan\r\n"
                             "ADR;TYPE=WORK:;;大手町1-1;千代田区;東京都;1000004;Japan\r\nEND:VCARD\r\n"_s;
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        taro = controller.containerTable().first()->groups.at(0)->contactTable->at(0);
    }

    ViewController controller;
    ContactEntryPtr taro;
};

} // namespace

TEST_F(LayoutWriteBackTest, ADraggedReceiverBlockIsStoredInTheAddressUsedAsOneUndoStep)
{
    const QVariantList addresses = taro->person->addressValues();
    ASSERT_EQ(addresses.size(), 2);
    const qsizetype work = addresses.at(1).toMap().value(Key::LabelIndex).toLongLong();
    const ReceiverRecord record = ReceiverRecord::convertContact(taro->person, work);
    const QList<LayoutEditor::Block> blocks = { block(Kind::ReceiverName, { 110, 90, 60, 250 }),
        block(Kind::ReceiverAddress, { 200, 75, 46, 275 }) };

    const QVariantMap layout = LayoutWriteBack::placedLayout(record, blocks, false);
    EXPECT_EQ(layout.value(Key::LabelIndex).toLongLong(), work);
    EXPECT_EQ(
        LayoutString::rectFromString(layout.value(Key::ReceiverName).toString()), QRectF(110, 90, 60, 250));
    EXPECT_FALSE(layout.contains(Key::SenderName));

    ASSERT_TRUE(
        LayoutWriteBack::storePostcardLayout(controller, taro, record, layout, u"Move Postcard Text"_s));
    EXPECT_TRUE(controller.isDocumentEdited());
    EXPECT_EQ(controller.undoManager().undoActionName(), u"Move Postcard Text"_s);
    EXPECT_EQ(LayoutString::rectFromString(layoutOf(*taro->person, work).value(Key::ReceiverName).toString()),
        QRectF(110, 90, 60, 250));
    // The address entry carries the same rectangles; the other address is untouched.
    const QVariantList after = taro->person->addressValues();
    EXPECT_EQ(after.at(1).toMap().value(Key::ReceiverAddress).toString(), layout.value(Key::ReceiverAddress));
    EXPECT_FALSE(after.at(0).toMap().contains(Key::ReceiverName));
    // Read back as the printer reads it.
    EXPECT_EQ(ReceiverRecord::convertContact(taro->person, work).layoutDict.value(Key::ReceiverName),
        layout.value(Key::ReceiverName));

    controller.undo();
    EXPECT_TRUE(layoutOf(*taro->person, work).value(Key::ReceiverName).toString().isEmpty());
    EXPECT_FALSE(taro->person->addressValues().at(1).toMap().contains(Key::ReceiverName));
    EXPECT_FALSE(controller.undoManager().canUndo());

    // The same layout again is no change.
    const ReceiverRecord stored = ReceiverRecord::convertContact(taro->person, work);
    EXPECT_FALSE(
        LayoutWriteBack::storePostcardLayout(controller, taro, stored, stored.layoutDict, u"Move"_s));
}

TEST_F(LayoutWriteBackTest, SenderBlocksFillTheSenderKeysAndEnvelopeBlocksTheOptionsPerPaperAndDirection)
{
    const ReceiverRecord record = ReceiverRecord::convertContact(taro->person);
    const QVariantMap layout = LayoutWriteBack::placedLayout(record,
        { block(Kind::SenderName, { 20, 175, 36, 175 }), block(Kind::SenderAddress, { 60, 175, 40, 175 }) },
        true);
    EXPECT_EQ(
        LayoutString::rectFromString(layout.value(Key::SenderAddress).toString()), QRectF(60, 175, 40, 175));
    EXPECT_FALSE(layout.contains(Key::ReceiverName));
    EXPECT_TRUE(LayoutWriteBack::isSenderBlock(Kind::EnvelopeSender));
    EXPECT_FALSE(LayoutWriteBack::isSenderBlock(Kind::EnvelopeReceiver));

    QVariantMap options { { PrintKey::Envelope, QVariantMap { { PrintKey::TextDirection, u"Up-Down"_s } } } };
    options = LayoutWriteBack::withEnvelopeRect(options, u"DL"_s, false, { 10, 20, 100, 50 });
    options = LayoutWriteBack::withEnvelopeRect(options, u"C5"_s, true, { 1, 2, 30, 40 });
    const QVariantMap rects = options.value(PrintKey::Envelope).toMap().value(PrintKey::RectDicts).toMap();
    EXPECT_EQ(
        LayoutString::rectFromString(rects.value(u"DL"_s).toMap().value(u"receiverRectUpDown"_s).toString()),
        QRectF(10, 20, 100, 50));
    EXPECT_FALSE(rects.value(u"DL"_s).toMap().contains(u"receiverRect"_s));
    EXPECT_TRUE(rects.value(u"C5"_s).toMap().contains(u"senderRectUpDown"_s));
}
