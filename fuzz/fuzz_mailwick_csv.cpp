// The envelope product's CSV reader and the vCard container reader on arbitrary text.
#include "formats/MailwickCsv.h"
#include "formats/ZRvCard.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)MailwickCsv::contactsFromMailwickCSV(text);
    (void)ZRvCard().containersFromVCards(text);
    return 0;
}
