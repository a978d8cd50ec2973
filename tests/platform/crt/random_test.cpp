#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/crt.h"

namespace {

std::vector<int> draws(int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(crt::rand());
    return out;
}

// The designed-on runtime's well-known first draws for seed 1; a new seed starts the sequence again.
TEST(CrtRandom, DrawsTheDesignedOnRuntimesSequenceOnEveryTarget) {
    crt::srand(1);
    EXPECT_EQ(draws(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    crt::srand(1);
    EXPECT_EQ(crt::rand(), 41);
}

TEST(CrtRandom, DrawsCoverFifteenBitsAndNoMore) {
    crt::srand(12345);
    int highest = 0;
    for (int draw : draws(100'000)) {
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, crt::randMax);
        highest = std::max(highest, draw);
    }
    EXPECT_EQ(highest, crt::randMax);
}

} // namespace
