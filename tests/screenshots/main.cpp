#include "Scene.h"
#include "model/Translations.h"
#include "ui/window/Application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QPointer>
#include <QWidget>
#include <cstdio>

// Renders the program's windows, sheets and panels offscreen into PNG files, one per scene and
// language, so that they can be looked at without a display: corvanthe_screenshots --out DIR --lang ja
int main(int argc, char **argv)
{
    QString language = QStringLiteral("en");
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "--lang") == 0)
            language = QString::fromLocal8Bit(argv[i + 1]);
    // Before the application exists: the platform, the language the texts and encodings follow, and a
    // configuration folder of our own so that no file dialog remembers anything of the user's.
    // A folder of a fixed name, so that the paths the dialogs show are the same on every run and the
    // pictures change only when the windows do.
    struct WorkFolder
    {
        WorkFolder()
        {
            QDir(path()).removeRecursively();
            QDir().mkpath(path());
        }
        ~WorkFolder() { QDir(path()).removeRecursively(); }
        static QString path() { return QDir::temp().filePath(QStringLiteral("corvanthe-screenshots")); }
    } work;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QDir(WorkFolder::path()).filePath(QStringLiteral("config")).toLocal8Bit());
    const QByteArray locale = language == QLatin1String("ja") ? "ja_JP.UTF-8" : "en_US.UTF-8";
    qputenv("LANG", locale);
    qputenv("LANGUAGE", language.toLocal8Bit());
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvanthe"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvanthe"));
    QLocale::setDefault(QLocale(language));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders Corvanthe's windows to PNG files."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder for the PNG files."),
        QStringLiteral("dir"), QStringLiteral("."));
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("Language: en or ja."),
        QStringLiteral("code"), QStringLiteral("en"));
    const QCommandLineOption only(
        QStringLiteral("only"), QStringLiteral("Render only the named scene."), QStringLiteral("name"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the scenes."));
    parser.addOptions({ out, lang, only, list });
    parser.process(app);

    QList<Scene> scenes = SceneRegistry::scenes();
    std::sort(scenes.begin(), scenes.end(), [](const Scene &a, const Scene &b) { return a.name < b.name; });
    if (parser.isSet(list)) {
        for (const Scene &scene : scenes)
            std::printf("%s\n", qPrintable(scene.name));
        return 0;
    }

    Translations::installTranslations(app, { language });
    QSettings appSettings(QDir(WorkFolder::path()).filePath(QStringLiteral("app.ini")), QSettings::IniFormat);
    Application corvanthe(appSettings);

    const QDir target(parser.value(out));
    if (!target.exists() && !QDir().mkpath(target.path())) {
        std::fprintf(stderr, "can't make %s\n", qPrintable(target.path()));
        return 1;
    }
    int failures = 0;
    for (const Scene &scene : scenes) {
        if (parser.isSet(only) && parser.value(only) != scene.name)
            continue;
        const QString folder = QDir(WorkFolder::path()).filePath(scene.name);
        QDir().mkpath(folder);
        SceneContext context(folder, language);
        const QImage image = scene.render(context);
        const QString file = target.filePath(QStringLiteral("%1-%2.png").arg(scene.name, language));
        if (image.isNull() || !image.save(file)) {
            std::fprintf(
                stderr, "%s: nothing rendered or can't write %s\n", qPrintable(scene.name), qPrintable(file));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(file));
        }
        // Each scene starts from a clean screen.
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        SceneContext::settle(20);
        QList<QPointer<QWidget>> windows;
        for (QWidget *widget : QApplication::topLevelWidgets())
            windows.append(widget);
        for (const QPointer<QWidget> &widget : windows)
            if (widget && !widget->parentWidget())
                delete widget.data();
    }
    return failures == 0 ? 0 : 1;
}
