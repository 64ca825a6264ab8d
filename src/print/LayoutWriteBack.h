#pragma once

#include "formats/ContactContainer.h"
#include "print/EnvelopeLayout.h"
#include "print/HagakiLayout.h"
#include "print/LayoutEditor.h"
#include "print/ReceiverRecord.h"

#include <QList>
#include <QString>
#include <QVariantMap>

class ViewController;

// Where the blocks a user placed are kept: a postcard's in the layout record of the address printed
// (receiver name and address, or sender name and address), stored through the view controller as one
// undoable edit; an envelope's in the print options, per paper and text direction.
namespace LayoutWriteBack {

// The blocks the page shows, in the order a click tries them.
QList<LayoutEditor::Block> postcardBlocks(const HagakiPage &page);
QList<LayoutEditor::Block> envelopeBlocks(const EnvelopePage &page);

bool isSenderBlock(LayoutEditor::BlockKind kind);

// The record's layout with the name and address rectangles of the receiver's (or the sender's) blocks,
// numbered for its address.
QVariantMap placedLayout(const ReceiverRecord &record, const QList<LayoutEditor::Block> &blocks, bool sender);

// Stores the layout of the contact's address as one undo step named `actionName` and marks the document
// edited; false (and nothing stored) when the contact is gone or the layout is the same.
bool storePostcardLayout(ViewController &controller, const ContactEntryPtr &contact,
    const ReceiverRecord &record, const QVariantMap &layout, const QString &actionName);

// The options with an envelope block's rectangle stored for the paper (and the current direction).
QVariantMap withEnvelopeRect(QVariantMap options, const QString &paperName, bool sender, const QRectF &rect);

} // namespace LayoutWriteBack
