#include "model/VCardSerialization.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

StoreContact withoutNoteAndImages(StoreContact contact)
{
    contact.note.clear();
    contact.imageData.clear();
    contact.thumbnailImageData.clear();
    return contact;
}

} // namespace

// Reads arbitrary bytes as vCard text; whatever is read must come back unchanged (but for the
// note and the photo, which this writer leaves out) from a write and a second read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(bytes, &error);
    if (contacts.isEmpty())
        return 0;
    const QByteArray written = VCardSerialization::dataWithContacts(contacts, &error);
    const QList<StoreContact> reread = VCardSerialization::contactsWithData(written, &error);
    if (reread.size() != contacts.size())
        std::abort();
    for (qsizetype i = 0; i < contacts.size(); ++i) {
        if (!(withoutNoteAndImages(contacts[i]) == withoutNoteAndImages(reread[i])))
            std::abort();
    }
    return 0;
}
