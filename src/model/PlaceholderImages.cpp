#include "model/PlaceholderImages.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage blank()
{
    QImage image(PlaceholderImages::Size, PlaceholderImages::Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage drawPerson()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = PlaceholderImages::Size;
    QPainterPath badge;
    badge.addEllipse(QRectF(0, 0, s, s));
    p.fillPath(badge, QColor(0xa8, 0xac, 0xb3));
    p.setClipPath(badge);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xf3, 0xf5));
    p.drawEllipse(QRectF(s * 0.32, s * 0.16, s * 0.36, s * 0.38)); // head
    p.drawEllipse(QRectF(s * 0.14, s * 0.60, s * 0.72, s * 0.66)); // shoulders
    return image;
}

QImage drawCompany()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = PlaceholderImages::Size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa8, 0xac, 0xb3));
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.12, s * 0.12);
    const QColor light(0xf2, 0xf3, 0xf5);
    p.setBrush(light);
    const QRectF building(s * 0.28, s * 0.18, s * 0.44, s * 0.66);
    p.drawRect(building);
    // Windows: a grid of small panes, then a door.
    p.setBrush(QColor(0xa8, 0xac, 0xb3));
    const qreal pane = s * 0.08;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(building.left() + s * 0.05 + col * s * 0.13,
                building.top() + s * 0.05 + row * s * 0.12, pane, pane));
    }
    p.drawRect(QRectF(s * 0.45, s * 0.70, s * 0.10, s * 0.14));
    return image;
}

} // namespace

QImage PlaceholderImages::person()
{
    static const QImage image = drawPerson();
    return image;
}

QImage PlaceholderImages::company()
{
    static const QImage image = drawCompany();
    return image;
}
