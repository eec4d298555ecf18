// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/signal_list.h"
#include "core/play_state.h"
#include "core/spin_pipeline.h"
#include "engine/placement.h"
#include "engine/stakes.h"

namespace zentora {
namespace {

void SetFlag(AppliedSettings& s, int box) {
    s.optionFlags[box - 1] = 1;
}

// Every group with both rules, random windows and stakes; splitting on.
AppliedSettings RandomSettings(std::mt19937& rng, FixedLiveSettings& live) {
    AppliedSettings s;
    std::uniform_int_distribution<int> small(0, 12);
    for (const ChanceGroup& g : kChanceGroups) {
        SetFlag(s, g.absenceCheckBox);
        SetFlag(s, g.rateCheckBox);
        GroupSettings& gs = s.Of(g.id);
        gs.absenceHigh = small(rng);
        gs.absenceSpan = 1 + small(rng) % 5;
        gs.absenceLow = gs.absenceHigh - gs.absenceSpan + 1;
        gs.initialStake = 1 + small(rng) % 4;
        gs.stakeTechnique = static_cast<std::int32_t>(rng() % 7) - 1;
        for (int w = 0; w < kRateWindowCount; ++w) {
            gs.rateUntil[w] = 20 * (w + 1);
            gs.rateFromMilli[w] = static_cast<std::int32_t>(rng() % 30000);
        }
        live.rateStart[GroupIndex(g.id)] = 5 + small(rng);
    }
    SetFlag(s, 32);
    if (rng() % 2) SetFlag(s, 31);
    s.maximum1 = 5;
    s.maximum2 = 8;
    s.maximum3 = 12;
    s.maximum4 = 15;
    s.maximum6 = 20;
    s.maximum12 = 30;
    s.maximum18 = 40;
    live.es637sTechnique = static_cast<std::int32_t>(rng() % 6);
    live.orphelinPlein = rng() % 2 == 0;
    return s;
}

TEST(BettingPipeline, EverySpinEndsWithConsistentStakesChipsAndList) {
    std::mt19937 rng(11);
    for (int round = 0; round < 4; ++round) {
        PlayState state;
        FixedLiveSettings live;
        state.settings = RandomSettings(rng, live);
        for (int spin = 0; spin < 100; ++spin) {
            EnterSpin(state, live, static_cast<std::uint8_t>(rng() % 37));
            // Normal play: the buffer holds the progression steps, and the stakes follow from them.
            ASSERT_EQ(state.signalBuffer, state.progressionStep);
            for (int s = 0; s < kSlotCount; ++s)
                ASSERT_EQ(state.slotStake[s], StakeAtStep(GroupOfSlot(s), state.progressionStep[s],
                                                          state.settings, live.es637sTechnique))
                    << "slot " << s;
            PositionArray raw{}, limited{};
            PlacementTable::Instance().PlaceDense(state.slotStake, raw);
            ASSERT_EQ(state.positionStakeRaw, raw);
            ApplyTableLimits(raw, state.settings, limited);
            ASSERT_EQ(state.positionStake, limited);
            const std::vector<std::string> list = FillSignalList(0, kSlotCount - 1, state.slotStake);
            const auto names = SignalListNames(state.signalList);
            ASSERT_EQ(std::vector<std::string>(names.begin(), names.end()), list);
        }
    }
}

TEST(BettingPipeline, OrphelinAChevalKeepsItsRateCountFromSpinToSpin) {
    for (bool plein : {false, true}) {
        PlayState state;
        FixedLiveSettings live;
        live.orphelinPlein = plein;
        AppliedSettings& s = state.settings;
        SetFlag(s, Group(GroupId::S837).rateCheckBox);
        GroupSettings& gs = s.Of(GroupId::S837);
        gs.absenceSpan = 1;
        gs.initialStake = 1;
        gs.stakeTechnique = 1;
        for (int w = 0; w < kRateWindowCount; ++w) gs.rateUntil[w] = 1000;  // "von" 0: holds while rate is 0
        live.rateStart[GroupIndex(GroupId::S837)] = 1;
        s.maximum2 = 100;
        s.maximum1 = 100;
        for (int spin = 1; spin <= 3; ++spin) EnterSpin(state, live, 0);  // zero is no Orphelin number

        const int played = plein ? kOrphelinPleinSlot : kOrphelinChevalSlot;
        const int other = plein ? kOrphelinChevalSlot : kOrphelinPleinSlot;
        EXPECT_EQ(state.rateSignal[played], 3);
        EXPECT_EQ(state.rateSignal[other], plein ? 0 : -1);
        EXPECT_EQ(state.progressionStep[played], 2);
        EXPECT_EQ(state.slotStake[played], 4);
        EXPECT_EQ(state.slotStake[other], 0);
        const std::string name = plein ? "Orphelins en plein" : "Orphelins à cheval";
        // The other Finales à cheval of the group are listed too; the Orphelin chance once.
        const auto names = SignalListNames(state.signalList);
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 1);
        // "a Cheval" lays one unit on plein 1 and four chevals; "Plein" one on each of eight pleins.
        EXPECT_EQ(state.positionStake[1], 4);
        EXPECT_EQ(state.positionStake[111], plein ? 0 : 4);
        EXPECT_EQ(state.positionStake[6], plein ? 4 : 0);
    }
}

}  // namespace
}  // namespace zentora
