// SPDX-License-Identifier: GPL-3.0-or-later
// The pipeline against a plain, slot-by-slot implementation of the same rules, with settings that change
// between spins (groups switched on and off, modes toggled), spins outside 0..36, replays and removals.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/extended_rate.h"
#include "catalogue/signal_list.h"
#include "core/play_state.h"
#include "core/spin_pipeline.h"
#include "engine/placement.h"
#include "engine/stakes.h"

namespace zentora {
namespace {

// ---- The plain implementation ---------------------------------------------------------------------------

struct Reference {
    std::vector<std::uint8_t> oldestFirst;
    AbsenceArray absence{};
    CountArray hits{}, rate{};
    SignalArray rateSignal{}, step{}, buffer{};
    StakeArray stake{};
    PositionArray raw{}, position{};
    std::int32_t played = kNoSlot;
    std::vector<std::string> list;

    Reference() {
        step.fill(-1);
        buffer.fill(-1);
    }
};

bool Flag(const AppliedSettings& s, int box) {
    return s.optionFlags[box - 1] == 1;
}

std::int16_t Up(std::int16_t v) {
    return v < 32767 ? static_cast<std::int16_t>(v + 1) : v;
}

void BaseUpdate(Reference& r, unsigned x) {
    for (int i = 0; i < kBaseSetCount; ++i) {
        if (BaseSetTable()[i].Contains(x)) {
            r.absence[i] = 0;
            ++r.hits[i];
        } else {
            r.absence[i] = Up(r.absence[i]);
        }
    }
}

void Count(Reference& r, const AppliedSettings& s, std::int32_t n) {
    for (const ChanceGroup& g : kChanceGroups) {
        if (g.firstSlot < kBaseSetCount) continue;
        const bool absence = s.AbsenceRuleActive(g.id) || s.RateRuleActive(g.id);
        const bool hits = g.id == GroupId::G1837 || g.id == GroupId::G1237 || s.RateRuleActive(g.id);
        for (int slot = g.firstSlot; slot <= g.lastSlot; ++slot) {
            const auto comps = ComponentList(slot);
            std::int16_t a = r.absence[comps[0]];
            std::int32_t h = 0;
            for (auto c : comps) {
                a = std::min(a, r.absence[c]);
                h += r.hits[c];
            }
            if (absence) r.absence[slot] = a;
            if (hits) r.hits[slot] = h;
        }
    }
    for (const ChanceGroup& g : kChanceGroups) {
        const bool always = g.id == GroupId::G137 || g.id == GroupId::G1837 || g.id == GroupId::G1237;
        if (!always && !s.RateRuleActive(g.id)) continue;
        for (int slot = g.firstSlot; slot <= g.lastSlot; ++slot)
            r.rate[slot] = ExtendedHitRate32(r.hits[slot], n);
    }
}

std::int64_t Limit(std::int64_t v, std::int64_t span, std::int64_t n) {
    return static_cast<std::int64_t>(static_cast<long double>(v) * static_cast<long double>(span + n - 1) /
                                         static_cast<long double>(n) +
                                     0.5L);
}

void Detect(Reference& r, const AppliedSettings& s, const FixedLiveSettings& live, std::int32_t n) {
    for (const ChanceGroup& g : kChanceGroups) {
        const int last = g.id == GroupId::S837 ? kOrphelinPleinSlot : g.lastSlot;
        const GroupSettings& gs = s.Of(g.id);
        const bool cheval = g.id == GroupId::S837 && !live.orphelinPlein;
        if (s.AbsenceRuleActive(g.id)) {
            for (int slot = g.firstSlot; slot <= last; ++slot)
                r.buffer[slot] =
                    gs.absenceLow <= r.absence[slot] && r.absence[slot] <= gs.absenceHigh ? 1 : -1;
            if (cheval) {
                r.buffer[kOrphelinChevalSlot] = r.buffer[kOrphelinPleinSlot];
                r.buffer[kOrphelinPleinSlot] = -1;
            }
        }
        if (cheval) r.rateSignal[kOrphelinPleinSlot] = r.rateSignal[kOrphelinChevalSlot];
        const std::int64_t span = gs.absenceSpan, start = live.rateStart[GroupIndex(g.id)];
        if (!s.RateRuleActive(g.id) || n < start - span || n > gs.rateUntil[11]) {
            for (int slot = g.firstSlot; slot <= last; ++slot) r.rateSignal[slot] = 0;
        } else {
            int w = 0;
            while (n > gs.rateUntil[w]) ++w;
            std::int64_t lower = std::numeric_limits<std::int64_t>::min(), upper;
            if (w == 0 && n < start) {
                upper = Limit(gs.rateFromMilli[0], span, n);
            } else {
                lower = gs.rateFromMilli[w];
                if (w == 11)
                    upper = 100000;
                else
                    upper = Limit(gs.rateFromMilli[n > std::int64_t{gs.rateUntil[w]} - span ? w + 1 : w],
                                  span, n);
            }
            for (int slot = g.firstSlot; slot <= last; ++slot)
                r.rateSignal[slot] =
                    lower <= r.rate[slot] && r.rate[slot] <= upper ? Up(r.rateSignal[slot]) : std::int16_t{0};
        }
        if (cheval) {
            r.rateSignal[kOrphelinChevalSlot] = r.rateSignal[kOrphelinPleinSlot];
            r.rateSignal[kOrphelinPleinSlot] = -1;
        }
    }
}

void ClearBuffer(Reference& r) {
    std::fill_n(r.buffer.begin(), kSlotCount, std::int16_t{-1});
}

bool Continue(Reference& r, const AppliedSettings& s, int c) {
    if (c == r.played && r.absence[c] > 0) {
        r.step[c] = Up(r.step[c]);
        if (r.step[c] < s.Of(GroupOfSlot(c)).absenceSpan) {
            ClearBuffer(r);
            r.buffer[c] = r.step[c];
            r.played = c;
            return true;
        }
        r.step[c] = -1;
        r.played = kNoSlot;
        return false;
    }
    if (r.absence[c] > 0 || r.rateSignal[c] > 0) {
        ClearBuffer(r);
        std::fill_n(r.step.begin(), kSlotCount, std::int16_t{-1});
        r.buffer[c] = 0;
        r.step[c] = 0;
        r.played = c;
        return true;
    }
    r.played = kNoSlot;
    r.buffer[c] = -1;
    r.step[c] = -1;
    return false;
}

void Step(Reference& r, const AppliedSettings& s) {
    if (!Flag(s, 1)) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (r.buffer[slot] <= 0 && r.rateSignal[slot] <= 0) {
                r.step[slot] = -1;
            } else if (r.absence[slot] == 0) {
                r.step[slot] = 0;
            } else {
                r.step[slot] = Up(r.step[slot]);
            }
            r.buffer[slot] = r.step[slot];
        }
        return;
    }
    const bool shift = Flag(s, 35);
    if (shift && r.played != kNoSlot && Continue(r, s, r.played)) return;
    if (r.played != kNoSlot && r.buffer[r.played] > 0) {
        const std::int16_t kept = r.buffer[r.played];
        ClearBuffer(r);
        r.buffer[r.played] = kept;
        return;
    }
    int chosen = kNoSlot;
    std::int64_t best = 0;
    for (int slot = kSlotCount - 1; slot >= 0; --slot) {
        if (r.buffer[slot] <= 0 && r.rateSignal[slot] <= 0) continue;
        const std::int64_t weight = std::int64_t{Group(GroupOfSlot(slot)).chanceWeight} * r.hits[slot];
        if (chosen == kNoSlot || weight < best) {
            chosen = slot;
            best = weight;
        }
    }
    ClearBuffer(r);
    if (chosen == kNoSlot) {
        r.played = kNoSlot;
        return;
    }
    r.buffer[chosen] = 1;
    if (shift) Continue(r, s, chosen);
    r.played = chosen;
}

void StakeAndPlace(Reference& r, const AppliedSettings& s, const FixedLiveSettings& live) {
    std::array<std::int64_t, kPositionCount> sum{};
    r.list.clear();
    std::vector<std::string> individual, group;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        r.stake[slot] = StakeAtStep(GroupOfSlot(slot), r.buffer[slot], s, live.es637sTechnique);
        for (auto p : PlacementList(slot)) sum[p] += r.stake[slot];
        if (r.stake[slot] > 0) {
            SlotName name = ChanceSlotName(slot);
            (name.nameHasNumber ? individual : group)
                .insert((name.nameHasNumber ? individual : group).begin(), name.text);
        }
    }
    for (int p = 0; p < kPositionCount; ++p)
        r.raw[p] = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum[p], INT32_MIN, INT32_MAX));
    ApplyTableLimits(r.raw, s, r.position);
    r.list = individual;
    r.list.insert(r.list.end(), group.begin(), group.end());
}

void Enter(Reference& r, const AppliedSettings& s, const FixedLiveSettings& live, std::uint8_t x) {
    r.oldestFirst.push_back(x);
    r.buffer.fill(-1);
    BaseUpdate(r, x);
    const auto n = static_cast<std::int32_t>(r.oldestFirst.size());
    Count(r, s, n);
    Detect(r, s, live, n);
    Step(r, s);
    StakeAndPlace(r, s, live);
}

void Replay(Reference& r, const AppliedSettings& s, const FixedLiveSettings& live) {
    Reference fresh;
    fresh.oldestFirst = r.oldestFirst;
    r = fresh;
    const std::size_t n = r.oldestFirst.size();
    const std::size_t older = n > 1000 ? n - 1000 : 0;
    for (std::size_t j = 0; j < n; ++j) {
        BaseUpdate(r, r.oldestFirst[j]);
        if (j < older) continue;
        r.buffer.fill(-1);
        Count(r, s, static_cast<std::int32_t>(j + 1));
        Detect(r, s, live, static_cast<std::int32_t>(j + 1));
        Step(r, s);
    }
    StakeAndPlace(r, s, live);
}

// ---- Settings that signal often and change between spins ---------------------------------------------

void RandomGroup(std::mt19937& rng, AppliedSettings& s, FixedLiveSettings& live, const ChanceGroup& g) {
    GroupSettings& gs = s.Of(g.id);
    gs.absenceHigh = static_cast<std::int32_t>(rng() % 30) - 3;
    gs.absenceSpan = 1 + static_cast<std::int32_t>(rng() % 8);
    gs.absenceLow = gs.absenceHigh - gs.absenceSpan + 1;
    gs.initialStake = static_cast<std::int32_t>(rng() % 6);
    gs.stakeTechnique = static_cast<std::int32_t>(rng() % 7) - 1;
    std::int32_t until = 1 + static_cast<std::int32_t>(rng() % 20);
    const std::int32_t share = 100000 * static_cast<std::int32_t>(NumberSetOfSlot(g.firstSlot).Count()) / 37;
    for (int w = 0; w < kRateWindowCount; ++w) {
        gs.rateUntil[w] = until;
        until += 1 + static_cast<std::int32_t>(rng() % 60);
        gs.rateFromMilli[w] = static_cast<std::int32_t>(rng() % (share + 1));
    }
    live.rateStart[GroupIndex(g.id)] = static_cast<std::int32_t>(rng() % 60);
}

void RandomSettings(std::mt19937& rng, AppliedSettings& s, FixedLiveSettings& live) {
    for (const ChanceGroup& g : kChanceGroups) RandomGroup(rng, s, live, g);
    for (auto& f : s.optionFlags) f = rng() % 2;
    const std::array<std::int32_t, 9> maxima{-1, 0, 1, 5, 8, 12, 20, 50, 200};
    for (std::int32_t* m :
         {&s.maximum1, &s.maximum2, &s.maximum3, &s.maximum4, &s.maximum6, &s.maximum12, &s.maximum18})
        *m = maxima[rng() % maxima.size()];
    live.es637sTechnique = static_cast<std::int32_t>(rng() % 6);
    live.orphelinPlein = rng() % 2 == 0;
}

// Small changes a player makes between spins.
void Nudge(std::mt19937& rng, AppliedSettings& s, FixedLiveSettings& live) {
    const ChanceGroup& g = kChanceGroups[rng() % kGroupCount];
    switch (rng() % 12) {
        case 0:
            s.optionFlags[g.absenceCheckBox - 1] ^= 1;
            break;
        case 1:
            s.optionFlags[g.rateCheckBox - 1] ^= 1;
            break;
        case 2:
            RandomGroup(rng, s, live, g);
            break;
        case 3:
            s.optionFlags[std::array{0, 30, 31, 34}[rng() % 4]] ^= 1;  // CheckBox1, 31, 32, 35
            break;
        case 4:
            live.orphelinPlein = !live.orphelinPlein;
            break;
        default:
            break;
    }
}

void ExpectSame(const PlayState& state, const Reference& r, const std::string& where) {
    ASSERT_EQ(state.permanence.size(), r.oldestFirst.size()) << where;
    ASSERT_EQ(state.absenceCounter, r.absence) << where;
    ASSERT_EQ(state.hitCounter, r.hits) << where;
    ASSERT_EQ(state.hitRate, r.rate) << where;
    ASSERT_EQ(state.rateSignal, r.rateSignal) << where;
    ASSERT_EQ(state.progressionStep, r.step) << where;
    ASSERT_EQ(state.signalBuffer, r.buffer) << where;
    ASSERT_EQ(state.playedSlot, r.played) << where;
    ASSERT_EQ(state.slotStake, r.stake) << where;
    ASSERT_EQ(state.positionStakeRaw, r.raw) << where;
    ASSERT_EQ(state.positionStake, r.position) << where;
    const auto names = SignalListNames(state.signalList);
    ASSERT_EQ(std::vector<std::string>(names.begin(), names.end()), r.list) << where;
}

TEST(PipelineReference, LiveSpinsReplaysAndRemovalsUnderChangingSettings) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        PlayState state;
        FixedLiveSettings live;
        RandomSettings(rng, state.settings, live);
        Reference ref;
        for (int spin = 0; spin < 500; ++spin) {
            const std::string where = "seed " + std::to_string(seed) + " spin " + std::to_string(spin);
            if (rng() % 4 == 0) Nudge(rng, state.settings, live);
            const unsigned action = rng() % 100;
            if (action == 0) {
                ReplayPermanence(state, live);
                Replay(ref, state.settings, live);
            } else if (action == 1 && !ref.oldestFirst.empty()) {
                RemoveLastSpin(state, live);
                ref.oldestFirst.pop_back();
                Replay(ref, state.settings, live);
            } else {
                const auto x = static_cast<std::uint8_t>(rng() % 50 == 0 ? 37 + rng() % 219 : rng() % 37);
                EnterSpin(state, live, x);
                Enter(ref, state.settings, live, x);
            }
            ExpectSame(state, ref, where);
        }
    }
}

TEST(PipelineReference, ReplayOfALongPermanenceThenLiveSpins) {
    std::mt19937 rng(77);
    PlayState state;
    FixedLiveSettings live;
    RandomSettings(rng, state.settings, live);
    Reference ref;
    for (int i = 0; i < 1300; ++i) ref.oldestFirst.push_back(static_cast<std::uint8_t>(rng() % 37));
    state.permanence = Permanence::FromOldestFirst(ref.oldestFirst);
    ReplayPermanence(state, live);
    Replay(ref, state.settings, live);
    ExpectSame(state, ref, "replay");
    for (int spin = 0; spin < 100; ++spin) {
        if (rng() % 3 == 0) Nudge(rng, state.settings, live);
        const auto x = static_cast<std::uint8_t>(rng() % 37);
        EnterSpin(state, live, x);
        Enter(ref, state.settings, live, x);
        ExpectSame(state, ref, "spin " + std::to_string(spin));
    }
}

}  // namespace
}  // namespace zentora
