#include "ui/window/WindowFrame.h"

#include "document/DefaultsKeys.h"
#include "document/UserDefaults.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace WindowFrame {

QString frameKey(const QString &documentName)
{
    const QString name = documentName.isEmpty() ? DefaultsValue::AddressBookDocument : documentName;
    return QStringLiteral("NSWindow Frame %1").arg(name);
}

bool hasSavedFrame(UserDefaults &defaults, const QString &documentName)
{
    return defaults.settings().contains(frameKey(documentName));
}

bool restore(QWidget *window, UserDefaults &defaults, const QString &documentName)
{
    const QByteArray saved = defaults.settings().value(frameKey(documentName)).toByteArray();
    if (!saved.isEmpty() && window->restoreGeometry(saved))
        return true;
    window->resize(FirstRunWidth, FirstRunHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.left() + FirstRunOffset, area.top() + FirstRunOffset);
    }
    return false;
}

void save(const QWidget *window, UserDefaults &defaults, const QString &documentName)
{
    defaults.settings().setValue(frameKey(documentName), window->saveGeometry());
}

} // namespace WindowFrame
