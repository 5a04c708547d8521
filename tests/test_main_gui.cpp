// The main of the suites that draw or show something: Qt needs an application object for
// fonts and images, and gtest_discover_tests runs the binary at build time without a
// display.
#include "rtl/formatsettings.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The formats the program starts with, whatever LANG/LC_* the suites run under; after
    // the application object, which takes LC_* into the C library.
    rtl::InitFormatSettings();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
