#include <QGuiApplication>
#include <gtest/gtest.h>

// Tests run headless: images, fonts and painters need a GUI application object but no display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("CorvantheTests"));
    QCoreApplication::setApplicationName(QStringLiteral("corvanthe-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
