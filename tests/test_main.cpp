// The main of the suites whose libraries need no display: the document core and what it
// stands on. They make no Qt application object, so nothing in them can come to depend
// on one unnoticed.
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
