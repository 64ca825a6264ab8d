#include "app/EditorStart.h"

#include "document/Document.h"
#include "model/Translations.h"
#include "ui/window/Application.h"
#include "ui/window/DocumentWindow.h"

#include <QApplication>
#include <QSettings>

int startEditor(int &argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanthe"));
    QApplication::setDesktopFileName(QStringLiteral("corvanthe"));
    Translations::installTranslations(app);
    QSettings settings;
    Application corvanthe(settings);
    corvanthe.setWindowFactory([&corvanthe](std::unique_ptr<Document> document) -> QWidget * {
        return new DocumentWindow(std::move(document), corvanthe.userDefaults());
    });
    // The program ends with its last document window, not with whichever window closed last (a
    // progress window at start, an alert about a file that couldn't be opened).
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&corvanthe, &Application::allWindowsClosed, &app, &QCoreApplication::quit);
    corvanthe.start(app.arguments().mid(1), QGuiApplication::queryKeyboardModifiers());
    return app.exec();
}
