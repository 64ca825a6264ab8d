#include "model/PlaceholderImages.h"
#include "model/ZRPerson.h"

#include <QBuffer>

namespace {

QByteArray encodeImage(const QImage &image)
{
    // Lossless and readable everywhere Qt runs.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QImage ZRPerson::thumbnail() const
{
    QImage image;
    if (!m_thumbnailImageData.isEmpty())
        image.loadFromData(m_thumbnailImageData);
    if (image.isNull() && !m_imageData.isEmpty())
        image.loadFromData(m_imageData);
    if (!image.isNull())
        return image;
    return m_showAsPerson ? PlaceholderImages::person() : PlaceholderImages::company();
}

QImage ZRPerson::photo() const
{
    QImage image;
    if (!m_imageData.isEmpty())
        image.loadFromData(m_imageData);
    if (image.isNull() && !m_thumbnailImageData.isEmpty())
        image.loadFromData(m_thumbnailImageData);
    return image;
}

void ZRPerson::setPhoto(const QImage &image)
{
    if (image.isNull()) {
        m_imageData.clear();
        m_thumbnailImageData.clear();
        return;
    }
    m_imageData = encodeImage(image);
}
