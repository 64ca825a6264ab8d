#include "tools/PostalDataFile.h"

#include "tools/PostalKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>
#include <climits>
#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <zlib.h>

namespace {

// Replaces each undecodable sequence with U+FFFD (the converter's own choice is U+001A, which is
// also a legal byte of its own) and counts them.
void substituteAndCount(const void *context, UConverterToUnicodeArgs *args, const char *, int32_t,
    UConverterCallbackReason reason, UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return; // reset, close or clone: nothing was lost
    ++*static_cast<qsizetype *>(const_cast<void *>(context));
    *error = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, error);
}

} // namespace

namespace PostalDataFile {

QByteArray inflateData(const QByteArray &compressed)
{
    if (compressed.isEmpty())
        return {};
    z_stream stream {};
    // 15 + 32: the widest window, with the gzip or zlib header recognised automatically.
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return {};
    const qsizetype inputSize = compressed.size();
    if (inputSize > qsizetype(UINT_MAX)) {
        inflateEnd(&stream);
        return {};
    }
    const qsizetype growth = qMax<qsizetype>(inputSize / 2, 1024);
    QByteArray output;
    output.resize(qMin(inputSize + inputSize / 2 + 1, MaximumInflatedSize));
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = uInt(inputSize);
    qsizetype produced = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        if (produced == output.size()) {
            if (output.size() >= MaximumInflatedSize) {
                qWarning("%s: ERROR inflated data exceeds %lld bytes", Q_FUNC_INFO,
                    static_cast<long long>(MaximumInflatedSize));
                status = Z_MEM_ERROR;
                break;
            }
            output.resize(qMin(output.size() + growth, MaximumInflatedSize));
        }
        const qsizetype room = qMin<qsizetype>(output.size() - produced, UINT_MAX);
        stream.next_out = reinterpret_cast<Bytef *>(output.data() + produced);
        stream.avail_out = uInt(room);
        status = inflate(&stream, Z_NO_FLUSH);
        produced += room - qsizetype(stream.avail_out);
        // No progress with input left and room to spare means the stream ended early.
        if (status == Z_BUF_ERROR && stream.avail_out > 0)
            break;
        if (status == Z_BUF_ERROR)
            status = Z_OK;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return {};
    output.truncate(produced);
    return output;
}

QByteArray gzipData(const QByteArray &data)
{
    z_stream stream {};
    // 15 + 16: a gzip wrapper; deflateInit2 writes no name and a zero timestamp.
    if (deflateInit2(&stream, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray output;
    output.resize(qsizetype(deflateBound(&stream, uLong(data.size()))));
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(output.data());
    stream.avail_out = uInt(output.size());
    const int status = deflate(&stream, Z_FINISH);
    const qsizetype written = qsizetype(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        return {};
    output.truncate(written);
    return output;
}

QString decodeWindows31J(const QByteArray &bytes, qsizetype *invalidCount)
{
    if (invalidCount)
        *invalidCount = 0;
    if (bytes.isEmpty())
        return {};
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
        ucnv_open("windows-31j", &error), &ucnv_close);
    if (U_FAILURE(error)) {
        qWarning("%s: ERROR can't open the Windows-31J converter: %s", Q_FUNC_INFO, u_errorName(error));
        return {};
    }
    qsizetype invalid = 0;
    ucnv_setToUCallBack(converter.get(), substituteAndCount, &invalid, nullptr, nullptr, &error);
    // Every byte gives at most one UTF-16 unit, so the output never needs more room than the input.
    QString text(bytes.size(), Qt::Uninitialized);
    auto *target = reinterpret_cast<UChar *>(text.data());
    UChar *const targetStart = target;
    const char *source = bytes.constData();
    const char *const sourceEnd = source + bytes.size();
    ucnv_toUnicode(
        converter.get(), &target, targetStart + text.size(), &source, sourceEnd, nullptr, true, &error);
    if (U_FAILURE(error)) {
        qWarning("%s: ERROR conversion failed: %s", Q_FUNC_INFO, u_errorName(error));
        return {};
    }
    text.truncate(qsizetype(target - targetStart));
    if (invalidCount)
        *invalidCount = invalid;
    return text;
}

QString dataDirectory()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(PostalFile::DataSubfolder);
}

QString locate(const QString &fileName, const QString &directory)
{
    if (!directory.isEmpty()) {
        const QString path = QDir(directory).filePath(fileName);
        return QFileInfo::exists(path) ? path : QString();
    }
    const QString installed = QDir(dataDirectory()).filePath(fileName);
    if (QFileInfo::exists(installed))
        return installed;
    const QString builtIn = PostalFile::ResourceFolder + u'/' + fileName;
    return QFileInfo::exists(builtIn) ? builtIn : QString();
}

QByteArray readInflated(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The compressed national files are a few megabytes; anything far beyond is not ours.
    if (file.size() > MaximumInflatedSize)
        return {};
    return inflateData(file.readAll());
}

} // namespace PostalDataFile
