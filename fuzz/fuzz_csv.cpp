// The CSV reader with column detection on arbitrary text, and the CSV writer on what it read.
#include "formats/CsvReader.h"
#include "formats/CsvWriter.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const CsvReader::Result result = CsvReader::contactsFromCSV(text);
    if (result.ok() && !result.entries.isEmpty()) {
        // Whatever was read must write and read again without a failure.
        const CsvReader::Result again
            = CsvReader::contactsFromCSV(CsvWriter::csvFromSubContacts(result.entries));
        if (!again.ok() || again.entries.size() != result.entries.size())
            __builtin_trap();
    }
    return 0;
}
