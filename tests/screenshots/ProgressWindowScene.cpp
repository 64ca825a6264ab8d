#include "Scene.h"
#include "ui/dialogs/ProgressWindow.h"

#include <QCoreApplication>

// The progress window while a file is read.
CORVANTHE_SCENE("progress-window", [](SceneContext &) {
    auto *window = new ProgressWindow;
    window->begin(QCoreApplication::translate("Messages", "Reading the file: %1")
                      .arg(QStringLiteral("年賀状2025.vcf")));
    window->setProgress(42);
    return SceneContext::grab(window);
});
