#include "Scene.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTest>
#include <QWidget>

SceneContext::SceneContext(const QString &folder, const QString &language)
    : m_folder(folder)
    , m_language(language)
    , m_settings(std::make_unique<QSettings>(
          QDir(folder).filePath(QStringLiteral("settings.ini")), QSettings::IniFormat))
{
}

QString SceneContext::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("SceneContext::writeFile: can't write %s", qUtf8Printable(path));
    // Dates the file dialogs show stay the same from run to run; written bytes first, or closing the
    // file would date it again.
    file.flush();
    file.setFileTime(QDateTime(QDate(2025, 11, 20), QTime(9, 30)), QFileDevice::FileModificationTime);
    return path;
}

void SceneContext::settle(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (clock.elapsed() < milliseconds);
}

QImage SceneContext::grab(QWidget *window)
{
    window->show();
    (void)QTest::qWaitForWindowExposed(window);
    settle();
    return window->grab().toImage();
}

QImage SceneContext::grabWithPopups(QWidget *window, const QList<QWidget *> &popups)
{
    const QImage base = grab(window);
    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    QRect area(QPoint(0, 0), base.size() / base.devicePixelRatio());
    for (QWidget *popup : popups)
        area |= QRect(popup->mapToGlobal(QPoint(0, 0)) - origin, popup->size());
    QImage image(area.size() * base.devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(base.devicePixelRatio());
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    painter.drawImage(QPoint(0, 0), base);
    for (QWidget *popup : popups)
        painter.drawImage(popup->mapToGlobal(QPoint(0, 0)) - origin, popup->grab().toImage());
    return image;
}

QList<Scene> &SceneRegistry::scenes()
{
    static QList<Scene> all;
    return all;
}

SceneRegistry::Registration::Registration(const char *name, std::function<QImage(SceneContext &)> render)
{
    scenes().append({ QString::fromLatin1(name), std::move(render) });
}
