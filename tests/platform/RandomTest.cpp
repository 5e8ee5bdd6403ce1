#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "platform/Random.h"

// --- every order equally likely ---

TEST(ShuffleTest, EveryOrderOfFourComesEquallyOften) {
    prng::Seed(20240611);
    std::map<std::vector<int>, int> counts;
    constexpr int kShuffles = 24000;
    for (int i = 0; i < kShuffles; ++i) {
        std::vector<int> items{0, 1, 2, 3};
        prng::Shuffle(items);
        ++counts[items];
    }
    ASSERT_EQ(counts.size(), 24u);
    double chiSquare = 0;
    const double expected = kShuffles / 24.0;
    for (const auto& [order, count] : counts) chiSquare += (count - expected) * (count - expected) / expected;
    EXPECT_LT(chiSquare, 49.73);  // 23 degrees of freedom, p = 0.001
}

// --- uniform draws ---

TEST(UniformTest, RangesThatDoNotDivideTheGeneratorHaveNoBias) {
    prng::Seed(99);
    // A plain remainder of 15-bit values would put 61 % of these draws below 10000.
    int below = 0;
    for (int i = 0; i < 40000; ++i) below += prng::Uniform(20000) < 10000;
    EXPECT_NEAR(below, 20000, 600);
}

TEST(UniformTest, RangesBeyondTheGeneratorReachEveryPart) {
    prng::Seed(3);
    std::set<int> seen;
    int top = 0;
    for (int i = 0; i < 200000; ++i) {
        const int value = prng::Uniform(100000);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 100000);
        seen.insert(value);
        top += value >= 99000;
    }
    EXPECT_GT(seen.size(), 80000u);  // one 15-bit draw could give at most 32768 values
    EXPECT_NEAR(top, 2000, 300);
    EXPECT_EQ(prng::Uniform(1), 0);
    EXPECT_EQ(prng::Uniform(0), 0);
}
