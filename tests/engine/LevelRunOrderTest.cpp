#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/LevelRunOrder.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(LevelRunOrderTest, NoRowsOrOneRowStayAsTheyAre) {
    EXPECT_THAT(OrderLevelRun(0, {}, true).order, IsEmpty());
    const LevelRunOrder one = OrderLevelRun(1, {}, true);
    EXPECT_THAT(one.order, ElementsAre(0));
    EXPECT_THAT(one.tied, ElementsAre(0));
}

TEST(LevelRunOrderTest, LongChainOfResultsIsTurnedRoundWithoutTies) {
    // Every row beat the one above it in the table: a chain deeper than any call stack.
    const int n = 20000;
    std::vector<std::pair<int, int>> beat;
    for (int i = 1; i < n; ++i) beat.emplace_back(i, i - 1);
    const LevelRunOrder run = OrderLevelRun(n, beat, true);
    ASSERT_EQ(run.order.size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) ASSERT_EQ(run.order[static_cast<size_t>(i)], n - 1 - i);
    EXPECT_EQ(std::count(run.tied.begin(), run.tied.end(), 1), 0);
    // One long cycle: every row one win and one defeat, all level, all tied, table order.
    beat.emplace_back(0, n - 1);
    const LevelRunOrder cycle = OrderLevelRun(n, beat, true);
    EXPECT_EQ(cycle.order.front(), 0);
    EXPECT_EQ(cycle.order.back(), n - 1);
    EXPECT_EQ(std::count(cycle.tied.begin(), cycle.tied.end(), 1), n);
}
