#pragma once

#include <QDir>
#include <QImage>
#include <QList>
#include <QSettings>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

// What a scene gets to set itself up: a folder and settings of its own, and ways to render what it
// shows the way a person sees it on screen.
class SceneContext
{
public:
    SceneContext(const QString &folder, const QString &language);

    QString language() const { return m_language; } // "en", "ja"
    bool japanese() const { return m_language == QLatin1String("ja"); }
    QDir folder() const { return QDir(m_folder); }
    QSettings &settings() { return *m_settings; }
    // Writes a file into the scene's folder and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;

    // Shows the window, lets it lay itself out and paint, and grabs it.
    static QImage grab(QWidget *window);
    // The window with its open pop-ups (menus, combo box lists) drawn where they are on screen.
    static QImage grabWithPopups(QWidget *window, const QList<QWidget *> &popups);
    // Lets queued work (layouts, timers, the worker's results) run for a while.
    static void settle(int milliseconds = 50);

private:
    QString m_folder;
    QString m_language;
    std::unique_ptr<QSettings> m_settings;
};

// One picture of the screenshots: a name (the file is <name>-<language>.png) and how to make it.
struct Scene
{
    QString name;
    std::function<QImage(SceneContext &)> render;
};

// Every scene registers itself from its own file, so adding one needs no list to be edited:
//
//     CORVANTHE_SCENE("progress-window", [](SceneContext &context) { ... return image; });
class SceneRegistry
{
public:
    static QList<Scene> &scenes();
    struct Registration
    {
        Registration(const char *name, std::function<QImage(SceneContext &)> render);
    };
};

#define CORVANTHE_SCENE_CAT2(a, b) a##b
#define CORVANTHE_SCENE_CAT(a, b) CORVANTHE_SCENE_CAT2(a, b)
#define CORVANTHE_SCENE(name, ...)                                                                           \
    static const SceneRegistry::Registration CORVANTHE_SCENE_CAT(sceneRegistration, __LINE__)(               \
        name, __VA_ARGS__)
