// The main of every test program: a QApplication on the offscreen platform (unless a display
// was asked for), so that widget tests and event-loop tests run anywhere, reading the source
// tree's resources unless KIVO_RESOURCES names others.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KIVO_RESOURCES"))
        qputenv("KIVO_RESOURCES", KIVO_TEST_RESOURCES_DIR);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
