#include "ui/window/WindowIcons.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPalette>
#include <QPixmap>

namespace WindowIcons {

QIcon icon(const QString &name)
{
    QFile file(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("WindowIcons::icon: no icon %s", qPrintable(name));
        return {};
    }
    const QString ink = QApplication::palette().color(QPalette::WindowText).name();
    const QByteArray svg = file.readAll().replace(InkColour.toLatin1(), ink.toLatin1());
    QIcon icon;
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    for (const int size : { 16, 20, 24, 32 }) {
        // Drawn at each size rather than scaled, so thin lines stay sharp.
        QBuffer buffer;
        buffer.setData(svg);
        QImageReader reader(&buffer, "svg");
        reader.setScaledSize(QSize(size, size) * ratio);
        QImage image = reader.read();
        if (image.isNull())
            continue;
        image.setDevicePixelRatio(ratio);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace WindowIcons
