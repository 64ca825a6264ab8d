#include "app/CommandLine.h"
#include "model/Translations.h"
#include "ui/window/Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSettings>
#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanthe"));
    QCoreApplication::setApplicationName(QStringLiteral("corvanthe"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANTHE_VERSION));

    // A subcommand runs headless and never needs a display; fonts and painting (print, images) work on
    // the offscreen platform.
    if (argc > 1 && CommandLine::isSubcommand(QString::fromLocal8Bit(argv[1]))) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Taken before Qt sees them: it would take options such as --style for itself.
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        QGuiApplication app(argc, argv);
        Translations::installTranslations(app);
        return CommandLine::run(arguments);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanthe"));
    QApplication::setDesktopFileName(QStringLiteral("corvanthe"));
    Translations::installTranslations(app);
    QSettings settings;
    Application corvanthe(settings);
    // The program ends with its last document window, not with whichever window closed last (a
    // progress window at start, an alert about a file that couldn't be opened).
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&corvanthe, &Application::allWindowsClosed, &app, &QCoreApplication::quit);
    corvanthe.start(app.arguments().mid(1), QGuiApplication::queryKeyboardModifiers());
    return app.exec();
}
