// The one home of record edits: what the window's controller and the merge sheet both rely on.

#include "document/RecordEdits.h"

#include "HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Photo("\xff\xd8 the photo as the file held it", 32);
const QByteArray Thumbnail("\x89PNG the thumbnail beside it", 27);

} // namespace

TEST(RecordEditsTest, DeletingAPhotoAndUndoingItThroughTheWindowGivesBackImageAndThumbnail)
{
    TestHub t;
    t.open(TestHub::card(u"Ann"_s) + TestHub::card(u"Bob"_s));
    const ContactEntryPtr ann = t.entry(0);
    ann->person->setImageData(Photo);
    ann->person->setThumbnailImageData(Thumbnail);

    EXPECT_TRUE(t.controller().undoReplaceValue(QVariant(), Ident::Photo, ann));
    EXPECT_TRUE(ann->person->imageData().isEmpty());
    EXPECT_TRUE(ann->person->thumbnailImageData().isEmpty());
    t.hub.undo();
    EXPECT_EQ(ann->person->imageData(), Photo);
    EXPECT_EQ(ann->person->thumbnailImageData(), Thumbnail);
    t.hub.redo();
    EXPECT_TRUE(ann->person->imageData().isEmpty());
    EXPECT_TRUE(ann->person->thumbnailImageData().isEmpty());
    t.hub.undo();
    EXPECT_EQ(ann->person->thumbnailImageData(), Thumbnail);

    // A new photo drops the thumbnail made from the old one; undo gives both back.
    QImage red(3, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    EXPECT_TRUE(t.controller().undoReplaceValue(red, Ident::Photo, ann));
    EXPECT_TRUE(ann->person->thumbnailImageData().isEmpty());
    EXPECT_EQ(ann->person->thumbnail().pixelColor(0, 0), QColor(Qt::red));
    t.hub.undo();
    EXPECT_EQ(ann->person->imageData(), Photo);
    EXPECT_EQ(ann->person->thumbnailImageData(), Thumbnail);
}

TEST(RecordEditsTest, EveryChangeAndEveryInverseIsReportedAndMarksTheRecord)
{
    UndoManager undo;
    QStringList seen;
    RecordEdits edits(undo, [&](const std::shared_ptr<ZRPerson> &, const QString &field) { seen << field; });
    auto person = ZRPerson::create();
    EXPECT_TRUE(edits.addLabeledValue(
        QVariantMap { { Key::Label, u"home"_s }, { Ident::ZIP, u"100"_s } }, Ident::Address, person));
    QVariantMap address = person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
    address.insert(Ident::City, u"Kyoto"_s);
    EXPECT_TRUE(edits.replaceValue(address, Ident::City, person)) << "an address part replaces the address";
    EXPECT_TRUE(person->changed());
    undo.undo();
    undo.undo();
    EXPECT_TRUE(person->addressValues().isEmpty());
    EXPECT_EQ(seen, (QStringList { Ident::Address, Ident::Address, Ident::Address, Ident::Address }));

    // Nothing changes, nothing is registered and nothing is reported.
    seen.clear();
    const int steps = undo.redoCount();
    EXPECT_FALSE(edits.deleteLabeledValue(QVariantMap { { Key::LabelIndex, 5 } }, Ident::Phone, person));
    EXPECT_FALSE(edits.replaceValue(QVariantMap { { Key::Value, u"1"_s } }, Ident::Phone, person))
        << "a labelled value without its number names no entry";
    EXPECT_FALSE(edits.replaceValue(QVariant(), Ident::Email, person));
    EXPECT_FALSE(edits.replaceValue(u"x"_s, u"Unknown"_s, person));
    EXPECT_FALSE(edits.addLabeledValue(u"not a labelled value"_s, Ident::Phone, person));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(undo.redoCount(), steps);
    EXPECT_EQ(undo.undoCount(), 0);
}

TEST(RecordEditsTest, ALayoutMadeForAnAddressGoesAgainOnUndo)
{
    UndoManager undo;
    RecordEdits edits(undo);
    auto person = ZRPerson::create();
    const QVariantList before = person->hagakiLayouts(); // the first address's, empty
    const QVariantMap layout { { Key::LabelIndex, 1 }, { Key::StringValue, u"layout"_s } };
    EXPECT_TRUE(edits.replaceValue(layout, Ident::HagakiLayout, person));
    EXPECT_EQ(person->hagakiLayouts().size(), 2);
    undo.undo();
    EXPECT_EQ(person->hagakiLayouts(), before);
    undo.redo();
    EXPECT_EQ(person->hagakiLayouts().value(1).toMap().value(Key::StringValue), u"layout"_s);
}

TEST(RecordEditsTest, ABirthdayIsAddedBySettingIt)
{
    UndoManager undo;
    RecordEdits edits(undo);
    auto person = ZRPerson::create();
    const QVariantMap birthday { { Key::Value, QDate(1990, 4, 1) } };
    EXPECT_TRUE(edits.addLabeledValue(birthday, Ident::Birthday, person));
    EXPECT_FALSE(person->stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0).isEmpty());
    undo.undo();
    EXPECT_TRUE(person->stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0).isEmpty());
}
