#pragma once

#include "model/TranslatableText.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace QrMessage {

// %1 the payload's size in bytes, %2 the most a QR code holds.
inline constexpr auto TooLong = TranslatableText(
    "QrMessage", "The text is too long for a QR code: %1 bytes, and a QR code holds at most %2.");
inline constexpr auto WithoutAddress
    = TranslatableText("QrMessage", "Leave out the address to make the vCard fit.");
inline constexpr auto EncoderFailed = TranslatableText("QrMessage", "The QR code couldn't be made.");

} // namespace QrMessage

// A QR code drawn for a payload, or why none could be drawn.
struct QrCodeResult
{
    QImage image; // null on failure
    int modules = 0; // symbol width in modules, without the quiet zone
    double scale = 0; // pixels per module
    QString error;

    bool ok() const { return !image.isNull(); }
};

// QR symbols at error-correction level L of the UTF-8 payload, drawn one pixel per module and then
// enlarged without smoothing so that every module stays a sharp square.
class QrCodeImage
{
public:
    // The largest payload a symbol holds at level L (version 40, byte mode).
    static constexpr qsizetype MaxPayloadBytes = 2953;

    static QrCodeResult createQRCodeFromString(const QString &payload);
    // Pixels per module for a symbol this many modules wide.
    static double scaleForModules(int modules);
    // The symbol one pixel per module, dark modules black, with a one-module white margin.
    static QImage moduleBitmap(const QString &payload, int *modules, QString *error);
    // The image redrawn at the new size without smoothing; null when the image is null.
    static QImage imageResize(const QImage &image, int width, int height);
    // The image as PNG bytes, ready for the clipboard ("image/png"); empty for a null image.
    static QByteArray pngData(const QImage &image);
};
