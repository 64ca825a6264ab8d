#pragma once

#include "document/DocumentReader.h"
#include "formats/ObservedVCardRead.h"

// DocumentReader's reads of a file or a device, telling observer of every contact of a vCard read
// as its record is made (a CSV read tells it nothing).
namespace ObservedDocumentRead {

DocumentReadResult readFile(const QString &path, InputFormat format, TextEncoding::Number encoding,
    const DocumentReader::Progress &progress, const ObservedVCardRead::Observer &observer);
DocumentReadResult readDevice(QIODevice &device, InputFormat format, TextEncoding::Number encoding,
    const DocumentReader::Progress &progress, const ObservedVCardRead::Observer &observer);

} // namespace ObservedDocumentRead
