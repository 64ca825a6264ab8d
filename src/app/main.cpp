#include "app/CommandLine.h"
#include "document/UserDefaults.h"
#include "model/ContactDefaults.h"
#include "model/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanthe"));
    QCoreApplication::setApplicationName(QStringLiteral("corvanthe"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANTHE_VERSION));
    ContactDefaults::configure(UserDefaults::shared().contactDefaults());

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
    Translations::installTranslations(app);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Corvanthe"));
    window.resize(1000, 640);
    window.show();
    return app.exec();
}
