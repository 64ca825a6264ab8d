#include "tools/PostalArchive.h"

#include <QCoreApplication>
#include <climits>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 LocalHeaderSignature = 0x04034b50;
constexpr quint32 CentralHeaderSignature = 0x02014b50;
constexpr quint32 EndOfDirectorySignature = 0x06054b50;
constexpr qsizetype EndOfDirectorySize = 22;
constexpr qsizetype CentralHeaderSize = 46;
constexpr qsizetype LocalHeaderSize = 30;
constexpr quint16 MethodStored = 0;
constexpr quint16 MethodDeflated = 8;

// Little-endian reads that fail instead of running past the end.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }
    bool has(qsizetype offset, qsizetype length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    quint16 u16(qsizetype offset) const
    {
        const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData()) + offset;
        return quint16(p[0] | (p[1] << 8));
    }
    quint32 u32(qsizetype offset) const { return quint32(u16(offset)) | (quint32(u16(offset + 2)) << 16); }

private:
    const QByteArray &m_bytes;
};

std::optional<QByteArray> fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return std::nullopt;
}

std::optional<QByteArray> inflateRaw(const char *data, qsizetype size, qsizetype expectedSize, QString *error)
{
    QByteArray output(expectedSize, Qt::Uninitialized);
    z_stream stream {};
    if (inflateInit2(&stream, -15) != Z_OK)
        return fail(error, QCoreApplication::translate("PostalArchive", "can't start inflating"));
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    stream.avail_in = uInt(size);
    stream.next_out = reinterpret_cast<Bytef *>(output.data());
    stream.avail_out = uInt(expectedSize);
    const int status = inflate(&stream, Z_FINISH);
    const qsizetype produced = qsizetype(stream.total_out);
    inflateEnd(&stream);
    if (status != Z_STREAM_END || produced != expectedSize)
        return fail(error,
            QCoreApplication::translate(
                "PostalArchive", "the compressed member is corrupt or its size is wrong"));
    return output;
}

} // namespace

namespace PostalArchive {

bool looksLikeZip(const QByteArray &bytes)
{
    return bytes.size() >= 4 && Reader(bytes).u32(0) == LocalHeaderSignature;
}

std::optional<QByteArray> extractCsv(const QByteArray &archive, QString *memberName, QString *error)
{
    if (archive.size() > MaximumArchiveSize)
        return fail(error,
            QCoreApplication::translate("PostalArchive", "the archive is larger than %1 MB")
                .arg(MaximumArchiveSize / (1024 * 1024)));
    const Reader in(archive);
    // The end-of-directory record sits within the last 64 KB (its comment is at most that long).
    qsizetype end = -1;
    const qsizetype lowest = qMax<qsizetype>(0, archive.size() - EndOfDirectorySize - 0xFFFF);
    for (qsizetype at = archive.size() - EndOfDirectorySize; at >= lowest; --at) {
        if (in.u32(at) == EndOfDirectorySignature) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return fail(error, QCoreApplication::translate("PostalArchive", "not a zip archive"));
    const int entries = in.u16(end + 10);
    const qsizetype directorySize = in.u32(end + 12);
    const qsizetype directoryOffset = in.u32(end + 16);
    if (in.u16(end + 4) != 0 || in.u16(end + 6) != 0)
        return fail(
            error, QCoreApplication::translate("PostalArchive", "multi-part archives are not supported"));
    if (directoryOffset == 0xFFFFFFFF || entries == 0xFFFF)
        return fail(
            error, QCoreApplication::translate("PostalArchive", "64-bit zip archives are not supported"));
    if (entries > MaximumMembers || !in.has(directoryOffset, directorySize)
        || directoryOffset + directorySize > end)
        return fail(
            error, QCoreApplication::translate("PostalArchive", "the archive's directory is damaged"));

    qsizetype at = directoryOffset;
    for (int i = 0; i < entries; ++i) {
        if (!in.has(at, CentralHeaderSize) || in.u32(at) != CentralHeaderSignature)
            return fail(
                error, QCoreApplication::translate("PostalArchive", "the archive's directory is damaged"));
        const quint16 flags = in.u16(at + 8);
        const quint16 method = in.u16(at + 10);
        const quint32 crc = in.u32(at + 16);
        const qsizetype compressedSize = in.u32(at + 20);
        const qsizetype size = in.u32(at + 24);
        const qsizetype nameLength = in.u16(at + 28);
        const qsizetype extraLength = in.u16(at + 30);
        const qsizetype commentLength = in.u16(at + 32);
        const qsizetype localOffset = in.u32(at + 42);
        if (!in.has(at + CentralHeaderSize, nameLength + extraLength + commentLength))
            return fail(
                error, QCoreApplication::translate("PostalArchive", "the archive's directory is damaged"));
        const QByteArray rawName = archive.mid(at + CentralHeaderSize, nameLength);
        at += CentralHeaderSize + nameLength + extraLength + commentLength;
        const QString name = QString::fromLatin1(rawName);
        if (!name.endsWith(u".csv"_s, Qt::CaseInsensitive))
            continue;

        if (flags & 0x1)
            return fail(
                error, QCoreApplication::translate("PostalArchive", "the member %1 is encrypted").arg(name));
        if (compressedSize == 0xFFFFFFFF || size == 0xFFFFFFFF || localOffset == 0xFFFFFFFF)
            return fail(
                error, QCoreApplication::translate("PostalArchive", "64-bit zip archives are not supported"));
        if (size > MaximumMemberSize)
            return fail(error,
                QCoreApplication::translate("PostalArchive", "the member %1 is larger than %2 MB")
                    .arg(name)
                    .arg(MaximumMemberSize / (1024 * 1024)));
        if (!in.has(localOffset, LocalHeaderSize) || in.u32(localOffset) != LocalHeaderSignature)
            return fail(error,
                QCoreApplication::translate("PostalArchive", "the member %1 has no valid local header")
                    .arg(name));
        const qsizetype dataOffset
            = localOffset + LocalHeaderSize + in.u16(localOffset + 26) + in.u16(localOffset + 28);
        if (!in.has(dataOffset, compressedSize))
            return fail(error,
                QCoreApplication::translate("PostalArchive", "the member %1 runs past the end of the archive")
                    .arg(name));

        std::optional<QByteArray> data;
        if (method == MethodStored) {
            if (compressedSize != size)
                return fail(error,
                    QCoreApplication::translate("PostalArchive", "the member %1 has inconsistent sizes")
                        .arg(name));
            data = archive.mid(dataOffset, size);
        } else if (method == MethodDeflated) {
            // Deflate cannot shrink data by more than about 1032:1; a larger claim is a lie.
            if (size > compressedSize * 1032 + 1024)
                return fail(error,
                    QCoreApplication::translate("PostalArchive", "the member %1 claims an impossible size")
                        .arg(name));
            data = inflateRaw(archive.constData() + dataOffset, compressedSize, size, error);
            if (!data)
                return std::nullopt;
        } else {
            return fail(error,
                QCoreApplication::translate(
                    "PostalArchive", "the member %1 uses compression method %2, which is not supported")
                    .arg(name)
                    .arg(method));
        }
        if (quint32(crc32(0, reinterpret_cast<const Bytef *>(data->constData()), uInt(data->size()))) != crc)
            return fail(error,
                QCoreApplication::translate("PostalArchive", "the member %1 fails its CRC check").arg(name));
        if (memberName)
            *memberName = name;
        return data;
    }
    return fail(error, QCoreApplication::translate("PostalArchive", "the archive holds no CSV file"));
}

} // namespace PostalArchive
