// The one road from bytes to contacts, as dropped data and standard input take it: any bytes, in any
// of the three formats, give contacts or a reason, and the same bytes read from a device give the same.
#include "document/DocumentReader.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const InputFormat formats[] = { InputFormat::VCard, InputFormat::Csv, InputFormat::MailwickCsv };
    const InputFormat format = formats[data[0] % 3];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const DocumentReadResult read = DocumentReader::readData(bytes, format, TextEncoding::Automatic);
    if (read.ok() == !read.readError.isEmpty())
        std::abort();
    if (format == InputFormat::VCard && read.ok() && !read.containers)
        std::abort();

    QBuffer device;
    device.setData(bytes);
    if (!device.open(QIODevice::ReadOnly))
        std::abort();
    const DocumentReadResult again = DocumentReader::readDevice(device, format, TextEncoding::Automatic);
    if (again.status != read.status || again.contactTable.size() != read.contactTable.size()
        || again.notices.size() != read.notices.size())
        std::abort();
    if (read.ok())
        DocumentReader::groupEntries(read, QString::fromUtf8(bytes.left(8)));
    return 0;
}
