// Runs every suite on the headless backend.
#include <gtest/gtest.h>

#include "platform/headless.h"

int main(int argc, char** argv) {
    platform::useHeadless();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
