#include "tools/MergeConfirmation.h"

#include "QrTestContacts.h"
#include "tools/MergePanelController.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace QrTestContacts;
using Side = MergePanelController::Side;
using Pos = MergePanelController::DropPosition;

namespace {

int rowOf(const MergePanelController &panel, Side side, const QString &type, qsizetype labelIndex = -2)
{
    const MergeRows &rows = panel.table(side);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).type == type && (labelIndex == -2 || rows.at(i).labelIndex == labelIndex))
            return i;
    }
    return -1;
}

QStringList identifiersFor(
    const QList<MergeReplacement> &replacements, const std::shared_ptr<ZRPerson> &person)
{
    QStringList out;
    for (const MergeReplacement &r : replacements) {
        if (r.person == person)
            out << r.identifier;
    }
    return out;
}

} // namespace

TEST(MergeConfirmation, ReplacesBothRecordsInOneUndoStep)
{
    auto left = japanese();
    auto right = western();
    left->setValueForIdentifier(u"花子"_s, Ident::Renmei);
    right->setValueForIdentifier(u"Jane"_s, Ident::Renmei);
    const ContactTable rows { entryFor(left), entryFor(right) };

    MergePanelController panel;
    MergeContext context;
    context.contacts = rows;
    ASSERT_TRUE(panel.setContextInfo(context, true));
    panel.writeRowsWithIndexes(Side::Left, { rowOf(panel, Side::Left, Ident::Phone, 0) });
    ASSERT_TRUE(panel.acceptDrop(Side::Right, rowOf(panel, Side::Right, Ident::Phone, -1), Pos::On, false));
    panel.writeRowsWithIndexes(Side::Left, { rowOf(panel, Side::Left, Ident::Company) });
    ASSERT_TRUE(panel.acceptDrop(Side::Right, rowOf(panel, Side::Right, Ident::Company), Pos::On, false));
    ASSERT_EQ(panel.confirm(), 1);

    const QList<MergeReplacement> replacements
        = MergeConfirmation::replacementsForPersonByContacts(panel.context().newContacts, rows);
    // Only what the sheet changed; the joint names, which the sheet's copies carry, stay as they are.
    EXPECT_EQ(identifiersFor(replacements, left), (QStringList { Ident::Phone, Ident::Company }));
    EXPECT_EQ(identifiersFor(replacements, right), (QStringList { Ident::Phone, Ident::Company }));

    // The window's replace operation, with its undo stack, stands in for the window's controller here.
    UndoManager windowUndo;
    RecordEdits windowEdits(windowUndo);
    MergeConfirmation::applyReplacements(
        replacements, windowUndo, [&](std::shared_ptr<ZRPerson> person, QString identifier, QVariant value) {
            windowEdits.replaceValue(value, identifier, person);
        });
    EXPECT_EQ(windowUndo.undoCount(), 1);
    EXPECT_TRUE(left->phoneValues().isEmpty());
    EXPECT_EQ(left->valueForIdentifier(Ident::Company), u""_s);
    EXPECT_EQ(right->phoneValues().size(), 2);
    EXPECT_EQ(right->valueForIdentifier(Ident::Company), u"山田商事"_s);
    EXPECT_EQ(left->valueForIdentifier(Ident::Renmei), u"花子"_s);
    EXPECT_EQ(right->valueForIdentifier(Ident::Renmei), u"Jane"_s);
    EXPECT_TRUE(left->changed());

    windowUndo.undo();
    EXPECT_EQ(left->phoneValues().size(), 1);
    EXPECT_EQ(left->phoneValues().first().toMap().value(Key::Value), u"090-1234-5678"_s);
    EXPECT_EQ(left->valueForIdentifier(Ident::Company), u"山田商事"_s);
    EXPECT_EQ(right->phoneValues().size(), 1);
    EXPECT_EQ(right->valueForIdentifier(Ident::Company), u"Acme"_s);
    EXPECT_FALSE(windowUndo.canUndo());
    windowUndo.redo();
    EXPECT_EQ(right->phoneValues().size(), 2);
}

TEST(MergeConfirmation, PhotoGoesOverOnlyFromARecordThatHasOne)
{
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(2, 2, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    struct Case
    {
        QImage giving, receiving;
        bool replaced;
        const char *why;
    };
    const Case cases[] = {
        { red, QImage(), true, "the receiving record has none" },
        { red, blue, true, "a different photo" },
        { red, red, false, "the same photo" },
        { QImage(), blue, false, "no photo to give" },
    };
    for (const Case &c : cases) {
        auto giving = western();
        auto receiving = western();
        giving->setPhoto(c.giving);
        receiving->setPhoto(c.receiving);
        const auto replacements = MergeConfirmation::replacementsForPersonByContacts(
            { entryFor(giving) }, { entryFor(receiving) });
        EXPECT_EQ(identifiersFor(replacements, receiving).contains(Ident::Photo), c.replaced) << c.why;
    }
    // Equal records and mismatched lists give nothing, and nothing makes no undo step.
    auto a = western();
    const auto none = MergeConfirmation::replacementsForPersonByContacts(
        { entryFor(a) }, { entryFor(a->copy()), entryFor(a) });
    EXPECT_TRUE(none.isEmpty());
    UndoManager undo;
    MergeConfirmation::applyReplacements(none, undo, [](auto, auto, auto) {});
    EXPECT_EQ(undo.undoCount(), 0);
}
