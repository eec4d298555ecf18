// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/chart_data.h"

#include <gtest/gtest.h>

namespace zentora {
namespace {

TEST(LimitLines, PeriodPerDivisor) {
    struct Case {
        std::int64_t count;
        int divisor;
        std::int64_t period;
    };
    const Case cases[] = {{100, 0, 100}, {100, 2, 50}, {100, 3, 33}, {100, 5, 20},
                          {2, 3, 2},     {0, 0, 0},    {0, 4, 0},    {7, -1, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(LimitPeriod(c.count, c.divisor), c.period) << c.count << "/" << c.divisor;
}

TEST(LimitLines, HighAndLowPerPeriodWithAShorterLastOne) {
    std::vector<double> values(100);
    for (int i = 0; i < 100; ++i) values[i] = (i % 10) - (i == 50 ? 100 : 0);
    const auto periods = PeriodExtremes(values, LimitPeriod(100, 3));
    ASSERT_EQ(periods.size(), 4u);
    EXPECT_EQ(periods[0], (PeriodExtreme{0, 33, 9, 0}));
    EXPECT_EQ(periods[1], (PeriodExtreme{33, 33, 9, -100}));
    EXPECT_EQ(periods[2], (PeriodExtreme{66, 33, 9, 0}));
    EXPECT_EQ(periods[3], (PeriodExtreme{99, 1, 9, 9}));

    const auto whole = PeriodExtremes(values, LimitPeriod(100, 0));
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0], (PeriodExtreme{0, 100, 9, -100}));
    EXPECT_TRUE(PeriodExtremes({}, 0).empty());
}

TEST(EvaluationSummary, FiguresOfARun) {
    EvaluationResult r;
    r.balance = {5, -20, -7};
    r.totalStaked = 74;
    r.totalReturned = 67;
    r.expectedChange37 = -74 + 5;  // the zero paid back 5 of it on average
    const EvaluationSummary s = SummaryOf(r);
    EXPECT_EQ(s.spins, 3);
    EXPECT_EQ(s.finalBalance, -7);
    EXPECT_EQ(s.lowestBalance, -20);
    EXPECT_DOUBLE_EQ(s.expected, -69.0 / 37);

    r.balance = {3, 8};  // never below the start
    EXPECT_EQ(SummaryOf(r).lowestBalance, 0);
    EXPECT_EQ(SummaryOf(EvaluationResult{}).lowestBalance, 0);
}

}  // namespace
}  // namespace zentora
