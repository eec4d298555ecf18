// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/risk_analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "evaluation/summary_statistics.h"
#include "quiet_settings.h"

namespace zentora {
namespace {

using test::AbsenceRule;
using test::Quiet;

TEST(SummaryStatistics, WilsonIntervalAndQuantiles) {
    // Published values of the Wilson score interval at 95 %.
    const auto none = WilsonInterval(0, 10);
    EXPECT_DOUBLE_EQ(none.first, 0.0);
    EXPECT_NEAR(none.second, 0.27753, 1e-5);
    const auto half = WilsonInterval(5, 10);
    EXPECT_NEAR(half.first, 0.23659, 1e-5);
    EXPECT_NEAR(half.second, 0.76341, 1e-5);
    const auto all = WilsonInterval(10, 10);
    EXPECT_NEAR(all.first, 0.72247, 1e-5);
    EXPECT_DOUBLE_EQ(all.second, 1.0);
    EXPECT_EQ(WilsonInterval(0, 0), std::make_pair(0.0, 1.0));

    // Linear interpolation between the closest ranks, as R's quantile(type = 7).
    const std::vector<double> v{1, 2, 4, 8, 16};
    EXPECT_DOUBLE_EQ(Quantile(v, 0.0), 1);
    EXPECT_DOUBLE_EQ(Quantile(v, 0.05), 1.2);
    EXPECT_DOUBLE_EQ(Quantile(v, 0.5), 4);
    EXPECT_DOUBLE_EQ(Quantile(v, 0.75), 8);
    EXPECT_DOUBLE_EQ(Quantile(v, 0.95), 14.4);
    EXPECT_DOUBLE_EQ(Quantile(std::vector<double>{3}, 0.25), 3);
    EXPECT_DOUBLE_EQ(Quantile({}, 0.5), 0);

    // Whole-number bins from the lowest value (or the mark) up; every value counted once.
    const std::vector<double> balances{-7, -3, 0, 0, 2, 12};
    const Histogram h = MakeHistogram(balances, 5, -10);
    EXPECT_DOUBLE_EQ(h.start, -10);
    EXPECT_DOUBLE_EQ(h.width, 5);  // 23 values from -10 to 12 in 5 bins
    EXPECT_EQ(h.counts, (std::vector<std::int64_t>{1, 1, 3, 0, 1}));
    EXPECT_EQ(MakeHistogram(std::vector<double>{4, 4}, 10, 4).counts, (std::vector<std::int64_t>{2}));
    EXPECT_TRUE(MakeHistogram({}, 10, 0).counts.empty());
}

// The generator is part of what a seed means: the same numbers on every machine, run k the same in any
// shard, every number reachable.
TEST(RiskAnalysis, RandomPermanencesAreFixedBySeedAndRun) {
    const auto a = RandomPermanence(42, 7, 2000);
    EXPECT_EQ(a, RandomPermanence(42, 7, 2000));
    EXPECT_NE(a, RandomPermanence(42, 8, 2000));
    EXPECT_NE(a, RandomPermanence(43, 7, 2000));
    // A longer permanence of the same run continues the same draws (newest first: they lie at the end).
    const auto longer = RandomPermanence(42, 7, 2500);
    EXPECT_TRUE(std::equal(a.begin(), a.end(), longer.end() - 2000));
    std::array<int, 37> counts{};
    for (const std::uint8_t x : a) ++counts.at(x);
    EXPECT_GT(*std::min_element(counts.begin(), counts.end()), 20);
    // The first draws of seed 1, run 0, oldest first: pinned so that a seed means the same permanence on
    // every platform and in every version.
    const auto pinned = RandomPermanence(1, 0, 8);
    EXPECT_EQ(std::vector<int>(pinned.rbegin(), pinned.rend()),
              (std::vector<int>{9, 5, 23, 27, 4, 25, 34, 0}));
}

// One simple chance at a time with a flat stake of 1 and no halving: over many runs the mean final balance
// lies within the 95 % interval around the exact expectation. That is -1/37 for each unit settled, and the
// full unit for a stake still lying on the table after the last spin (the balance books it as laid).
TEST(RiskAnalysis, FlatStakeOnASimpleChanceMeetsTheHouseEdge) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 1, 1);
    s.optionFlags[kOneChanceBox - 1] = 1;
    FixedLiveSettings live;
    constexpr int kRuns = 3000;
    const RiskResult r = AnalyseRisk(RandomRuns(2024, 0, kRuns, 200), s, live, {.bankroll = 1000});
    ASSERT_EQ(r.runs.size(), static_cast<std::size_t>(kRuns));
    std::vector<double> finals;
    double staked = 0;
    for (const RiskRun& run : r.runs) {
        EXPECT_EQ(run.largestStake, 1);
        finals.push_back(static_cast<double>(run.finalBalance));
        staked += static_cast<double>(run.staked);
    }
    const RiskSummary summary = Summarise(r.runs);
    EXPECT_GT(staked, kRuns * 50.0);
    EXPECT_LT(summary.expectedFinal, -staked / 37.0 / kRuns);
    EXPECT_GT(summary.expectedFinal, -staked / 37.0 / kRuns - 1);
    const double margin = kZ95 * StandardDeviation(finals) / std::sqrt(double{kRuns});
    EXPECT_NEAR(summary.meanFinal, summary.expectedFinal, margin);
    EXPECT_LT(summary.meanFinal, 0);
    EXPECT_EQ(summary.ruined, 0);
    EXPECT_NEAR(summary.meanStakedPerSpin, staked / (kRuns * 200.0), 1e-12);
}

// Ruin is the first spin whose loss leaves the balance at -bankroll or below; with a bankroll of 0 the first
// loss that leaves nothing, never a balance that merely stays at 0.
TEST(RiskAnalysis, RuinIsTheFirstLossToMinusTheBankroll) {
    struct Case {
        std::vector<std::int64_t> balance;
        std::int64_t bankroll;
        std::optional<std::int64_t> ruin;
    };
    const std::vector<std::int64_t> ups{-1, 2, 0, -4, -2, -6};
    for (const Case& c : {Case{ups, 0, 1}, Case{ups, 1, 1}, Case{ups, 2, 4}, Case{ups, 4, 4}, Case{ups, 5, 6},
                          Case{ups, 6, 6}, Case{ups, 7, std::nullopt}, Case{{0, 0, 3, 0}, 0, 4},
                          Case{{0, 0}, 0, std::nullopt}, Case{{}, 0, std::nullopt}}) {
        EvaluationResult e;
        e.balance = c.balance;
        const RiskRun run = MeasureRun(0, "", e, c.bankroll);
        EXPECT_EQ(run.ruinSpin, c.ruin) << c.bankroll << " " << ::testing::PrintToString(c.balance);
        EXPECT_EQ(run.lowestBalance,
                  c.balance.empty()
                      ? 0
                      : std::min<std::int64_t>(0, *std::min_element(c.balance.begin(), c.balance.end())));
    }

    // Through the evaluation: even chances staked once they missed twice in a row. After 1 and 3 (red, odd,
    // low) the three others are staked: a bankroll of 0 or 3 is gone with that first stake, 4 never.
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 2, 1);
    FixedLiveSettings live;
    const RiskPermanence p{"hand", {24, 22, 20, 3, 1}};  // newest first
    for (const auto& [bankroll, ruin] :
         {std::pair<std::int64_t, std::optional<std::int64_t>>{0, 2}, {3, 2}, {4, std::nullopt}}) {
        const RiskResult r = AnalyseRisk(ListedRuns({p}), s, live, {.bankroll = bankroll});
        ASSERT_EQ(r.runs.size(), 1u);
        EXPECT_EQ(r.runs[0].ruinSpin, ruin) << bankroll;
        EXPECT_EQ(r.runs[0].source, "hand");
        EXPECT_EQ(r.runs[0].lowestBalance, -3);
        EXPECT_EQ(r.runs[0].largestStake, 3);
    }
}

// The same runs whatever the threads, in run order; a cancel keeps the runs completed.
TEST(RiskAnalysis, ThreadsAndCancel) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 3, 2);
    s.Of(GroupId::G1837).stakeTechnique = 1;
    FixedLiveSettings live;
    const RiskResult one = AnalyseRisk(RandomRuns(5, 10, 40, 300), s, live, {.bankroll = 20, .threads = 1});
    const RiskResult two = AnalyseRisk(RandomRuns(5, 10, 40, 300), s, live, {.bankroll = 20, .threads = 2});
    ASSERT_EQ(one.runs.size(), 40u);
    EXPECT_EQ(one.runs, two.runs);
    for (std::size_t i = 0; i < one.runs.size(); ++i) EXPECT_EQ(one.runs[i].run, 10 + std::int64_t(i));
    EXPECT_GT(Summarise(one.runs).ruined, 0);

    std::atomic<bool> cancel{false};
    std::int64_t reported = 0;
    const RiskResult stopped = AnalyseRisk(
        RandomRuns(5, 10, 40, 300), s, live, {.bankroll = 20, .threads = 2},
        [&](std::int64_t done, std::int64_t total) {
            EXPECT_EQ(total, 40);
            reported = done;
            if (done == 5) cancel = true;
        },
        &cancel);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(static_cast<std::int64_t>(stopped.runs.size()), reported);
    EXPECT_LT(stopped.runs.size(), 40u);
    for (const RiskRun& run : stopped.runs) EXPECT_EQ(run, one.runs[static_cast<std::size_t>(run.run - 10)]);
}

}  // namespace
}  // namespace zentora
