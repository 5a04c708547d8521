// The main of the suites that draw or show something: Qt needs an application object for
// fonts and images, and gtest_discover_tests runs the binary at build time without a
// display. A suite may run under an application class of its own, TEST_APPLICATION
// declared in TEST_APPLICATION_HEADER: the window's suite runs under the program's.
#include "rtl/formatsettings.h"

#include <QApplication>
#include <gtest/gtest.h>

#ifdef TEST_APPLICATION_HEADER
#include TEST_APPLICATION_HEADER
#else
#define TEST_APPLICATION QApplication
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TEST_APPLICATION app(argc, argv);
    // The formats the program starts with, whatever LANG/LC_* the suites run under; after
    // the application object, which takes LC_* into the C library.
    rtl::InitFormatSettings();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
