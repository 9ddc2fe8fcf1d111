// The benchmarks' statistics: which order statistics bound the median's
// 95 % interval (binomial tables), and the verdict each interval gives.
#include "median_verdict.h"

#include <gtest/gtest.h>

namespace {

using namespace median_verdict;

TEST(MedianVerdict, IntervalPositionsFollowTheBinomialTables)
{
    struct Row {
        size_t n;
        bool hasInterval;
        size_t lower, upper;  // 0-based in the sorted values
    } const rows[] = {
        {5, false, 0, 0},  // the widest pair covers only 93.8 %
        {6, true, 0, 5},   // 96.9 %
        {9, true, 1, 7},
        {15, true, 3, 11},
        {20, true, 5, 14},
        {30, true, 9, 20},
    };
    for (const Row& row : rows) {
        size_t lower = 99, upper = 99;
        ASSERT_EQ(row.hasInterval, IntervalPositions(row.n, &lower, &upper)) << row.n;
        if (row.hasInterval) {
            EXPECT_EQ(row.lower, lower) << row.n;
            EXPECT_EQ(row.upper, upper) << row.n;
        }
    }
}

TEST(MedianVerdict, OnlyAnIntervalWhollyOnOneSideOfTheGoalDecides)
{
    struct Row {
        bool hasInterval;
        double low, high;
        size_t rounds;
        Verdict verdict;
    } const rows[] = {
        {true, 0.95, 1.10, 15, MET},  // the upper end at the goal is within it
        {true, 1.11, 1.30, 15, NOT_MET},
        {true, 1.05, 1.15, 15, MORE_ROUNDS},
        {true, 1.05, 1.15, 45, UNDECIDED},
        {false, 0, 0, 5, MORE_ROUNDS},
        {false, 0, 0, 45, UNDECIDED},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.verdict, Rule(row.hasInterval, row.low, row.high, 1.1, row.rounds, 45))
            << row.low << " to " << row.high << " after " << row.rounds;
}

}  // namespace
