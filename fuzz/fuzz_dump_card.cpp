#include "cli/DumpCardJson.h"
#include "cli/DumpJson.h"
#include "cli/JsonText.h"
#include "document/DocumentReader.h"
#include "model/ZRPerson.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reads arbitrary bytes as a vCard document and writes each contact's dump object twice: straight
// from its card while its values are unbuilt, and from its values once built. The two must be the
// same bytes; a difference would be a dump that says something the record does not.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DocumentReadResult read
        = DocumentReader::readData(bytes, InputFormat::VCard, TextEncoding::Automatic);
    const QStringList groups { QStringLiteral("Friends") };
    for (const ContactEntryPtr &entry : read.contactTable) {
        if (!entry || !entry->person)
            continue;
        QByteArray fromCard;
        if (!DumpCardJson::append(fromCard, *entry->person, groups, 1))
            continue;
        entry->person->phoneValues(); // builds the record's values
        QByteArray fromValues;
        JsonText::appendObject(fromValues, DumpJson::fields(*entry, groups), 1);
        if (fromCard != fromValues) {
            std::fprintf(stderr, "the dump from the card differs from the record's:\n%s\n---\n%s\n",
                fromCard.constData(), fromValues.constData());
            std::abort();
        }
    }
    return 0;
}
