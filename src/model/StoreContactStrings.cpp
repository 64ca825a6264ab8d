#include "model/StoreContactStrings.h"

#include "model/CardTextArena.h"

#include <QVarLengthArray>
#include <cstring>

namespace StoreContactStrings {

void pack(StoreContact &contact)
{
    // Text over the card's arena must move, or it would be lost with the card. A string with a block
    // of its own moves too, so that the contact keeps one block; literals cost nothing where they
    // are, and a string shared with anything outside the contact would keep its block alive anyway.
    const CardTextArena::Range arena = CardTextArena::range();
    QVarLengthArray<QString *, 64> moving;
    qsizetype units = 0;
    forEach(contact, [&](QString &text) {
        if (!text.isEmpty() && (text.isDetached() || arena.holds(text))) {
            moving.append(&text);
            units += text.size() + 1;
        }
    });
    if (moving.isEmpty())
        return;
    using Data = QTypedArrayData<char16_t>;
    const auto allocated = Data::allocate(units);
    Data *const header = allocated.first;
    Q_CHECK_PTR(header);
    // Each string holds one reference to the block; all are set at once, before anyone sees it.
    header->ref_.storeRelaxed(int(moving.size()));
    char16_t *at = allocated.second;
    for (QString *text : moving) {
        const qsizetype size = text->size();
        std::memcpy(at, text->constData(), size_t(size) * sizeof(char16_t));
        at[size] = u'\0'; // strings hand out their data null-terminated
        *text = QString(QArrayDataPointer<char16_t>(header, at, size));
        at += size + 1;
    }
}

void separate(StoreContact &contact)
{
    const CardTextArena::Range arena = CardTextArena::range();
    forEach(contact, [&](QString &text) {
        if (!text.isEmpty() && arena.holds(text))
            text = QString(text.constData(), text.size());
    });
}

} // namespace StoreContactStrings
