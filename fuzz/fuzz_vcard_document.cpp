#include "formats/ZRvCard.h"
#include "model/ZRPerson.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Reads arbitrary bytes as a vCard document. Its records build their values from the cards on first
// use, so each must write the same contact before and after it has built them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto containers = ZRvCard().containersFromVCards(bytes);
    if (!containers)
        std::abort(); // nothing asked the read to stop
    const ContactTable *table = ZRvCard::contactsInContainer(*containers->first());
    if (!table)
        std::abort();
    for (const ContactEntryPtr &entry : *table) {
        ZRPerson &person = *entry->person;
        const StoreContact before = person.contactFromCache();
        person.phoneValues();
        if (person.hasUnbuiltValues() || !(person.contactFromCache() == before))
            std::abort();
    }
    return 0;
}
