// Every test program runs inside a QApplication on the offscreen platform, so widgets and boxes
// can be made without a display.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A dbconfig.txt in the user's or the system's configuration folder must not reach the tests.
    qputenv("XDG_CONFIG_HOME", "/nonexistent/suppbeforestart-tests");
    qputenv("XDG_CONFIG_DIRS", "/nonexistent/suppbeforestart-tests");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
