// The main of the suites whose libraries need no display: the document core and what it
// stands on. They make no Qt application object, so nothing in them can come to depend
// on one unnoticed.
#include "rtl/formatsettings.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The formats the program starts with, whatever LANG/LC_* the suites run under.
    rtl::InitFormatSettings();
    return RUN_ALL_TESTS();
}
