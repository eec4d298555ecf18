// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/play_state.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/spin_pipeline.h"
#include "engine/counting.h"
#include "options/options_model.h"

namespace zentora {
namespace {

AppliedSettings AllOn() {
    AppliedSettings s;
    s.optionFlags.fill(1);
    return s;
}

// Mixed switches: some groups with absence rule only, some with rate rule only, some off.
AppliedSettings Mixed() {
    AppliedSettings s;
    for (const ChanceGroup& g : kChanceGroups) {
        const int i = GroupIndex(g.id);
        if (i % 3 == 0) s.optionFlags[g.absenceCheckBox - 1] = 1;
        if (i % 3 == 1) s.optionFlags[g.rateCheckBox - 1] = 1;
    }
    return s;
}

std::vector<std::uint8_t> RandomSpins(std::size_t count, unsigned seed, unsigned modulo = 37) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> spins(count);
    for (auto& s : spins) s = static_cast<std::uint8_t>(rng() % modulo);
    return spins;
}

void ExpectSameCounters(const PlayState& a, const PlayState& b) {
    EXPECT_EQ(a.permanence, b.permanence);
    EXPECT_EQ(a.absenceCounter, b.absenceCounter);
    EXPECT_EQ(a.hitCounter, b.hitCounter);
    EXPECT_EQ(a.hitRate, b.hitRate);
}

void ExpectSameState(const PlayState& a, const PlayState& b) {
    ExpectSameCounters(a, b);
    EXPECT_EQ(a.rateSignal, b.rateSignal);
    EXPECT_EQ(a.progressionStep, b.progressionStep);
    EXPECT_EQ(a.slotStake, b.slotStake);
    EXPECT_EQ(a.positionStakeRaw, b.positionStakeRaw);
    EXPECT_EQ(a.positionStake, b.positionStake);
    EXPECT_EQ(a.playedSlot, b.playedSlot);
    EXPECT_EQ(a.signalBuffer, b.signalBuffer);
    EXPECT_EQ(a.signalList, b.signalList);
}

PlayState OneByOne(const std::vector<std::uint8_t>& oldestFirst, const AppliedSettings& settings) {
    PlayState state;
    state.settings = settings;
    FixedLiveSettings live;
    for (auto spin : oldestFirst) EnterSpin(state, live, spin);
    return state;
}

PlayState Replayed(const std::vector<std::uint8_t>& oldestFirst, const AppliedSettings& settings) {
    PlayState state;
    state.settings = settings;
    state.permanence = Permanence::FromOldestFirst(oldestFirst);
    ReplayPermanence(state, FixedLiveSettings{});
    return state;
}

TEST(Permanence, NewestFirstIndexing) {
    Permanence p;
    for (std::uint8_t s : {5, 17, 0}) p.PushNewest(s);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[2], 5);
    EXPECT_EQ(p.NewestFirst(), (std::vector<std::uint8_t>{0, 17, 5}));
    EXPECT_EQ(Permanence::FromNewestFirst(p.NewestFirst()), p);
    p.RemoveNewest();
    EXPECT_EQ(p[0], 17);
    p.Clear();
    p.RemoveNewest();
    EXPECT_TRUE(p.empty());
}

TEST(PlayState, ResetValues) {
    PlayState state;
    EXPECT_EQ(state.playedSlot, kNoSlot);
    for (int i = 0; i < kSlotArraySize; ++i) {
        EXPECT_EQ(state.progressionStep[i], -1);
        EXPECT_EQ(state.absenceCounter[i], 0);
        EXPECT_EQ(state.hitCounter[i], 0);
        EXPECT_EQ(state.slotStake[i], 0);
        EXPECT_EQ(state.signalBuffer[i], -1);
    }
    EXPECT_EQ(state.baseSetTable[48], NumberSet({0, 1, 2, 3}));
}

TEST(PlayState, ZeroOnAnEmptyPermanence) {
    PlayState state;
    state.settings = AllOn();
    EnterSpin(state, FixedLiveSettings{}, 0);
    ASSERT_EQ(state.permanence.size(), 1u);
    EXPECT_EQ(state.permanence[0], 0);
    for (int i = 0; i < kBaseSetCount; ++i)
        EXPECT_EQ(state.absenceCounter[i], state.baseSetTable[i].Contains(0) ? 0 : 1) << i;
    EXPECT_EQ(state.hitRate[0], 100000);
    EXPECT_EQ(state.hitRate[1], 0);
}

TEST(PlayState, ReplayEqualsOneByOneUpToAThousandSpins) {
    for (const AppliedSettings& settings : {AllOn(), Mixed(), AppliedSettings{}}) {
        for (std::size_t count : {0u, 1u, 29u, 1000u}) {
            const auto spins = RandomSpins(count, static_cast<unsigned>(count) + 1);
            ExpectSameState(Replayed(spins, settings), OneByOne(spins, settings));
        }
    }
}

// The program's default options with every group switched on, in progression and in single-chance mode.
TEST(PlayState, ReplayEqualsOneByOneWithTheBettingEngine) {
    const OptionsModel model;
    for (std::uint8_t singleChance : {0, 1}) {
        for (bool plein : {true, false}) {
            AppliedSettings settings = ApplySettings(model);
            for (int k = 3; k <= 65; ++k) settings.optionFlags[k - 1] = 1;
            settings.optionFlags[0] = singleChance;
            FixedLiveSettings live = TakeLiveSettings(model);
            live.orphelinPlein = plein;
            const auto spins = RandomSpins(1000, 21 + singleChance);
            PlayState oneByOne;
            oneByOne.settings = settings;
            for (auto spin : spins) EnterSpin(oneByOne, live, spin);
            PlayState replayed;
            replayed.settings = settings;
            replayed.permanence = Permanence::FromOldestFirst(spins);
            ReplayPermanence(replayed, live);
            ExpectSameState(replayed, oneByOne);
        }
    }
}

// Beyond 1000 spins the oldest ones only move the BaseSet counters; the newest 1000 run the whole pipeline.
TEST(PlayState, ReplayOfMoreThanAThousandSpinsCountsTheOldestOnly) {
    const OptionsModel model;
    AppliedSettings settings = ApplySettings(model);
    for (int k = 3; k <= 65; ++k) settings.optionFlags[k - 1] = 1;
    const FixedLiveSettings live = TakeLiveSettings(model);
    const auto spins = RandomSpins(1003, 31);

    PlayState replayed;
    replayed.settings = settings;
    replayed.permanence = Permanence::FromOldestFirst(spins);
    ReplayPermanence(replayed, live);

    PlayState expected;
    expected.settings = settings;
    for (std::size_t i = 0; i < 3; ++i) {
        StoreNewestSpin(expected, spins[i]);
        BaseUpdate(spins[i], expected.absenceCounter, expected.hitCounter);
    }
    for (std::size_t i = 3; i < spins.size(); ++i) EnterSpin(expected, live, spins[i]);
    ExpectSameState(replayed, expected);
}

TEST(PlayState, ReplayEqualsOneByOneForTheCountersOfLongPermanences) {
    // Values above 36 and absences beyond the 16-bit limit included.
    auto spins = RandomSpins(1500, 5, 40);
    for (int i = 0; i < 40000; ++i) spins.push_back(i % 7 == 0 ? 255 : static_cast<std::uint8_t>(i % 2));
    const auto tail = RandomSpins(1200, 9);
    spins.insert(spins.end(), tail.begin(), tail.end());
    for (std::size_t count : {std::size_t{1001}, std::size_t{1500}, spins.size()}) {
        const std::vector<std::uint8_t> head(spins.begin(),
                                             spins.begin() + static_cast<std::ptrdiff_t>(count));
        for (const AppliedSettings& settings : {AllOn(), Mixed()})
            ExpectSameCounters(Replayed(head, settings), OneByOne(head, settings));
    }
}

TEST(PlayState, ReplayStartsFromTheResetValues) {
    PlayState state;
    state.settings = AllOn();
    state.permanence = Permanence::FromOldestFirst(RandomSpins(50, 2));
    state.playedSlot = 12;
    state.progressionStep[40] = 3;
    state.slotStake[40] = 9;
    state.hitCounter[1500] = 77;
    ReplayPermanence(state, FixedLiveSettings{});
    ExpectSameState(state, OneByOne(RandomSpins(50, 2), AllOn()));
}

TEST(PlayState, RemoveLastNumberReplaysWhatIsLeft) {
    const FixedLiveSettings live;
    for (std::size_t count : {30u, 29u, 2u, 1u}) {
        const auto spins = RandomSpins(count, 4);
        PlayState state = OneByOne(spins, AllOn());
        EXPECT_TRUE(RemoveLastSpin(state, live));
        const std::vector<std::uint8_t> shorter(spins.begin(), spins.end() - 1);
        ExpectSameState(state, OneByOne(shorter, AllOn()));
    }
    PlayState empty;
    empty.settings = AllOn();
    empty.signalList = {3};
    empty.hitCounter[3] = 4;
    EXPECT_FALSE(RemoveLastSpin(empty, live));
    EXPECT_EQ(empty.hitCounter[3], 4);
    EXPECT_EQ(empty.signalList.size(), 1u);
}

TEST(PlayState, NewThenASpinIsAFreshStart) {
    PlayState state = OneByOne(RandomSpins(300, 8), AllOn());
    state.signalList = {1412};
    ResetPlay(state);
    EXPECT_TRUE(state.permanence.empty());
    EXPECT_TRUE(state.signalList.empty());
    EnterSpin(state, FixedLiveSettings{}, 17);
    ExpectSameState(state, OneByOne({17}, AllOn()));
}

TEST(PlayState, ReplacePermanenceTakesNewestFirst) {
    PlayState state = OneByOne(RandomSpins(10, 3), AllOn());
    const std::vector<std::uint8_t> newestFirst{4, 9, 22};
    ReplacePermanence(state, FixedLiveSettings{}, newestFirst);
    ExpectSameState(state, OneByOne({22, 9, 4}, AllOn()));
}

}  // namespace
}  // namespace zentora
