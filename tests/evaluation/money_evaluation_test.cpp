// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/money_evaluation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <tuple>

#include "evaluation/straightforward_evaluation.h"
#include "quiet_settings.h"

namespace zentora {
namespace {

std::vector<std::uint8_t> NewestFirst(std::vector<std::uint8_t> oldestFirst) {
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    return oldestFirst;
}

using test::AbsenceRule;
using test::Quiet;

// `length` spins, each of the numbers 0..spread - 1.
std::vector<std::uint8_t> RandomSpins(std::mt19937& rng, std::size_t length, int spread = 37) {
    std::vector<std::uint8_t> perm(length);
    for (auto& v : perm)
        v = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, spread - 1)(rng));
    return perm;
}

std::vector<std::int64_t> MarkerSpins(const EvaluationResult& r) {
    std::vector<std::int64_t> spins;
    for (const auto& m : r.markers) spins.push_back(m.spin);
    return spins;
}

TEST(MoneyEvaluation, EmptyAndOneSpinPermanence) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 1, 1);  // an even chance is played right after a miss
    FixedLiveSettings live;
    std::vector<int> progress;
    const EvaluationResult empty = EvaluateMoney({}, s, live, [&](int i) { progress.push_back(i); });
    EXPECT_TRUE(empty.balance.empty());
    EXPECT_TRUE(empty.markers.empty());
    EXPECT_TRUE(progress.empty());

    // No stake lies for the first spin; after a 5 (red, odd, low) the three other even chances are staked.
    const std::vector<std::uint8_t> one{5};
    const EvaluationResult r = EvaluateMoney(one, s, live, [&](int i) { progress.push_back(i); });
    EXPECT_EQ(r.balance, std::vector<std::int64_t>{-3});
    ASSERT_EQ(progress.size(), 50u);  // a short permanence still runs the bar to its end, each step once
    for (int i = 0; i < 50; ++i) EXPECT_EQ(progress[i], i + 1);
}

TEST(MoneyEvaluation, StakesLaidAfterASpinAreSettledByTheNext) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 1, 1);
    FixedLiveSettings live;
    // 5: then 19-36, Gerade, Schwarz are staked (-3). 20 (black, even, high) returns 3 x 2, then 1-18,
    // Ungerade, Rot are staked (+6 - 3). 0 loses those, and 19-36, Gerade, Schwarz are staked again (-3).
    const auto perm = NewestFirst({5, 20, 0});
    const EvaluationResult r = EvaluateMoney(perm, s, live);
    EXPECT_EQ(r.balance, (std::vector<std::int64_t>{-3, 0, -3}));
    EXPECT_EQ(r.totalStaked, 9);  // the three units laid after the last spin count as staked
    EXPECT_EQ(r.totalReturned, 6);
    // Each of the three tables of three units loses 3/37 on average.
    EXPECT_EQ(r.expectedChange37, -9);
    // Three units at most on one table; the last three still lie for a spin to come.
    EXPECT_EQ(r.largestStake, 3);
    EXPECT_EQ(r.lastStake, 3);
    EXPECT_EQ(r.lastExpectedChange37, -3);
    s.optionFlags[1] = 1;  // CheckBox2: half of the three units lost on zero come back, rounded down
    const EvaluationResult halved = EvaluateMoney(perm, s, live);
    EXPECT_EQ(halved.balance, (std::vector<std::int64_t>{-3, 0, -2}));
    // ... and on average each table gets 1 of its 3 units back from the zero: 3 x (-3 + 1) / 37.
    EXPECT_EQ(halved.expectedChange37, -6);
}

// The expectation booked for the stakes laid after spin k is the mean, over the 37 numbers that spin k + 1
// may bring, of what they return, less their sum: checked against evaluations of every such continuation.
TEST(MoneyEvaluation, ExpectationIsTheMeanOverEveryNextNumber) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 2, 2);
    AbsenceRule(s, GroupId::G137, 3, 4);
    AbsenceRule(s, GroupId::G1237, 2, 1);
    s.Of(GroupId::G1837).initialStake = 3;  // odd: the zero pays back 1 of it
    FixedLiveSettings live;
    std::mt19937 random(7);
    std::vector<std::uint8_t> oldest;
    for (int i = 0; i < 40; ++i) oldest.push_back(static_cast<std::uint8_t>(random() % 37));
    for (const bool halve : {false, true}) {
        s.optionFlags[1] = halve;
        std::int64_t expected37 = 0;
        for (std::size_t k = 1; k <= oldest.size(); ++k) {
            std::vector<std::uint8_t> prefix(oldest.begin(), oldest.begin() + static_cast<std::ptrdiff_t>(k));
            const EvaluationResult before = EvaluateMoney(NewestFirst(prefix), s, live);
            const EvaluationResult earlier = EvaluateMoney(
                NewestFirst({oldest.begin(), oldest.begin() + static_cast<std::ptrdiff_t>(k - 1)}), s, live);
            // The stakes laid after spin k, and what each next number returns on them.
            expected37 -= 37 * (before.totalStaked - earlier.totalStaked);
            prefix.push_back(0);
            for (std::uint8_t z = 0; z <= 36; ++z) {
                prefix.back() = z;
                expected37 +=
                    EvaluateMoney(NewestFirst(prefix), s, live).totalReturned - before.totalReturned;
            }
        }
        const auto perm = NewestFirst(oldest);
        EXPECT_EQ(EvaluateMoney(perm, s, live).expectedChange37, expected37) << halve;
        EXPECT_EQ(EvaluateMoneyInStretches(perm, s, live, 7).expectedChange37, expected37) << halve;
        EXPECT_LT(expected37, 0);
    }
}

TEST(MoneyEvaluation, NegativeMaximaBetNothing) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 1, 1);
    s.maximum18 = -1;  // every even chance would carry -1
    FixedLiveSettings live;
    EXPECT_EQ(EvaluateMoney(NewestFirst({5, 20, 0, 7}), s, live).balance, (std::vector<std::int64_t>(4, 0)));
}

TEST(MoneyEvaluation, LimitsApplyToTheEmptyTable) {
    // Splitting with negative maxima fills the carrés beside every transversale simple even when nothing is
    // placed, so that table lies for the first spin already.
    AppliedSettings s = Quiet();
    s.optionFlags[31] = 1;
    s.maximum1 = s.maximum2 = s.maximum3 = s.maximum6 = -1;
    s.maximum4 = 30;
    FixedLiveSettings live;
    const auto perm = NewestFirst({2, 7, 0});
    const EvaluationResult r = EvaluateMoney(perm, s, live);
    EXPECT_NE(r.balance.back(), 0);
    EXPECT_EQ(r.balance, testing::StraightforwardEvaluation(perm, s, live).balance);
}

TEST(MarkerRule, RunsOfWinsAndLosses) {
    struct Case {
        std::int64_t threshold;
        std::vector<std::int64_t> changes;
        std::vector<int> marked;  // 1-based spins
    };
    const Case cases[] = {
        {0, {40, 70, -10, 50}, {}},
        {100, {40, 70, -10, 50}, {2}},  // 40, 110 -> marker and 0; -10 restarts at -10; then 40
        {100, {40, 70, -10, 50, 60}, {2, 5}},
        {-50, {-30, -30, 10, -30, -30}, {2, 5}},  // -60 -> marker; +10 restarts at 10
        {60, {30, 0, 30, 30}, {4}},               // a spin without change ends the run
    };
    for (const Case& c : cases) {
        MarkerRule rule(c.threshold);
        std::vector<int> marked;
        for (std::size_t k = 0; k < c.changes.size(); ++k)
            if (rule.Step(c.changes[k])) marked.push_back(static_cast<int>(k + 1));
        EXPECT_EQ(marked, c.marked) << c.threshold;
    }
}

// Plein group only, "Ab Runde" 3 and "So oft angespielt" 3 (absence 1..3), Martingale from 1, one chance.
AppliedSettings OneChance(bool shiftOthers) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G137, 3, 3);
    s.Of(GroupId::G137).stakeTechnique = 1;
    s.optionFlags[0] = 1;
    s.optionFlags[34] = shiftOthers ? 1 : 0;
    return s;
}

TEST(MoneyEvaluation, OneChanceWithoutShiftStakesFromTheSpinAfterItsChoice) {
    FixedLiveSettings live;
    live.spinSummeMerk = -1;  // a marker for every loss, naming the chance played
    // 0: all other pleins are at absence 1 with weight 0, the highest (36) is chosen and not yet staked.
    // Misses of 36 stake it at steps 0, 1, 2 (1, 2, 4); the fourth miss releases it and plein 1 (absence 1,
    // one hit) is chosen on the same spin, staked from the next.
    const auto perm = NewestFirst({0, 0, 0, 1, 2, 3});
    const EvaluationResult r = EvaluateMoney(perm, OneChance(false), live);
    EXPECT_EQ(r.balance, (std::vector<std::int64_t>{0, -1, -3, -7, -7, -8}));
    ASSERT_EQ(MarkerSpins(r), (std::vector<std::int64_t>{2, 3, 4, 6}));
    EXPECT_EQ(r.markers[0].slot, 36);
    EXPECT_EQ(r.markers[2].slot, 36);
    EXPECT_EQ(r.markers[3].slot, 1);
}

TEST(MoneyEvaluation, OneChanceWithShiftStakesFromItsChoice) {
    FixedLiveSettings live;
    live.spinSummeMerk = -1;
    // 36 is staked at steps 0, 1, 2 from the spin it is chosen; the third miss releases it and plein 0
    // (absence 1) is chosen and staked at once.
    const auto perm = NewestFirst({0, 0, 0, 1});
    const EvaluationResult r = EvaluateMoney(perm, OneChance(true), live);
    EXPECT_EQ(r.balance, (std::vector<std::int64_t>{-1, -3, -7, -8}));
    ASSERT_EQ(r.markers.size(), 4u);
    EXPECT_EQ(r.markers[2].slot, 36);
    EXPECT_EQ(r.markers[3].slot, 0);
    // Without one-chance mode no chance is named.
    AppliedSettings normal = OneChance(true);
    normal.optionFlags[0] = 0;
    for (const auto& m : EvaluateMoney(perm, normal, live).markers) EXPECT_FALSE(m.slot);
}

TEST(MoneyEvaluation, ProgressThresholdsAreMonotonic) {
    const auto t10 = ProgressThresholds(10);
    EXPECT_EQ(t10[0], 1);  // trunc(0.2 + 0.5) = 0 raised to 1
    EXPECT_EQ(t10[49], 10);
    EXPECT_TRUE(std::is_sorted(t10.begin(), t10.end()));
    const auto t1000 = ProgressThresholds(1000);
    EXPECT_EQ(t1000[0], 20);
    EXPECT_EQ(t1000[24], 500);
}

TEST(MoneyEvaluation, CancelStopsTheRun) {
    AppliedSettings s = Quiet();
    AbsenceRule(s, GroupId::G1837, 1, 3);
    FixedLiveSettings live;
    std::atomic<bool> cancel{true};
    const std::vector<std::uint8_t> perm(100000, 5);
    const EvaluationResult r = EvaluateMoney(perm, s, live, {}, &cancel);
    EXPECT_TRUE(r.cancelled);
    EXPECT_LT(r.balance.size(), perm.size());
}

// What random settings reach for: every rule or some, and how long progressions climb.
struct SettingsProfile {
    const char* name;
    bool allRules;
    int bandFromZero;  // in how many of 4 groups the absence band reaches down to 0 (a hit keeps the play)
    int highMax;       // tops of the absence bands 1..highMax
    int stakeMax;      // initial stakes 0..stakeMax
    int maximumMax;    // maxima -1 (now and then) or 0..maximumMax
};
// Short bands, small stakes and tiny maxima; the same with every rule on; long play, where stakes climb past
// the steps where their techniques stop, or are capped by a maximum, and stretches start deep inside play.
constexpr SettingsProfile kSomeRules{"some rules", false, 0, 30, 4, 40};
constexpr SettingsProfile kAllRules{"all rules", true, 0, 30, 4, 40};
constexpr SettingsProfile kLongPlay{"long play", true, 3, 150, 999, 9999};

// Random settings that switch rules on and off, with bands and windows that the spins can reach.
void RandomSettings(std::mt19937& rng, AppliedSettings& s, FixedLiveSettings& live,
                    const SettingsProfile& profile = kSomeRules) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const bool allRules = profile.allRules;
    s = AppliedSettings{};
    for (const ChanceGroup& cg : kChanceGroups) {
        GroupSettings& g = s.Of(cg.id);
        g.absenceSpan = pick(1, 20);
        g.absenceHigh = pick(1, profile.highMax);
        if (pick(0, 3) < profile.bandFromZero) g.absenceSpan = g.absenceHigh + pick(1, 3);
        g.absenceLow = g.absenceHigh - g.absenceSpan + 1;
        g.stakeTechnique = pick(-1, 5);
        g.initialStake = pick(0, profile.stakeMax);
        const int numbers = NumberSetOfSlot(cg.firstSlot).Count();
        int until = pick(2, 40);
        for (int w = 0; w < kRateWindowCount; ++w) {
            until += pick(0, 60);
            g.rateUntil[w] = until;
            const int expected = numbers * 100000 / 37;
            g.rateFromMilli[w] = std::max(0, expected + pick(-expected / 2, expected / 4));
        }
        live.rateStart[GroupIndex(cg.id)] = pick(1, 50);
        s.optionFlags[cg.absenceCheckBox - 1] = allRules || pick(0, 3) == 0;
        s.optionFlags[cg.rateCheckBox - 1] = allRules || pick(0, 3) == 0;
    }
    for (const int box : {1, 2, 31, 32, 35}) s.optionFlags[box - 1] = pick(0, 1);
    for (std::int32_t* m :
         {&s.maximum1, &s.maximum2, &s.maximum3, &s.maximum4, &s.maximum6, &s.maximum12, &s.maximum18})
        *m = pick(0, 3) == 0 ? -1 : pick(0, profile.maximumMax);
    live.orphelinPlein = pick(0, 1) == 1;
    live.spinSummeMerk = pick(-40, 40);
    live.es637sTechnique = pick(0, 5);
}

TEST(MoneyEvaluation, RateRuleWakesWhenALaterWindowLowersItsBound) {
    // No even chance reaches 90 % in the first window, so the rule sleeps there; the second window's 45 %
    // takes them in at once.
    AppliedSettings s = Quiet();
    const GroupId even = GroupId::G1837;
    GroupSettings& g = s.Of(even);
    g.absenceSpan = 400;
    g.rateFromMilli.fill(45000);
    g.rateFromMilli[0] = 90000;
    g.rateUntil.fill(2000);
    g.rateUntil[0] = 370;
    s.optionFlags[Group(even).rateCheckBox - 1] = 1;
    FixedLiveSettings live;
    live.rateStart[GroupIndex(even)] = 10;
    std::mt19937 rng(7);
    const std::vector<std::uint8_t> perm = RandomSpins(rng, 600);
    const EvaluationResult fast = EvaluateMoney(perm, s, live);
    EXPECT_EQ(fast.balance, testing::StraightforwardEvaluation(perm, s, live).balance);
    EXPECT_EQ(fast.balance[369], 0);
    EXPECT_NE(fast.balance[371], 0);
}

TEST(MoneyEvaluation, FastRunEqualsTheDefiningForm) {
    struct Case {
        const SettingsProfile& profile;
        int rounds, maxLength;
    };
    const Case cases[] = {{kSomeRules, 48, 500}, {kAllRules, 12, 3000}, {kLongPlay, 12, 3000}};
    std::mt19937 rng(2024);
    for (const Case& c : cases) {
        for (int round = 0; round < c.rounds; ++round) {
            AppliedSettings s;
            FixedLiveSettings live;
            RandomSettings(rng, s, live, c.profile);
            // Permanences of a few numbers now and then: rates spread, and some entries are never hit.
            const int length = std::uniform_int_distribution<int>(0, c.maxLength)(rng);
            const int spread = round % 3 == 0 ? 6 : 37;
            const std::vector<std::uint8_t> perm = RandomSpins(rng, static_cast<std::size_t>(length), spread);
            const EvaluationResult fast = EvaluateMoney(perm, s, live);
            const EvaluationResult slow = testing::StraightforwardEvaluation(perm, s, live);
            const std::string where = std::string(c.profile.name) + ", round " + std::to_string(round);
            ASSERT_EQ(fast.balance, slow.balance) << where;
            ASSERT_EQ(fast.markers, slow.markers) << where;
            ASSERT_EQ(fast.totalStaked, slow.totalStaked) << where;
            ASSERT_EQ(fast.totalReturned, slow.totalReturned) << where;
            ASSERT_EQ(fast.totalReturned - fast.totalStaked, fast.balance.empty() ? 0 : fast.balance.back());
        }
    }
}

// One evaluator for many permanences: nothing of one run reaches the next, and a permanence longer than it
// was built for is evaluated all the same.
TEST(MoneyEvaluation, EvaluatorGivesEachPermanenceItsOwnRun) {
    std::mt19937 rng(31);
    const SettingsProfile* profiles[] = {&kSomeRules, &kAllRules, &kLongPlay};
    for (int round = 0; round < 9; ++round) {
        AppliedSettings s;
        FixedLiveSettings live;
        RandomSettings(rng, s, live, *profiles[round % 3]);
        const MoneyEvaluator evaluator(s, live, 400);
        for (int run = 0; run < 5; ++run) {
            const std::vector<std::uint8_t> perm = RandomSpins(
                rng,
                static_cast<std::size_t>(std::uniform_int_distribution<int>(0, run == 4 ? 700 : 400)(rng)));
            const EvaluationResult reused = evaluator.Evaluate(perm);
            const EvaluationResult own = EvaluateMoney(perm, s, live);
            const std::string where = "round " + std::to_string(round) + ", run " + std::to_string(run);
            ASSERT_EQ(reused.balance, own.balance) << where;
            ASSERT_EQ(reused.markers, own.markers) << where;
            ASSERT_EQ(reused.totalStaked, own.totalStaked) << where;
            ASSERT_EQ(reused.expectedChange37, own.expectedChange37) << where;
            ASSERT_EQ(reused.largestStake, own.largestStake) << where;
        }
    }
}

// Stakes whose sums on a position pass 32 bits are saturated there, as the defining form does; in a long run
// the stretches of the second thread pass them too.
TEST(MoneyEvaluation, HugeStakesSaturateOnTheirPositions) {
    AppliedSettings s = Quiet();
    for (const GroupId id : {GroupId::G137, GroupId::N337, GroupId::N937, GroupId::G1837, GroupId::Z1237}) {
        AbsenceRule(s, id, 1000, 1000);  // every entry in play all along
        s.Of(id).initialStake = 2000000000;
    }
    s.maximum1 = s.maximum4 = s.maximum18 = 2100000000;
    s.optionFlags[32 - 1] = 1;
    FixedLiveSettings live;
    std::mt19937 rng(3);
    for (const int length : {40, 5000}) {
        const std::vector<std::uint8_t> perm = RandomSpins(rng, static_cast<std::size_t>(length));
        const EvaluationResult fast = EvaluateMoney(perm, s, live);
        const EvaluationResult slow = testing::StraightforwardEvaluation(perm, s, live);
        EXPECT_EQ(fast.balance, slow.balance) << length;
        EXPECT_EQ(fast.totalStaked, slow.totalStaked) << length;
        // The pleins alone, saturated each.
        EXPECT_GT(fast.totalStaked, std::int64_t{length} * 37 * 2000000000) << length;
    }
}

// A run can start at any spin: stretches of every length, with stake progressions whose play began long
// before the stretch (permanences of a few numbers leave many entries unhit), join up exactly.
TEST(MoneyEvaluation, StretchesJoinUpExactly) {
    std::mt19937 rng(5);
    for (int round = 0; round < 24; ++round) {
        AppliedSettings s;
        FixedLiveSettings live;
        RandomSettings(rng, s, live, round % 3 == 0 ? kAllRules : round % 3 == 1 ? kLongPlay : kSomeRules);
        s.optionFlags[0] = 0;  // one chance is never shared
        const int length = std::uniform_int_distribution<int>(200, 1200)(rng);
        const int spread = round % 3 == 0 ? 6 : 37;
        const std::vector<std::uint8_t> perm = RandomSpins(rng, static_cast<std::size_t>(length), spread);
        const EvaluationResult slow = testing::StraightforwardEvaluation(perm, s, live);
        const EvaluationResult whole = EvaluateMoneyInStretches(perm, s, live, length);  // one thread
        const auto tables = [](const EvaluationResult& r) {
            return std::tuple(r.largestStake, r.lastStake, r.lastExpectedChange37, r.expectedChange37);
        };
        for (const int stretch : {1, 5, 61, 400}) {
            if (stretch == 1 && length > 300) continue;
            const EvaluationResult fast = EvaluateMoneyInStretches(perm, s, live, stretch);
            ASSERT_EQ(fast.balance, slow.balance) << "round " << round << ", stretch " << stretch;
            ASSERT_EQ(fast.markers, slow.markers) << "round " << round << ", stretch " << stretch;
            ASSERT_EQ(fast.totalStaked, slow.totalStaked) << "round " << round << ", stretch " << stretch;
            ASSERT_EQ(fast.totalReturned, slow.totalReturned) << "round " << round << ", stretch " << stretch;
            ASSERT_EQ(tables(fast), tables(whole)) << "round " << round << ", stretch " << stretch;
        }
    }
}

// Even chances and pleins in play all along, their play started afresh by every hit: a stretch must reach
// back to the oldest last hit for the progression steps, and not one spin less. Plein 17 stays away for 300
// spins, so its stake climbs past every step where a technique stops or a table of steps ends.
TEST(MoneyEvaluation, StretchesReachBackToTheOldestLastHit) {
    std::mt19937 rng(11);
    std::vector<std::uint8_t> perm = RandomSpins(rng, 400);
    for (std::size_t i = 20; i < 330; ++i)
        if (perm[i] == 17) perm[i] = 18;
    perm[10] = 17;
    for (int technique = 0; technique <= 5; ++technique) {
        AppliedSettings s = Quiet();
        AbsenceRule(s, GroupId::G1837, 1000, 1001);  // a band from 0: hit or not, in play
        AbsenceRule(s, GroupId::G137, 1000, 1001);
        s.Of(GroupId::G1837).stakeTechnique = technique;
        s.Of(GroupId::G137).stakeTechnique = technique;
        s.maximum1 = 1000000000;
        FixedLiveSettings live;
        const EvaluationResult slow = testing::StraightforwardEvaluation(perm, s, live);
        for (const int stretch : {1, 3, 50}) {
            const EvaluationResult fast = EvaluateMoneyInStretches(perm, s, live, stretch);
            ASSERT_EQ(fast.balance, slow.balance) << "technique " << technique << ", stretch " << stretch;
        }
    }
}

// Long runs share their spins with a second thread; a cancel stops both wherever they are, and the balance
// holds the spins done in order.
TEST(MoneyEvaluation, SharedRunEqualsTheDefiningForm) {
    std::mt19937 rng(77);
    for (int round = 0; round < 4; ++round) {
        AppliedSettings s;
        FixedLiveSettings live;
        RandomSettings(rng, s, live, round % 2 == 0 ? kAllRules : kLongPlay);
        s.optionFlags[0] = 0;  // one chance is never shared
        const std::vector<std::uint8_t> perm =
            RandomSpins(rng, static_cast<std::size_t>(std::uniform_int_distribution<int>(5000, 9000)(rng)));
        std::vector<int> steps;
        const EvaluationResult fast = EvaluateMoney(perm, s, live, [&](int step) { steps.push_back(step); });
        const EvaluationResult slow = testing::StraightforwardEvaluation(perm, s, live);
        ASSERT_EQ(fast.balance, slow.balance) << "round " << round;
        ASSERT_EQ(fast.markers, slow.markers) << "round " << round;
        ASSERT_EQ(fast.totalStaked, slow.totalStaked) << "round " << round;
        ASSERT_EQ(fast.totalReturned, slow.totalReturned) << "round " << round;
        std::vector<int> everyStep(kProgressSteps);
        std::iota(everyStep.begin(), everyStep.end(), 1);
        ASSERT_EQ(steps, everyStep) << "round " << round;

        std::atomic<bool> cancel{false};
        const EvaluationResult cancelled = EvaluateMoney(
            perm, s, live, [&](int step) { cancel = step >= 20; }, &cancel);
        ASSERT_TRUE(cancelled.cancelled);
        ASSERT_LT(cancelled.balance.size(), perm.size());
        ASSERT_TRUE(std::equal(cancelled.balance.begin(), cancelled.balance.end(), slow.balance.begin()));
    }
}

}  // namespace
}  // namespace zentora
