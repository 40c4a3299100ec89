// The test program doubles as its own helper process (see WinTestSupport.h).
#include <gtest/gtest.h>

#include "cleaning_win/WinTestSupport.h"

int main(int argc, char** argv) {
    if (tallow::wintest::RunHelperMode(argc, argv))
        return 0;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
