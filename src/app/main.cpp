#include "app/EditorStart.h"
#include "cli/CommandIo.h"
#include "cli/CommandLine.h"
#include "cli/LargePages.h"
#include "cli/Launch.h"
#include "document/UserDefaults.h"
#include "model/ContactDefaults.h"
#include "model/Translations.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Before anything is set up: the restarted process does it all again.
    if (argc > 1 && LargePages::helps(QString::fromLocal8Bit(argv[1])))
        LargePages::restart(argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Corvanthe"));
    QCoreApplication::setApplicationName(QStringLiteral("corvanthe"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANTHE_VERSION));
    ContactDefaults::configure(UserDefaults::shared().contactDefaults());

    // Taken before Qt sees them: it would take options such as --style for itself.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    switch (Launch::decide(arguments, Launch::environmentHasDisplay()).mode) {
    case Launch::Mode::Refuse: {
        QCoreApplication app(argc, argv);
        Translations::installTranslations(app);
        // Decided again, so that the message is in the user's language.
        const Launch::Decision decision = Launch::decide(arguments, Launch::environmentHasDisplay());
        std::fputs(qPrintable(decision.message + QLatin1Char('\n')), stderr);
        return decision.status;
    }
    case Launch::Mode::Command: {
        // A subcommand never needs a display; fonts and painting (print, images) work offscreen.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        Translations::installTranslations(app);
        return CommandLine::run(arguments, *CommandIo::standard());
    }
    case Launch::Mode::Editor:
        break;
    }
    return startEditor(argc, argv);
}
