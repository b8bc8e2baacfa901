// The main of the desktop program's tests: one application object for all tests.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    // The tests drive the windows without a screen unless a display is chosen
    // explicitly; listing the tests at build time needs no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
