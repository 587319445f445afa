// The main function of every test program.
#include <gtest/gtest.h>

#include "platform/HostSupport.h"

int main(int argc, char** argv)
{
    stem::platform::PrepareTestProgram();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
