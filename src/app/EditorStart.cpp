#include "app/EditorStart.h"

#include "model/Translations.h"

#include <QApplication>
#include <QMainWindow>

int startEditor(int &argc, char **argv)
{
    QApplication app(argc, argv);
    Translations::installTranslations(app);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Corvanthe"));
    window.resize(1000, 640);
    window.show();
    return app.exec();
}
