#include "print/LayoutWriteBack.h"

#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/LayoutString.h"
#include "model/ZRPerson.h"
#include "print/HagakiTextObject.h"
#include "print/PrintOptionKeys.h"

namespace LayoutWriteBack {

namespace {

LayoutEditor::Block blockOf(LayoutEditor::BlockKind kind, const QVariantMap &object)
{
    LayoutEditor::Block block;
    block.kind = kind;
    block.rect = TextObject::rect(object);
    const QRectF text = TextObject::rect(object, TextKey::TextRect);
    block.textRect = text.isEmpty() ? block.rect : text;
    return block;
}

LayoutEditor::Block blockOf(LayoutEditor::BlockKind kind, const EnvelopeBlock &envelope)
{
    LayoutEditor::Block block;
    block.kind = kind;
    block.rect = envelope.rect;
    block.textRect = envelope.textRect.isEmpty() ? envelope.rect : envelope.textRect;
    return block;
}

const LayoutEditor::Block *find(const QList<LayoutEditor::Block> &blocks, LayoutEditor::BlockKind kind)
{
    for (const LayoutEditor::Block &block : blocks) {
        if (block.kind == kind)
            return &block;
    }
    return nullptr;
}

// The position of the address carrying the label number, which the controller's edit is given.
qsizetype addressPosition(const ZRPerson &person, qsizetype labelIndex)
{
    const QVariantList &addresses = person.addressValues();
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        bool ok = false;
        if (addresses.at(i).toMap().value(Key::LabelIndex).toLongLong(&ok) == labelIndex && ok)
            return i;
    }
    return -1;
}

} // namespace

QList<LayoutEditor::Block> postcardBlocks(const HagakiPage &page)
{
    using Kind = LayoutEditor::BlockKind;
    QList<LayoutEditor::Block> blocks;
    const auto add = [&](int slot, Kind kind) {
        if (slot < page.objects.size() && !page.objects.at(slot).isEmpty())
            blocks.append(blockOf(kind, page.objects.at(slot)));
    };
    if (!page.senderIsReceiver) {
        add(HagakiLayout::ReceiverNameSlot, Kind::ReceiverName);
        add(HagakiLayout::ReceiverAddressSlot, Kind::ReceiverAddress);
    }
    if (page.hasSender) {
        add(HagakiLayout::SenderNameSlot, Kind::SenderName);
        add(HagakiLayout::SenderAddressSlot, Kind::SenderAddress);
    }
    return blocks;
}

QList<LayoutEditor::Block> envelopeBlocks(const EnvelopePage &page)
{
    QList<LayoutEditor::Block> blocks;
    if (page.receiver)
        blocks.append(blockOf(LayoutEditor::BlockKind::EnvelopeReceiver, *page.receiver));
    if (page.sender)
        blocks.append(blockOf(LayoutEditor::BlockKind::EnvelopeSender, *page.sender));
    return blocks;
}

bool isSenderBlock(LayoutEditor::BlockKind kind)
{
    using Kind = LayoutEditor::BlockKind;
    return kind == Kind::SenderName || kind == Kind::SenderAddress || kind == Kind::EnvelopeSender;
}

QVariantMap placedLayout(const ReceiverRecord &record, const QList<LayoutEditor::Block> &blocks, bool sender)
{
    using Kind = LayoutEditor::BlockKind;
    QVariantMap layout = record.layoutDict;
    layout.insert(Key::LabelIndex, record.labelIndex);
    const LayoutEditor::Block *name = find(blocks, sender ? Kind::SenderName : Kind::ReceiverName);
    const LayoutEditor::Block *address = find(blocks, sender ? Kind::SenderAddress : Kind::ReceiverAddress);
    // Both blocks are kept together: one placed by hand and one by default would drift apart as the
    // default follows the number of name lines.
    if (name)
        layout.insert(sender ? Key::SenderName : Key::ReceiverName, LayoutString::stringFromRect(name->rect));
    if (address)
        layout.insert(
            sender ? Key::SenderAddress : Key::ReceiverAddress, LayoutString::stringFromRect(address->rect));
    return layout;
}

bool storePostcardLayout(ViewController &controller, const ContactEntryPtr &contact,
    const ReceiverRecord &record, const QVariantMap &layout, const QString &actionName)
{
    if (!contact || !contact->person || contact->person != record.person || layout == record.layoutDict)
        return false;
    UndoManager &undo = controller.undoManager();
    {
        UndoManager::Group step(undo);
        controller.postcardLayoutDidChange(
            contact, layout, std::max<qsizetype>(addressPosition(*contact->person, record.labelIndex), 0));
        undo.setActionName(actionName);
    }
    controller.setDocumentEdited(true);
    return true;
}

QVariantMap withEnvelopeRect(QVariantMap options, const QString &paperName, bool sender, const QRectF &rect)
{
    QVariantMap envelope = options.value(PrintKey::Envelope).toMap();
    EnvelopeLayout::setBlockRect(envelope, paperName, sender, rect);
    options.insert(PrintKey::Envelope, envelope);
    return options;
}

} // namespace LayoutWriteBack
