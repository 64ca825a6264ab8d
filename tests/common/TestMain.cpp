#include <QCoreApplication>
#include <QGuiApplication>
#include <gtest/gtest.h>

#if CORVANTHE_TEST_APP_WIDGETS
#include <QApplication>
#endif

#include <memory>

// Tests run headless. Each test program gets the smallest application object its library needs, so a
// library that should run without a display (model, formats, document, find) is tested that way:
// CORVANTHE_TEST_APP is 0 for a core application, 1 for a GUI application, 2 for widgets.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
#if CORVANTHE_TEST_APP_WIDGETS
    app = std::make_unique<QApplication>(argc, argv);
#else
    if (CORVANTHE_TEST_APP >= 1)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("CorvantheTests"));
    QCoreApplication::setApplicationName(QStringLiteral("corvanthe-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
