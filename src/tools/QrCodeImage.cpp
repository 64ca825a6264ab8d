#include "tools/QrCodeImage.h"

#include <QBuffer>
#include <cerrno>
#include <memory>
#include <qrencode.h>

namespace {

struct QrcodeDeleter
{
    void operator()(QRcode *code) const { QRcode_free(code); }
};

std::unique_ptr<QRcode, QrcodeDeleter> encode(const QByteArray &bytes)
{
    // The string entry point picks compact modes for runs of digits and letters; it stops at a zero
    // byte, so a payload holding one goes through the byte-mode entry point whole.
    if (!bytes.contains('\0'))
        return std::unique_ptr<QRcode, QrcodeDeleter>(
            QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_L, QR_MODE_8, 1));
    return std::unique_ptr<QRcode, QrcodeDeleter>(QRcode_encodeData(
        int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0, QR_ECLEVEL_L));
}

} // namespace

double QrCodeImage::scaleForModules(int modules)
{
    if (modules <= 48)
        return 3.0;
    if (modules <= 56)
        return 4.0;
    return 5.0;
}

QImage QrCodeImage::moduleBitmap(const QString &payload, int *modules, QString *error)
{
    const QByteArray bytes = payload.toUtf8();
    auto tooLong = [&] {
        if (error)
            *error = QrMessage::TooLong.arg(bytes.size()).arg(MaxPayloadBytes);
        return QImage();
    };
    if (bytes.size() > MaxPayloadBytes)
        return tooLong();
    errno = 0;
    const auto code = encode(bytes);
    if (!code) {
        if (errno == ERANGE)
            return tooLong();
        if (error)
            *error = QrMessage::EncoderFailed;
        return QImage();
    }
    const int width = code->width;
    QImage bitmap(width + 2, width + 2, QImage::Format_Grayscale8);
    bitmap.fill(255);
    for (int y = 0; y < width; ++y) {
        uchar *line = bitmap.scanLine(y + 1);
        const unsigned char *row = code->data + qsizetype(y) * width;
        for (int x = 0; x < width; ++x) {
            if (row[x] & 1)
                line[x + 1] = 0;
        }
    }
    if (modules)
        *modules = width;
    return bitmap;
}

QrCodeResult QrCodeImage::createQRCodeFromString(const QString &payload)
{
    QrCodeResult result;
    const QImage bitmap = moduleBitmap(payload, &result.modules, &result.error);
    if (bitmap.isNull())
        return result;
    result.scale = scaleForModules(result.modules);
    // The margin is one module on each side, so every module is exactly `scale` pixels wide.
    const int side = int((result.modules + 2) * result.scale);
    result.image = imageResize(bitmap, side, side);
    return result;
}

QImage QrCodeImage::imageResize(const QImage &image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return QImage();
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QByteArray QrCodeImage::pngData(const QImage &image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Lossless at the least effort: the image is a few kilobytes of flat colour either way.
    image.save(&buffer, "PNG");
    return bytes;
}
