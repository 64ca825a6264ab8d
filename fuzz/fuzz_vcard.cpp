#include "model/VCardSerialization.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Reads arbitrary bytes as vCard text; whatever is read must survive a write and a second read
// with the same number of contacts.
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
    return 0;
}
