// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/placement.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/slot_mask.h"

namespace zentora {

PlacementTable::PlacementTable() {
    // Multiplicity of every (position, slot) pair; the lists of the catalogue repeat a position to stake it
    // twice.
    std::vector<std::array<std::uint16_t, kPositionCount>> counts(kSlotCount);
    for (int s = 0; s < kSlotCount; ++s) {
        counts[s].fill(0);
        for (std::uint8_t p : PlacementList(s)) ++counts[s][p];
    }
    int n = 0;
    for (int s = 0; s < kSlotCount; ++s) {
        slotStart_[s] = static_cast<std::uint16_t>(n);
        for (int p = 0; p < kPositionCount; ++p) {
            if (counts[s][p] == 0) continue;
            if (n >= kMaxTerms) throw std::logic_error("placement table too small");
            slotTerms_[n++] = {static_cast<std::uint16_t>(p), counts[s][p]};
        }
    }
    slotStart_[kSlotCount] = static_cast<std::uint16_t>(n);
    termCount_ = n;
    n = 0;
    for (int p = 0; p < kPositionCount; ++p) {
        positionStart_[p] = static_cast<std::uint16_t>(n);
        for (int s = 0; s < kSlotCount; ++s)
            if (counts[s][p] != 0) positionTerms_[n++] = {static_cast<std::uint16_t>(s), counts[s][p]};
    }
    positionStart_[kPositionCount] = static_cast<std::uint16_t>(n);

    // BaseSet i lies on position i, so a slot whose placement list is its ComponentList joins a run.
    int sharedCount = 0, lastCount = 0;
    for (int s = kBaseSetCount; s < kSlotCount; ++s) {
        const auto comps = ComponentList(s);
        std::array<std::uint16_t, kPositionCount> own{};
        for (std::uint8_t c : comps) ++own[c];
        if (comps.empty() || own != counts[s]) {
            for (int t = slotStart_[s]; t < slotStart_[s + 1]; ++t) {
                if (directCount_ >= kMaxDirect) throw std::logic_error("placement table too small");
                direct_[directCount_++] = {static_cast<std::uint16_t>(s),
                                           static_cast<std::uint8_t>(slotTerms_[t].index),
                                           static_cast<std::uint8_t>(slotTerms_[t].count)};
            }
            continue;
        }
        const auto shared = comps.first(comps.size() - 1);
        Run* previous = runCount_ > 0 ? &runs_[runCount_ - 1] : nullptr;
        const bool extends = previous != nullptr && previous->slot + previous->count == s &&
                             std::equal(shared.begin(), shared.end(), shared_.begin() + previous->sharedBegin,
                                        shared_.begin() + previous->sharedEnd);
        if (lastCount >= kMaxRunPositions || sharedCount + static_cast<int>(shared.size()) > kMaxRunPositions)
            throw std::logic_error("placement table too small");
        if (extends) {
            ++previous->count;
        } else {
            if (runCount_ >= kMaxRuns) throw std::logic_error("placement table too small");
            Run& run = runs_[runCount_++];
            run.slot = static_cast<std::uint16_t>(s);
            run.count = 1;
            run.sharedBegin = static_cast<std::uint16_t>(sharedCount);
            for (std::uint8_t c : shared) shared_[sharedCount++] = c;
            run.sharedEnd = static_cast<std::uint16_t>(sharedCount);
            run.lastBegin = static_cast<std::uint16_t>(lastCount);
        }
        last_[lastCount++] = comps.back();
        runs_[runCount_ - 1].blocks |= std::uint32_t{1} << (s >> 6);
    }
}

const PlacementTable& PlacementTable::Instance() {
    static const PlacementTable table;
    return table;
}

void PlacementTable::PlaceDense(const StakeArray& slotStake, PositionArray& positionStakeRaw) const {
    for (int p = 0; p < kPositionCount; ++p) {
        std::int64_t sum = 0;
        for (int i = positionStart_[p]; i < positionStart_[p + 1]; ++i)
            sum += std::int64_t{slotStake[positionTerms_[i].index]} * positionTerms_[i].count;
        positionStakeRaw[p] = SaturatedStake(sum);
    }
}

void PlacementTable::PlaceByRuns(const StakeArray& slotStake, PositionArray& positionStakeRaw) const {
    std::array<std::int64_t, kPositionCount> sum{};
    const std::int32_t* const stake = slotStake.data();
    for (int s = 0; s < kBaseSetCount; ++s) sum[s] = stake[s];
    const std::uint8_t* const shared = shared_.data();
    const std::uint8_t* const lastAll = last_.data();
    // Runs in blocks of slots without any stake are skipped; within a block every run is walked, which
    // keeps the branches as predictable as the catalogue.
    std::uint32_t staked = 0;
    for (int block = 0; block < kSlotMaskWords; ++block) {
        std::int32_t any = 0;
        for (int s = block * 64; s < std::min(block * 64 + 64, kSlotCount); ++s) any |= stake[s];
        staked |= std::uint32_t{any != 0} << block;
    }
    for (int r = 0; r < runCount_; ++r) {
        const Run& run = runs_[r];
        if ((run.blocks & staked) == 0) continue;
        const std::int32_t* const own = stake + run.slot;
        const int count = run.count;
        const std::uint8_t* const last = lastAll + run.lastBegin;
        std::int64_t total = 0;
        for (int i = 0; i < count; ++i) {
            total += own[i];
            sum[last[i]] += own[i];
        }
        for (int i = run.sharedBegin; i < run.sharedEnd; ++i) sum[shared[i]] += total;
    }
    for (int d = 0; d < directCount_; ++d)
        sum[direct_[d].position] += std::int64_t{stake[direct_[d].slot]} * direct_[d].count;
    for (int p = 0; p < kPositionCount; ++p) positionStakeRaw[p] = SaturatedStake(sum[p]);
}

void PlaceSlotStakes(const StakeArray& slotStake, PositionArray& positionStakeRaw) {
    PlacementTable::Instance().PlaceByRuns(slotStake, positionStakeRaw);
}

}  // namespace zentora
