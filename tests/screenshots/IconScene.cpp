#include "Scene.h"

#include <QIcon>
#include <QPainter>

// The application's icon at the sizes a desktop shows it, on light and dark backgrounds.
CORVANTHE_SCENE("app-icon", [](SceneContext &) {
    const QIcon icon(QStringLiteral(":/corvanthe/corvanthe.svg"));
    const int sizes[] = { 16, 24, 32, 48, 64, 128, 256 };
    QImage image(2 * (256 + 16 + 16 + 24 + 32 + 48 + 64 + 128 + 8 * 16), 256 + 32, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(
        QRect(image.width() / 2, 0, image.width() / 2, image.height()), QColor(0x30, 0x30, 0x30));
    for (int half = 0; half < 2; ++half) {
        int x = half * image.width() / 2 + 16;
        for (int size : sizes) {
            painter.drawPixmap(x, image.height() - 16 - size, icon.pixmap(size, size));
            x += size + 16;
        }
    }
    return image;
});
