#include "tools/PostalArchive.h"
#include "tools/PostalDataFile.h"
#include "tools/PostalDataInstaller.h"
#include "tools/ZipSearch.h"
#include "tools/ZipSearchTexts.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// The readers of the postal data on arbitrary bytes: the zip archive, the gzip stream, the
// Windows-31J CSV with its record joining, and the searches over whatever text that makes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    QString name;
    QString error;
    (void)PostalArchive::extractCsv(bytes, &name, &error);
    (void)PostalDataFile::inflateData(bytes);

    const QString csv = PostalDataFile::decodeWindows31J(bytes);
    (void)PostalDataInstaller::validateCsv(bytes, PostalDataInstaller::Kind::General);
    const QString general = ZipSearchTextBuilder::compactGeneralText(csv);
    const QString business = ZipSearchTextBuilder::compactBusinessText(csv);

    // Search with a slice of the input itself as the typed text.
    const QString typed = csv.left(8);
    (void)ZipSearch::dictionariesFromFindLines(
        ZipSearch::findAddressLines(ZipSearch::findNumericString(typed), general));
    (void)ZipSearch::dictionariesFromFindLines(ZipSearch::findZipLines(typed, general));
    (void)ZipSearch::dictionariesFromFindLines(ZipSearch::findZipLines(typed, business));
    // Compact lines as such (a corrupted search text must not crash the row reader either).
    (void)ZipSearch::dictionariesFromFindLines({ QStringView(csv) });
    return 0;
}
