// SPDX-License-Identifier: GPL-3.0-or-later
// The money evaluation's run spin by spin: counting, both rules, the stakes and their placement for every
// entry of the EvaluationSlotList. Only the money evaluation builds it.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/platform.h"
#include "engine/applied_settings.h"
#include "engine/counting.h"
#include "engine/evaluation_slots.h"
#include "engine/placement.h"
#include "engine/signal_detection.h"
#include "engine/stakes.h"

namespace zentora::evaluation {
namespace {

constexpr int kStakeCacheSteps = 256;
constexpr std::int64_t kStepLimit = std::numeric_limits<int>::max();  // steps beyond read as this one

// rate(h, k) >= bound and rate(h, k) <= bound for the extended-precision hit rate, without a division: the
// extended rate equals the exact rounding floor((200000 h + k) / (2 k)) except at a tie of the "+ 0.5",
// where it may be one less, so only a tie asks the rate itself.
inline bool RateAtLeast(std::int64_t h, std::int64_t k, std::int64_t bound) {
    if (bound <= 0) return true;
    if (bound > 100000) return false;
    const std::int64_t n = 200000 * h + k, m = 2 * bound * k;
    if (n != m) return n > m;
    return HitRateOf(static_cast<std::int32_t>(h), static_cast<std::int32_t>(k)) >= bound;
}
inline bool RateAtMost(std::int64_t h, std::int64_t k, std::int64_t bound) {
    if (bound >= 100000) return true;
    if (bound < 0) return false;
    const std::int64_t n = 200000 * h + k, m = 2 * (bound + 1) * k;
    if (n != m) return n < m;
    return HitRateOf(static_cast<std::int32_t>(h), static_cast<std::int32_t>(k)) <= bound;
}

using Word = std::uint64_t;
constexpr int kWordBits = 64;
constexpr unsigned kNoNumber = 37;  // the row of a spin that hits nothing
constexpr std::size_t kCacheLine = 64;
// Placing an entry term by term costs a few cycles a term (the sums depend on each other); counting a
// group's placement afresh costs about one a mask word.
constexpr int kTermCost = 4;
constexpr int kMaxGroupWords = (kSlotCount + kWordBits - 1) / kWordBits;
constexpr int kMaxWordsOfAGroup = 13;  // Z1237's 816 entries
// A cell of a group placed by steps: at most one per group and position. Narrow, so that the entries' cell
// lists take less of the cache.
using Cell = std::uint16_t;
static_assert(kGroupCount * kPositionCount <= std::numeric_limits<Cell>::max());

// How the stake of a step follows from the one before while a progression climbs: T(s + 1) from T(s) (and,
// for the Fibonacci numbers, the term before, W(s) = T(s - 1) with W(0) = T(0)).
enum class StepRule : std::uint8_t { Double, Triple, DoubleAndFirst, AddFirst, Fibonacci };
constexpr StepRule kStepRules[] = {StepRule::Double, StepRule::Triple, StepRule::DoubleAndFirst,
                                   StepRule::AddFirst, StepRule::Fibonacci};

// T(s + 1) and W(s + 1) from T(s) and W(s) by the rule; for sums over `count` entries standing on one step
// the same (an entry alone: count 1).
template <StepRule Rule>
[[gnu::always_inline]] constexpr std::pair<std::int64_t, std::int64_t> StepOn(std::int64_t t, std::int64_t w,
                                                                              std::int64_t first,
                                                                              std::int64_t count) {
    if constexpr (Rule == StepRule::Double)
        return {2 * t, t};
    else if constexpr (Rule == StepRule::Triple)
        return {3 * t, t};
    else if constexpr (Rule == StepRule::DoubleAndFirst)
        return {2 * t + first * count, t};
    else if constexpr (Rule == StepRule::AddFirst)
        return {t + first * count, t};
    else
        return {t + w, t};  // the Fibonacci numbers
}

// Calls f(bit) for every set bit of `word`, lowest first.
template <class F>
[[gnu::always_inline]] inline void ForEachBit(Word word, F&& f) {
    while (word) {
        f(std::countr_zero(word));
        word &= word - 1;
    }
}

// Calls f(cell) for each cell term of entry j; `width` is their count where known (0: read it), so that the
// few terms of the most frequent move go without a loop.
template <class F>
[[gnu::always_inline]] inline void ForEachCell(const Cell* terms, const std::int32_t* termStart,
                                               std::int32_t j, std::int32_t width, F&& f) {
    const Cell* cell = terms + termStart[j];
    switch (width) {
        case 4:
            f(cell[3]);
            [[fallthrough]];
        case 3:
            f(cell[2]);
            [[fallthrough]];
        case 2:
            f(cell[1]);
            [[fallthrough]];
        case 1:
            f(cell[0]);
            return;
        default:
            for (const Cell* const end = terms + termStart[j + 1]; cell < end; ++cell) f(*cell);
    }
}

// One group of the EvaluationSlotList with the settings of its rules. Its entries own whole words of the
// bit sets, so that a group's rules work a word at a time.
struct GroupRun {
    GroupId id{};
    std::int32_t first = 0, end = 0;   // entry range
    std::int32_t word = 0, words = 0;  // word range
    bool absence = false;              // absence rule on and its band [low, high] not empty
    std::int64_t low = 0, high = 0;
    std::uint8_t highBound = 0, lowBound = 0;  // their places among the ages that bands read
    bool rate = false;
    std::int32_t rateStart = 0;
    std::int64_t lo = 1, hi = 0;  // hit counts inside the rate bounds (empty: lo > hi)
    // Every entry's hits lie within [minHits, maxHits]; minHits may lag behind, which is still a bound.
    std::int64_t minHits = 0, maxHits = 0;
    // Untracked: the rate bounds lie clear of every entry's hits, which are not counted one by one; maxHits
    // then bounds them as of `syncSpin`, and the bounds need no look before `nextCheck`.
    bool tracked = true;
    std::int64_t syncSpin = 0, nextCheck = 0;
    std::int32_t span = 0;  // "So oft angespielt"
    std::int64_t weight = 0;
    bool constantStake = true;
    std::array<std::int32_t, kStakeCacheSteps> stakes{};
    // A group of one stake whose entries change in numbers is placed by counting: per position and
    // multiplicity level a mask of the entries lying on it that often, and the placement is the sum of the
    // masks' counts of entries in play.
    std::vector<std::uint8_t> rowPosition;  // per mask row: its position
    std::vector<Word> rowMasks;             // words per row
    std::vector<std::int32_t> rowCount;     // per row: the entries in play that it counted last
    bool countValid = false;                // whether rowCount still holds (term-by-term spins move it)
    std::int32_t terms = 0;                 // placement terms of all entries
    std::array<Word, 3> positionBits{};     // the positions it places on, as bits
    // A group under a progression is placed by steps where its stakes allow (see BuildSteps): per position
    // it places on (a cell) the sums over its entries in play below the cap step, moved on a step every
    // spin by the rule, and the count of those at the cap or beyond.
    bool stepped = false;
    StepRule rule{};
    std::int64_t capStep = 0;  // from this step on every stake is capStake; beyond every step when ringless
    std::int64_t capStake = 0;
    std::int64_t firstStake = 0;
    bool ringed = false;  // entries below the cap kept in a ring of masks by their first spin
    std::vector<std::int64_t> stepStake, stepBefore;  // T(s) and W(s) for the steps below the cap
    std::vector<Word> ring;     // ringRows rows of `words`: row (first spin mod ringRows)
    std::int64_t ringRows = 1;  // a power of two, at least capStep
    std::int32_t cellFirst = 0, cellEnd = 0;
    std::vector<std::int32_t> rowCell;  // per mask row: the cell of its position
    std::int32_t stepTerms = 0;         // cell terms of all entries
    std::int32_t entryTerms = 0;        // cell terms of each entry where all have as many, else 0
};

// Counting, rules, stakes and placement of the entries: after each spin the exact position sums of the stakes
// they lay for the next one. Two of them run side by side in two threads: whole cache lines each, so that
// neither slows the other.
class alignas(kCacheLine) StakeRun {
  public:
    // `spins`: the most spins a run goes through.
    StakeRun(const AppliedSettings& settings, const LiveSettings& live, EvaluationSlotList list,
             std::int64_t spins)
        : settings_(settings),
          list_(std::move(list)),
          n_(static_cast<std::int32_t>(list_.slots.size())),
          es637s_(live.Es637sTechnique()),
          oneChance_(settings.Flag(kOneChanceBox)),
          shiftOthers_(settings.Flag(kShiftOthersBox)),
          lastHit_(n_),
          hits_(n_),
          runStart_(n_, 1),
          stepBase_(n_),
          stake_(n_),
          entryGroup_(n_) {
        BuildGroups(live);
        BuildTables();
        BuildSteps(spins);
    }

    // The spin loop counts bits everywhere: worth a build with the processor's own bit counting (its parts
    // are inlined into both builds).
    ZENTORA_VECTOR_CLONES void Spin(std::int64_t k, unsigned x) {
        Count(k, x);
        if (oneChance_)
            SelectOneChance(k);
        else
            UpdateStakes(k, x);
    }

    const std::array<std::int64_t, kPositionCount>& Raw() const { return raw_; }
    // Whether a position sum moved since the last call, and which (some that did not may be among them).
    bool TakeMoved(std::array<Word, 3>& moved) {
        if (!placedChanged_) return false;
        for (int i = 0; i < 3; ++i) moved[i] |= dirty_[i];
        dirty_ = {};
        placedChanged_ = false;
        return true;
    }
    std::int32_t Selected() const { return selected_; }

    std::optional<std::int32_t> SlotOf(std::int32_t entry) const {
        if (entry < 0) return std::nullopt;
        return list_.slots[entry];
    }

    // The state after spin `spin` as far as the spins before it decide it directly: the counts of the numbers
    // and their last spins (as of `spin`), and no entry in play. Whether an entry is in play at a later spin
    // follows from the counts alone; how long it has been, which a stake progression reads, only from spins
    // run (see EarliestRunStart). Not in one-chance play.
    void Restart(std::int64_t spin, const std::array<std::int64_t, 37>& numberHits,
                 const std::array<std::int64_t, 37>& lastSpin) {
        numberHits_ = numberHits;
        lastSpin_ = lastSpin;
        recentCount_ = 0;
        for (unsigned z = 0; z < 37; ++z)
            if (lastSpin[z] > 0)
                recent_[static_cast<std::size_t>(recentCount_++)] = static_cast<std::uint8_t>(z);
        std::sort(recent_.begin(), recent_.begin() + recentCount_,
                  [&](std::uint8_t a, std::uint8_t b) { return lastSpin[a] > lastSpin[b]; });
        std::fill(rate_.begin(), rate_.end(), 0);
        std::fill(absent_.begin(), absent_.end(), 0);
        std::fill(ruled_.begin(), ruled_.end(), 0);
        std::fill(ruledBefore_.begin(), ruledBefore_.end(), 0);
        std::fill(stake_.begin(), stake_.end(), 0);
        raw_ = {};
        dirty_ = {};
        placedChanged_ = true;
        std::fill(cellSum_.begin(), cellSum_.end(), 0);
        std::fill(cellBefore_.begin(), cellBefore_.end(), 0);
        std::fill(cellCount_.begin(), cellCount_.end(), 0);
        std::fill(cellCapped_.begin(), cellCapped_.end(), 0);
        std::fill(cellPlaced_.begin(), cellPlaced_.end(), 0);
        for (GroupRun& g : groups_) {
            std::fill(g.ring.begin(), g.ring.end(), 0);
            g.countValid = false;
            g.lo = 1;
            g.hi = 0;
            if (g.rate) {
                // Untracked with the exact hits of now: the next spin looks at the bounds.
                SyncRateGroup(g, 1, 0);
                g.tracked = false;
                g.syncSpin = spin;
                g.nextCheck = spin + 1;
            }
        }
    }

    // The earliest spin at which the play of an entry under a stake progression, in play at the spin of
    // `lastSpin`, may have started: a hit of an entry in play starts its play afresh, so it started no
    // earlier than its last hit. 0 when such an entry was never hit; the maximum when no group has a
    // progression.
    std::int64_t EarliestRunStart(const std::array<std::int64_t, 37>& lastSpin) const {
        std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
        for (const GroupRun& g : groups_) {
            if (g.constantStake) continue;
            for (std::int32_t e = g.first; e < g.end; ++e) {
                std::int64_t hit = 0;
                ForEachBit(list_.sets[e].words[0], [&](int z) { hit = std::max(hit, lastSpin[z]); });
                earliest = std::min(earliest, hit);
            }
        }
        return earliest;
    }

  private:
    void BuildGroups(const LiveSettings& live) {
        std::int32_t word = 0;
        for (std::int32_t j = 0; j < n_;) {
            GroupRun g;
            g.id = GroupOfSlot(list_.slots[j]);
            g.first = j;
            while (j < n_ && GroupOfSlot(list_.slots[j]) == g.id)
                entryGroup_[j++] = static_cast<std::int32_t>(groups_.size());
            g.end = j;
            g.word = word;
            g.words = (g.end - g.first + kWordBits - 1) / kWordBits;
            word += g.words;
            const GroupSettings& gs = settings_.Of(g.id);
            g.low = gs.absenceLow;
            g.high = gs.absenceHigh;
            g.absence = settings_.AbsenceRuleActive(g.id) && std::max<std::int64_t>(g.low, 0) <= g.high;
            g.rate = settings_.RateRuleActive(g.id);
            g.rateStart = g.rate ? live.RateStart(g.id) : 0;
            g.tracked = oneChance_ || !g.rate;
            g.nextCheck = 1;
            g.span = gs.absenceSpan;
            g.weight = Group(g.id).chanceWeight;
            for (int step = 0; step < kStakeCacheSteps; ++step) {
                g.stakes[step] = StakeAtStep(g.id, step, settings_, es637s_);
                if (g.stakes[step] != g.stakes[0]) g.constantStake = false;
            }
            groups_.push_back(g);
        }
        words_ = word;
        // A group without the absence rule reads bound -1 at both ends: no spin is that recent.
        ageBounds_.push_back(-1);
        for (const GroupRun& g : groups_)
            if (g.absence) {
                ageBounds_.push_back(g.high);
                ageBounds_.push_back(g.low - 1);
            }
        std::sort(ageBounds_.begin(), ageBounds_.end());
        ageBounds_.erase(std::unique(ageBounds_.begin(), ageBounds_.end()), ageBounds_.end());
        for (GroupRun& g : groups_) {
            auto at = [&](std::int64_t bound) {
                return static_cast<std::uint8_t>(
                    std::lower_bound(ageBounds_.begin(), ageBounds_.end(), bound) - ageBounds_.begin());
            };
            g.highBound = g.absence ? at(g.high) : at(-1);
            g.lowBound = g.absence ? at(g.low - 1) : at(-1);
        }
    }

    void BuildTables() {
        // Entries are in group order, so the members of a number within one group form a contiguous run.
        for (unsigned z = 0; z < 37; ++z) {
            for (std::size_t g = 0; g < groups_.size(); ++g) {
                groupMemberStart_[z][g] = static_cast<std::int32_t>(members_.size());
                for (std::int32_t j = groups_[g].first; j < groups_[g].end; ++j)
                    if (list_.sets[j].Contains(z)) members_.push_back(j);
            }
            groupMemberStart_[z][groups_.size()] = static_cast<std::int32_t>(members_.size());
        }
        // Per number (and a last row for spins that hit nothing) the entries holding it, as bits.
        memberBits_.assign(static_cast<std::size_t>(38 * words_), 0);
        groupMask_.assign(static_cast<std::size_t>(words_), 0);
        wordGroup_.assign(static_cast<std::size_t>(words_), 0);
        for (std::int32_t j = 0; j < n_; ++j) {
            const auto [w, bit] = BitOf(j);
            groupMask_[w] |= Word{1} << bit;
            wordGroup_[w] = entryGroup_[j];
            for (unsigned z = 0; z < 37; ++z)
                if (list_.sets[j].Contains(z)) memberBits_[z * words_ + w] |= Word{1} << bit;
        }
        // Rows 0..37 as the numbers are ORed in, then one of every entry; per word its group's bounds.
        hitWithin_.assign(static_cast<std::size_t>(39 * words_), 0);
        allEntries_ = 38 * words_;
        everyEntryHoldsANumber_ = true;
        for (std::int32_t w = 0; w < words_; ++w) {
            Word held = 0;
            for (unsigned z = 0; z < 37; ++z) held |= memberBits_[z * words_ + w];
            everyEntryHoldsANumber_ = everyEntryHoldsANumber_ && held == groupMask_[w];
        }
        std::copy(groupMask_.begin(), groupMask_.end(), hitWithin_.begin() + allEntries_);
        boundRow_.assign(ageBounds_.size(), 0);
        for (const GroupRun& g : groups_)
            for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
                wordHighBound_.push_back(g.highBound);
                wordLowBound_.push_back(g.lowBound);
            }
        rate_.assign(static_cast<std::size_t>(words_), 0);
        absent_.assign(static_cast<std::size_t>(words_), 0);
        ruled_.assign(static_cast<std::size_t>(words_), 0);
        ruledBefore_.assign(static_cast<std::size_t>(words_), 0);
        // Each entry's positions with their multiplicity.
        placementStart_.push_back(0);
        for (std::int32_t j = 0; j < n_; ++j) {
            const auto list = PlacementList(list_.slots[j]);
            for (std::size_t i = 0; i < list.size(); ++i) {
                if (std::find(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(i), list[i]) !=
                    list.begin() + static_cast<std::ptrdiff_t>(i))
                    continue;
                placement_.push_back(
                    {list[i], static_cast<std::uint8_t>(std::count(list.begin(), list.end(), list[i]))});
            }
            placementStart_.push_back(static_cast<std::int32_t>(placement_.size()));
        }
        entryPositions_.assign(static_cast<std::size_t>(n_), {});
        for (std::int32_t j = 0; j < n_; ++j)
            for (std::int32_t t = placementStart_[j]; t < placementStart_[j + 1]; ++t)
                entryPositions_[j][placement_[t].position / kWordBits] |=
                    Word{1} << (placement_[t].position % kWordBits);
        for (GroupRun& g : groups_) {
            std::vector<std::uint8_t> positions;  // the group's, ascending
            g.terms = placementStart_[g.end] - placementStart_[g.first];
            for (std::int32_t t = placementStart_[g.first]; t < placementStart_[g.end]; ++t)
                positions.push_back(placement_[t].position);
            std::sort(positions.begin(), positions.end());
            positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
            for (std::size_t i = 0; i < positions.size(); ++i) {
                for (int level = 1;; ++level) {
                    std::vector<Word> mask(static_cast<std::size_t>(g.words), 0);
                    bool any = false;
                    for (std::int32_t j = g.first; j < g.end; ++j)
                        for (std::int32_t t = placementStart_[j]; t < placementStart_[j + 1]; ++t)
                            if (placement_[t].position == positions[i] && placement_[t].count >= level) {
                                mask[static_cast<std::size_t>((j - g.first) / kWordBits)] |=
                                    Word{1} << ((j - g.first) % kWordBits);
                                any = true;
                            }
                    if (!any) break;
                    g.rowPosition.push_back(positions[i]);
                    g.rowMasks.insert(g.rowMasks.end(), mask.begin(), mask.end());
                }
            }
            g.rowCount.assign(g.rowPosition.size(), 0);
            for (const std::uint8_t p : positions)
                g.positionBits[p / kWordBits] |= Word{1} << (p % kWordBits);
        }
    }

    // T(s + 1) and W(s + 1) from T(s) and W(s).
    static std::pair<std::int64_t, std::int64_t> NextStep(StepRule rule, std::int64_t t, std::int64_t w,
                                                          std::int64_t first) {
        switch (rule) {
            case StepRule::Double:
                return StepOn<StepRule::Double>(t, w, first, 1);
            case StepRule::Triple:
                return StepOn<StepRule::Triple>(t, w, first, 1);
            case StepRule::DoubleAndFirst:
                return StepOn<StepRule::DoubleAndFirst>(t, w, first, 1);
            case StepRule::AddFirst:
                return StepOn<StepRule::AddFirst>(t, w, first, 1);
            case StepRule::Fibonacci:
                break;
        }
        return StepOn<StepRule::Fibonacci>(t, w, first, 1);
    }

    // Which groups are placed by steps, and how. A group qualifies when its stakes T(s) follow one of the
    // step rules exactly up to a cap step K and stay T(K) from there on. The stakes are read from the
    // defining StakeAtStep itself. With a first stake above 0 every technique's exact value rises with the
    // step until it saturates, so a stake (the value capped by a maximum, clamped to its step or saturated)
    // that stays the same over two steps past the rule's end stays so for good: the scan up to
    // kStakeCacheSteps proves the cap. The linear rule may climb beyond the scan; the cap is then where the
    // stake first leaves the line, found by bisection (leaving it is for good, by the same rise), and a
    // group qualifies without a ring only when no run reaches that step.
    void BuildSteps(std::int64_t spins) {
        if (oneChance_) return;
        std::vector<std::int32_t> termCell(placement_.size(), -1);
        const auto stakeAt = [&](const GroupRun& g, std::int64_t step) -> std::int64_t {
            return StakeAtStep(g.id, static_cast<int>(std::min<std::int64_t>(step, kStepLimit)), settings_,
                               es637s_);
        };
        for (GroupRun& g : groups_) {
            if (g.constantStake || g.stakes[0] <= 0) continue;
            const std::int64_t first = g.stakes[0];
            StepRule best{};
            std::int64_t bestEnd = -1;
            for (const StepRule rule : kStepRules) {
                std::int64_t t = first, w = first, s = 0;
                for (; s < kStakeCacheSteps && t == g.stakes[static_cast<std::size_t>(s)]; ++s)
                    std::tie(t, w) = NextStep(rule, t, w, first);
                if (s > bestEnd) best = rule, bestEnd = s;
            }
            std::int64_t cap = bestEnd;
            bool ringed = true;
            if (cap == kStakeCacheSteps - 1) continue;  // a cap needs two steps of the scan
            if (cap == kStakeCacheSteps) {
                if (best != StepRule::AddFirst) continue;
                // First s with T(s) != first * (s + 1); kStepLimit + 1 when none.
                std::int64_t lo = kStakeCacheSteps - 1, hi = kStepLimit + 1;
                while (lo + 1 < hi) {
                    const std::int64_t mid = lo + (hi - lo) / 2;
                    (stakeAt(g, mid) != first * (mid + 1) ? hi : lo) = mid;
                }
                cap = hi;
                if (cap < spins) continue;
                ringed = false;
            } else {
                bool flat = true;
                for (std::int64_t s = cap; s < kStakeCacheSteps; ++s)
                    flat = flat &&
                           g.stakes[static_cast<std::size_t>(s)] == g.stakes[static_cast<std::size_t>(cap)];
                if (!flat) continue;
            }
            g.stepped = true;
            g.rule = best;
            g.capStep = cap;
            g.capStake = ringed ? g.stakes[static_cast<std::size_t>(cap)] : 0;
            g.firstStake = first;
            g.ringed = ringed;
            std::int64_t t = first, w = first;
            for (std::int64_t s = 0; s < std::min<std::int64_t>(cap, kStakeCacheSteps); ++s) {
                g.stepStake.push_back(t);
                g.stepBefore.push_back(w);
                std::tie(t, w) = NextStep(best, t, w, first);
            }
            if (ringed) {
                g.ringRows = static_cast<std::int64_t>(std::bit_ceil(static_cast<std::uint64_t>(cap)));
                g.ring.assign(static_cast<std::size_t>(g.ringRows * g.words), 0);
            }
            // The group's cells: its positions, and per placement term of its entries the cell it adds to.
            std::array<std::int32_t, kPositionCount> cellOf;
            cellOf.fill(-1);
            g.cellFirst = static_cast<std::int32_t>(cellPosition_.size());
            for (std::int32_t t2 = placementStart_[g.first]; t2 < placementStart_[g.end]; ++t2) {
                const std::uint8_t p = placement_[t2].position;
                if (cellOf[p] < 0) {
                    cellOf[p] = static_cast<std::int32_t>(cellPosition_.size());
                    cellPosition_.push_back(p);
                }
                termCell[static_cast<std::size_t>(t2)] = cellOf[p];
            }
            g.cellEnd = static_cast<std::int32_t>(cellPosition_.size());
            for (const std::uint8_t p : g.rowPosition) g.rowCell.push_back(cellOf[p]);
        }
        // Each entry's cells, a cell as often as the entry lies on its position.
        stepTermStart_.assign(static_cast<std::size_t>(n_) + 1, 0);
        for (std::int32_t j = 0; j < n_; ++j) {
            stepTermStart_[static_cast<std::size_t>(j)] = static_cast<std::int32_t>(stepTerms_.size());
            for (std::int32_t t = placementStart_[j]; t < placementStart_[j + 1]; ++t)
                if (termCell[static_cast<std::size_t>(t)] >= 0)
                    stepTerms_.insert(stepTerms_.end(), placement_[t].count,
                                      static_cast<Cell>(termCell[static_cast<std::size_t>(t)]));
        }
        stepTermStart_[static_cast<std::size_t>(n_)] = static_cast<std::int32_t>(stepTerms_.size());
        for (GroupRun& g : groups_) {
            g.stepTerms = stepTermStart_[g.end] - stepTermStart_[g.first];
            g.entryTerms = g.end > g.first ? stepTermStart_[g.first + 1] - stepTermStart_[g.first] : 0;
            for (std::int32_t j = g.first; j < g.end; ++j)
                if (stepTermStart_[j + 1] - stepTermStart_[j] != g.entryTerms) g.entryTerms = 0;
        }
        const std::size_t cells = cellPosition_.size();
        cellSum_.assign(cells, 0);
        cellBefore_.assign(cells, 0);
        cellCount_.assign(cells, 0);
        cellCapped_.assign(cells, 0);
        cellPlaced_.assign(cells, 0);
        cellDelta_.assign(cells, 0);
    }

    std::pair<std::int32_t, int> BitOf(std::int32_t j) const {
        const GroupRun& g = groups_[entryGroup_[j]];
        return {g.word + (j - g.first) / kWordBits, (j - g.first) % kWordBits};
    }
    std::int32_t EntryOf(std::int32_t w, int bit) const {
        const GroupRun& g = groups_[wordGroup_[w]];
        return g.first + (w - g.word) * kWordBits + bit;
    }
    static bool Test(const std::vector<Word>& bits, std::pair<std::int32_t, int> at) {
        return (bits[at.first] >> at.second & 1) != 0;
    }

    // The hit counts whose rate lies within the group's rate bounds at spin k; false when the rule does not
    // apply.
    bool RateBand(const GroupRun& g, std::int64_t k, std::int64_t& lo, std::int64_t& hi) const {
        lo = 1;
        hi = 0;
        const RateRuleBounds b = RateRuleBoundsOf(settings_.Of(g.id), true, g.rateStart,
                                                  static_cast<std::int32_t>(k), LastWindowLimit::OwnValue);
        if (!b.applies) return false;
        // The rate is monotone in the hits for a fixed spin count: walk from where the bound puts them.
        auto guess = [&](std::int64_t bound) {
            return std::clamp<std::int64_t>(std::clamp<std::int64_t>(bound, 0, 100000) * k / 100000, 0, k);
        };
        std::int64_t l = guess(b.lower);
        while (l > 0 && RateAtLeast(l - 1, k, b.lower)) --l;
        while (l <= k && !RateAtLeast(l, k, b.lower)) ++l;
        std::int64_t h = guess(b.upper);
        while (h < k && RateAtMost(h + 1, k, b.upper)) ++h;
        while (h >= 0 && !RateAtMost(h, k, b.upper)) --h;
        lo = l;
        hi = h;
        return true;
    }

    // The first spin after k at which the group's rate rule changes its window, its lower bound or whether
    // it applies.
    std::int64_t NextRateBoundary(const GroupRun& g, std::int64_t k) const {
        const GroupSettings& gs = settings_.Of(g.id);
        std::int64_t next = std::numeric_limits<std::int64_t>::max();
        auto consider = [&](std::int64_t spin) {
            if (spin > k) next = std::min(next, spin);
        };
        consider(std::int64_t{g.rateStart} - gs.absenceSpan);
        consider(g.rateStart);
        for (const std::int32_t until : gs.rateUntil) {
            consider(std::int64_t{until} + 1);
            consider(std::int64_t{until} - gs.absenceSpan + 1);
        }
        return next;
    }

    // Exact hits of the group's entries from the counts of the numbers, and their rate bits.
    void SyncRateGroup(GroupRun& g, std::int64_t lo, std::int64_t hi) {
        g.minHits = std::numeric_limits<std::int64_t>::max();
        g.maxHits = 0;
        for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
            Word bits = 0;
            const std::int32_t first = g.first + (w - g.word) * kWordBits;
            const std::int32_t last = std::min(first + kWordBits, g.end);
            for (std::int32_t e = first; e < last; ++e) {
                std::int64_t h = 0;
                ForEachBit(list_.sets[e].words[0], [&](int z) { h += numberHits_[z]; });
                hits_[e] = h;
                g.minHits = std::min(g.minHits, h);
                g.maxHits = std::max(g.maxHits, h);
                bits |= Word{lo <= h && h <= hi} << (e - first);
            }
            rate_[w] = bits;
        }
        g.lo = lo;
        g.hi = hi;
        g.tracked = true;
    }

    // An untracked group: whether the rule now needs the entries' hits.
    void CheckUntracked(GroupRun& g, std::size_t gi, std::int64_t k) {
        if (k < g.nextCheck) return;
        std::int64_t lo, hi;
        if (!RateBand(g, k, lo, hi)) {
            g.nextCheck = NextRateBoundary(g, k);
            return;
        }
        // The lower bound only rises within a window while the hits rise by at most one a spin.
        const std::int64_t maxHits = g.maxHits + (k - g.syncSpin);
        if (lo > maxHits && lo <= hi) {
            g.nextCheck = std::min(k + (lo - maxHits), NextRateBoundary(g, k));
        } else if (lo > hi || hi < g.minHits) {
            g.nextCheck = k + 1;
        } else {
            SyncRateGroup(g, lo, hi);
            bandLo_[gi] = lo;
            bandHi_[gi] = hi;
        }
    }

    // After the bounds moved: the rate bits of entries whose hits entered or left them. The entries hit on
    // this spin already carry the new bounds.
    void MoveRateBand(GroupRun& g, std::int64_t lo, std::int64_t hi) {
        const std::int64_t oldLo = g.lo, oldHi = g.hi;
        g.lo = lo;
        g.hi = hi;
        if (lo == oldLo && hi == oldHi) return;
        // The hit counts inside exactly one of the two bounds.
        std::int64_t ranges[4][2];
        int count = 0;
        auto add = [&](std::int64_t a, std::int64_t b) {
            a = std::max(a, g.minHits);
            b = std::min(b, g.maxHits);
            if (a <= b) ranges[count][0] = a, ranges[count][1] = b, ++count;
        };
        if (oldLo > oldHi || lo > hi) {
            add(oldLo, oldHi);
            add(lo, hi);
        } else {
            add(oldLo, std::min(oldHi, lo - 1));
            add(std::max(oldLo, hi + 1), oldHi);
            add(lo, std::min(hi, oldLo - 1));
            add(std::max(lo, oldHi + 1), hi);
        }
        if (count == 0) return;
        std::int64_t minHits = std::numeric_limits<std::int64_t>::max();
        for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
            Word bits = 0;
            const std::int32_t first = g.first + (w - g.word) * kWordBits;
            const std::int32_t last = std::min(first + kWordBits, g.end);
            for (std::int32_t e = first; e < last; ++e) {
                const std::int64_t h = hits_[e];
                minHits = std::min(minHits, h);
                bits |= Word{lo <= h && h <= hi} << (e - first);
            }
            rate_[w] = bits;
        }
        g.minHits = minHits;
    }

    // Counting and both rules: afterwards `absent_`, `rate_` and `ruled_` hold this spin's rule states.
    [[gnu::always_inline]] void Count(std::int64_t k, unsigned x) {
        const bool hit = x <= 36;
        if (hit) {
            // Numbers by their last spin, latest first.
            auto at =
                std::find(recent_.begin(), recent_.begin() + recentCount_, static_cast<std::uint8_t>(x));
            if (at == recent_.begin() + recentCount_) ++recentCount_;
            std::copy_backward(recent_.begin(), at, at + 1);
            recent_[0] = static_cast<std::uint8_t>(x);
            lastSpin_[x] = k;
        }
        if (hit) ++numberHits_[x];
        for (GroupRun& g : groups_) {
            const auto gi = &g - groups_.data();
            if (!g.tracked) {
                CheckUntracked(g, static_cast<std::size_t>(gi), k);
                continue;
            }
            if (g.rate) RateBand(g, k, bandLo_[gi], bandHi_[gi]);
            if (!hit || !(g.rate || oneChance_)) continue;
            // Hits and last hits are kept where a rule or the choice of one chance reads them.
            const std::int64_t lo = bandLo_[gi], hi = bandHi_[gi];
            for (std::int32_t m = groupMemberStart_[x][gi]; m < groupMemberStart_[x][gi + 1]; ++m) {
                const std::int32_t j = members_[m];
                if (oneChance_) {
                    // A band that includes 0 keeps its run through a hit unless the absence passed its top.
                    if (k - 1 - lastHit_[j] > g.high) runStart_[j] = k;
                    lastHit_[j] = k;
                }
                const std::int64_t h = ++hits_[j];
                if (g.rate) {
                    g.maxHits = std::max(g.maxHits, h);
                    const auto [w, bit] = BitOf(j);
                    rate_[w] = (rate_[w] & ~(Word{1} << bit)) | Word{lo <= h && h <= hi} << bit;
                }
            }
        }
        std::swap(ruled_, ruledBefore_);
        // Per bound the row of the entries hit within it: how many of the latest numbers it reaches, their
        // member bits ORed up. Every entry while the spins do not reach the bound yet (spin 0 counts as a hit
        // of every entry), and every entry once it reaches all 37 numbers, where every entry holds one; the
        // rows are ORed only as far as the other bounds read them.
        int rows = 0;
        for (std::size_t b = 0, i = 0; b < ageBounds_.size(); ++b) {
            while (static_cast<int>(i) < recentCount_ && k - lastSpin_[recent_[i]] <= ageBounds_[b]) ++i;
            const bool all = k <= ageBounds_[b] || (i == 37 && everyEntryHoldsANumber_);
            boundRow_[b] = all ? allEntries_ : static_cast<std::int32_t>(i) * words_;
            if (!all) rows = static_cast<int>(i);
        }
        for (int r = 0; r < rows; ++r) {
            const Word* row = memberBits_.data() + recent_[r] * words_;
            const Word* before = &hitWithin_[static_cast<std::size_t>(r * words_)];
            Word* after = &hitWithin_[static_cast<std::size_t>((r + 1) * words_)];
            for (std::int32_t w = 0; w < words_; ++w) after[w] = before[w] | row[w];
        }
        for (GroupRun& g : groups_) {
            const auto gi = &g - groups_.data();
            if (g.rate && g.tracked) {
                const std::int64_t lo = bandLo_[gi], hi = bandHi_[gi];
                MoveRateBand(g, lo, hi);
                // Bounds clear of every entry's hits: every rate bit is 0 and stays so while they are.
                if (!oneChance_ && (lo > hi || lo > g.maxHits || hi < g.minHits)) {
                    g.tracked = false;
                    g.syncSpin = k;
                    g.nextCheck = k + 1;
                }
            }
        }
        // Absence within [low, high]: a hit within the last high + 1 spins, none within the last low. Word by
        // word, each with its group's bounds (a group without the rule reads an empty row for both).
        for (std::int32_t w = 0; w < words_; ++w) {
            absent_[w] =
                hitWithin_[boundRow_[wordHighBound_[w]] + w] & ~hitWithin_[boundRow_[wordLowBound_[w]] + w];
            ruled_[w] = absent_[w] | rate_[w];
        }
    }

    [[gnu::always_inline]] std::int32_t StakeOf(const GroupRun& g, std::int64_t step) const {
        if (step < kStakeCacheSteps) return g.stakes[static_cast<std::size_t>(step)];
        const int clamped = static_cast<int>(std::min<std::int64_t>(step, std::numeric_limits<int>::max()));
        return StakeAtStep(g.id, clamped, settings_, es637s_);
    }

    [[gnu::always_inline]] void PlaceTerms(std::int32_t j, std::int64_t delta) {
        for (std::int32_t t = placementStart_[j]; t < placementStart_[j + 1]; ++t)
            raw_[placement_[t].position] += delta * placement_[t].count;
    }

    [[gnu::always_inline]] void Place(std::int32_t j, std::int64_t delta) {
        PlaceTerms(j, delta);
        for (int i = 0; i < 3; ++i) dirty_[i] |= entryPositions_[j][i];
        placedChanged_ = true;
    }

    [[gnu::always_inline]] void SetStake(std::int32_t j, std::int32_t stake) {
        if (stake == stake_[j]) return;
        Place(j, std::int64_t{stake} - stake_[j]);
        stake_[j] = stake;
    }

    // The group's placement counted afresh, row by row; the difference goes onto the table. Without valid
    // counts the rows of the entries in play before are counted too. `Words` fixes the group's word count
    // where it is known (0: read it), so that the count of a row is straight-line code.
    template <bool Valid, int Words>
    [[gnu::always_inline]] void PlaceByCount(GroupRun& g) {
        std::array<Word, kMaxGroupWords> now, was;  // local: the table sums below cannot alias them
        const std::int32_t words = Words ? Words : g.words;
        std::copy_n(&ruled_[g.word], words, now.begin());
        std::copy_n(&ruledBefore_[g.word], words, was.begin());
        const Word* mask = g.rowMasks.data();
        std::int32_t* rowCount = g.rowCount.data();
        const std::uint8_t* rowPosition = g.rowPosition.data();
        const std::int64_t stake = g.stakes[0];
        const auto rows = static_cast<std::int32_t>(g.rowPosition.size());
        std::int32_t moved = 0;
        for (std::int32_t r = 0; r < rows; ++r, mask += words) {
            std::int32_t count = 0, before = rowCount[r];
            if (!Valid) before = 0;
            for (std::int32_t w = 0; w < words; ++w) {
                count += std::popcount(now[w] & mask[w]);
                if (!Valid) before += std::popcount(was[w] & mask[w]);
            }
            rowCount[r] = count;
            raw_[rowPosition[r]] += stake * (count - before);
            moved |= count - before;
        }
        if (moved) {
            for (int i = 0; i < 3; ++i) dirty_[i] |= g.positionBits[i];
            placedChanged_ = true;
        }
        g.countValid = true;
    }

    template <int Words = 1>
    [[gnu::always_inline]] void PlaceByCount(GroupRun& g) {
        if constexpr (Words <= kMaxWordsOfAGroup) {
            if (g.words != Words) return PlaceByCount<Words + 1>(g);
            g.countValid ? PlaceByCount<true, Words>(g) : PlaceByCount<false, Words>(g);
        } else {
            g.countValid ? PlaceByCount<true, 0>(g) : PlaceByCount<false, 0>(g);
        }
    }

    // Only these rules read how many entries a cell holds below the cap.
    static constexpr bool CountsEntries(StepRule rule) {
        return rule == StepRule::DoubleAndFirst || rule == StepRule::AddFirst;
    }

    // T(s) of a step below the cap. The linear rule's T(s) is first * (s + 1) by its definition; the
    // others have their cap within the table.
    template <StepRule Rule>
    [[gnu::always_inline]] static std::int64_t StepStake(const GroupRun& g, std::int64_t step) {
        if constexpr (Rule == StepRule::AddFirst) return g.firstStake * (step + 1);
        return g.stepStake[static_cast<std::size_t>(step)];
    }

    // Entry j, at step `step`, into (sign 1) or out of (sign -1) the cells of its group.
    template <StepRule Rule>
    [[gnu::always_inline]] void MoveEntry(const GroupRun& g, std::int32_t j, std::int64_t step,
                                          std::int64_t sign) {
        if (step >= g.capStep) {
            // A plain loop: through ForEachCell this rarer move made the whole spin measure slower.
            const Cell* cell = stepTerms_.data() + stepTermStart_[static_cast<std::size_t>(j)];
            const Cell* const end = stepTerms_.data() + stepTermStart_[static_cast<std::size_t>(j) + 1];
            for (; cell < end; ++cell) cellCapped_[*cell] += sign;
            return;
        }
        MoveBelowCap<Rule>(g, j, step, sign);
    }

    template <StepRule Rule>
    [[gnu::always_inline]] void MoveBelowCap(const GroupRun& g, std::int32_t j, std::int64_t step,
                                             std::int64_t sign) {
        const std::int64_t stake = sign * StepStake<Rule>(g, step);
        std::int64_t* const sum = cellSum_.data();
        const Cell* const terms = stepTerms_.data();
        const std::int32_t* const termStart = stepTermStart_.data();
        if constexpr (Rule == StepRule::Fibonacci) {
            const std::int64_t before = sign * g.stepBefore[static_cast<std::size_t>(step)];
            std::int64_t* const sumBefore = cellBefore_.data();
            ForEachCell(terms, termStart, j, g.entryTerms, [&](std::int32_t c) ZENTORA_INLINE_LAMBDA {
                sum[c] += stake;
                sumBefore[c] += before;
            });
        } else if constexpr (CountsEntries(Rule)) {
            std::int64_t* const count = cellCount_.data();
            ForEachCell(terms, termStart, j, g.entryTerms, [&](std::int32_t c) ZENTORA_INLINE_LAMBDA {
                sum[c] += stake;
                count[c] += sign;
            });
        } else {
            ForEachCell(terms, termStart, j, g.entryTerms,
                        [&](std::int32_t c) ZENTORA_INLINE_LAMBDA { sum[c] += stake; });
        }
    }

    // The entries whose play starts this spin into their cells at step 0, counted per mask row: a row of
    // level m holds the entries lying on its position at least m times, so the counts add up to the
    // entries' cell terms.
    // `Words` fixes the group's word count where it is known (0: read it), so that a row's count is
    // straight-line code.
    template <StepRule Rule, int Words>
    [[gnu::always_inline]] void StartWordsByCount(const GroupRun& g) {
        std::array<Word, kMaxGroupWords> starting;
        const std::int32_t words = Words ? Words : g.words;
        for (std::int32_t i = 0; i < words; ++i)
            starting[static_cast<std::size_t>(i)] = ruled_[g.word + i] & ~ruledBefore_[g.word + i];
        const std::int64_t stake = StepStake<Rule>(g, 0);
        const Word* mask = g.rowMasks.data();
        std::int64_t* const sum = cellSum_.data();
        for (const std::int32_t cell : g.rowCell) {
            std::int64_t count = 0;
            for (std::int32_t i = 0; i < words; ++i)
                count += std::popcount(starting[static_cast<std::size_t>(i)] & mask[i]);
            mask += words;
            sum[cell] += stake * count;
            if constexpr (Rule == StepRule::Fibonacci) cellBefore_[cell] += g.stepBefore[0] * count;
            if constexpr (CountsEntries(Rule)) cellCount_[cell] += count;
        }
    }

    template <StepRule Rule, int Words = 1>
    [[gnu::always_inline]] void StartByCount(const GroupRun& g) {
        if constexpr (Words <= kMaxWordsOfAGroup) {
            if (g.words != Words) return StartByCount<Rule, Words + 1>(g);
            StartWordsByCount<Rule, Words>(g);
        } else {
            StartWordsByCount<Rule, 0>(g);
        }
    }

    // Every cell of the group a step on.
    template <StepRule Rule>
    [[gnu::always_inline]] void AdvanceCells(const GroupRun& g) {
        const std::int64_t first = g.firstStake;
        std::int64_t* sum = cellSum_.data();
        std::int64_t* before = cellBefore_.data();
        const std::int64_t* count = cellCount_.data();
        for (std::int32_t c = g.cellFirst; c < g.cellEnd; ++c) {
            // Only the Fibonacci numbers read and keep W, and only two rules read the counts.
            const auto [t, w] = StepOn<Rule>(sum[c], Rule == StepRule::Fibonacci ? before[c] : 0, first,
                                             CountsEntries(Rule) ? count[c] : 0);
            sum[c] = t;
            if constexpr (Rule == StepRule::Fibonacci) before[c] = w;
        }
    }

    // Each cell's total onto its position; returns the deltas ORed. The totals in a pass the processor can
    // widen, then the changes onto the positions: a group's cells lie on distinct positions, and none of
    // these arrays shares memory with another.
    template <bool WithCapped>
    [[gnu::always_inline]] static std::int64_t PlaceCells(
        const std::int64_t* __restrict sum, const std::int64_t* __restrict capped, std::int64_t capStake,
        std::int64_t* __restrict placed, std::int64_t* __restrict delta,
        const std::uint8_t* __restrict position, std::int64_t* __restrict raw, std::int32_t first,
        std::int32_t end) {
        std::int64_t moved = 0;
        for (std::int32_t c = first; c < end; ++c) {
            std::int64_t total = sum[c];
            if constexpr (WithCapped) total += capped[c] * capStake;
            delta[c] = total - placed[c];
            placed[c] = total;
            moved |= delta[c];
        }
        if (moved != 0) {
#pragma GCC unroll 4
            for (std::int32_t c = first; c < end; ++c) raw[position[c]] += delta[c];
        }
        return moved;
    }

    // A group placed by steps through spin k: out go the entries that left play, at the steps they stood on;
    // the entries reaching the cap join the capped; the rest move on a step; the entries hit in play go back
    // to step 0, and in come the entries whose play starts, at step 0. Then each cell's total onto its
    // position.
    template <StepRule Rule>
    [[gnu::always_inline]] void StepGroup(GroupRun& g, std::int64_t k, const Word* spun) {
        const auto ringMask = static_cast<std::int64_t>(g.ringRows - 1);
        const auto words = static_cast<std::size_t>(g.words);
        Word* const ring = g.ring.data();
        for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
            const std::int32_t base = g.first + (w - g.word) * kWordBits;
            ForEachBit(ruledBefore_[w] & ~ruled_[w], [&](int bit) ZENTORA_INLINE_LAMBDA {
                const std::int32_t j = base + bit;
                MoveEntry<Rule>(g, j, k - 1 - stepBase_[j], -1);
            });
        }
        const std::size_t row = g.ringed ? static_cast<std::size_t>(k & ringMask) * words : 0;
        if (g.ringed) {
            // The entries that started at spin k - capStep and stayed in play now reach the cap. A ring bit
            // is not cleared when its entry leaves or starts again: the entry's first spin tells.
            const std::int64_t start = k - g.capStep;
            const std::size_t capped = static_cast<std::size_t>(start & ringMask) * words;
            for (std::size_t i = 0; i < words; ++i) {
                const std::int32_t base = g.first + static_cast<std::int32_t>(i) * kWordBits;
                const std::size_t w = static_cast<std::size_t>(g.word) + i;
                ForEachBit(ring[capped + i] & ruledBefore_[w] & ruled_[w],
                           [&](int bit) ZENTORA_INLINE_LAMBDA {
                               const std::int32_t j = base + bit;
                               if (stepBase_[j] != start) return;
                               MoveEntry<Rule>(g, j, g.capStep - 1, -1);
                               MoveEntry<Rule>(g, j, g.capStep, 1);
                           });
                ring[capped + i] = 0;
            }
        }
        AdvanceCells<Rule>(g);
        const std::int64_t capStep = g.capStep, first = g.firstStake;
        const std::int32_t entryTerms = g.entryTerms;
        const std::int64_t* const stakes = g.stepStake.data();
        const std::int64_t* const befores = g.stepBefore.data();
        std::int64_t* const sum = cellSum_.data();
        std::int64_t* const sumBefore = cellBefore_.data();
        const Cell* const terms = stepTerms_.data();
        const std::int32_t* const termStart = stepTermStart_.data();
        std::int64_t* const stepBase = stepBase_.data();
        // Many entries starting at once are added by counting, row by row as for a group of one stake (they
        // all stand on step 0); few one by one.
        std::int64_t starting = 0;
        for (std::int32_t w = g.word; w < g.word + g.words; ++w)
            starting += std::popcount(ruled_[w] & ~ruledBefore_[w]);
        const auto rows = static_cast<std::int64_t>(g.rowCell.size());
        const bool startByCount = starting * g.stepTerms * kTermCost > rows * g.words * (g.end - g.first);
        for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
            const Word now = ruled_[w], was = ruledBefore_[w];
            const std::int32_t base = g.first + (w - g.word) * kWordBits;
            const auto i = static_cast<std::size_t>(w - g.word);
            ForEachBit(now & was & spun[w], [&](int bit) ZENTORA_INLINE_LAMBDA {
                const std::int32_t j = base + bit;
                const std::int64_t step = k - stepBase[j];  // where the step on took it
                if (step < capStep) {
                    // The most frequent move of all: with the group's figures in locals, which the sums
                    // written cannot alias.
                    std::int64_t stake;
                    if constexpr (Rule == StepRule::AddFirst)
                        stake = first - first * (step + 1);
                    else
                        stake = first - stakes[step];
                    if constexpr (Rule == StepRule::Fibonacci) {
                        const std::int64_t before = first - befores[step];
                        ForEachCell(terms, termStart, j, entryTerms,
                                    [&](std::int32_t c) ZENTORA_INLINE_LAMBDA {
                                        sum[c] += stake;
                                        sumBefore[c] += before;
                                    });
                    } else {
                        ForEachCell(terms, termStart, j, entryTerms,
                                    [&](std::int32_t c) ZENTORA_INLINE_LAMBDA { sum[c] += stake; });
                    }
                } else {
                    MoveEntry<Rule>(g, j, step, -1);
                    MoveEntry<Rule>(g, j, 0, 1);
                }
                stepBase[j] = k;
            });
            if (startByCount) {
                ForEachBit(now & ~was, [&](int bit) ZENTORA_INLINE_LAMBDA { stepBase[base + bit] = k; });
            } else {
                ForEachBit(now & ~was, [&](int bit) ZENTORA_INLINE_LAMBDA {
                    const std::int32_t j = base + bit;
                    stepBase[j] = k;
                    MoveBelowCap<Rule>(g, j, 0, 1);
                });
            }
            if (g.ringed) ring[row + i] |= now & (~was | spun[w]);
        }
        if (startByCount) StartByCount<Rule>(g);
        std::int64_t moved = 0;  // the deltas ORed
        const std::int64_t capStake = g.capStake;
        const std::int64_t* const capped = cellCapped_.data();
        std::int64_t* const placed = cellPlaced_.data();
        const std::uint8_t* const position = cellPosition_.data();
        // Without a ring no entry reaches the cap.
        if (g.ringed)
            moved = PlaceCells<true>(sum, capped, capStake, placed, cellDelta_.data(), position, raw_.data(),
                                     g.cellFirst, g.cellEnd);
        else
            moved = PlaceCells<false>(sum, capped, capStake, placed, cellDelta_.data(), position, raw_.data(),
                                      g.cellFirst, g.cellEnd);
        if (moved != 0) {
            for (int i = 0; i < 3; ++i) dirty_[i] |= g.positionBits[i];
            placedChanged_ = true;
        }
    }

    [[gnu::always_inline]] void UpdateStakes(std::int64_t k, unsigned x) {
        const Word* spun = memberBits_.data() + std::min(x, kNoNumber) * words_;
        for (GroupRun& g : groups_) {
            if (g.constantStake) {
                if (g.stakes[0] == 0) continue;
                // Normal play: an entry is staked while a rule holds. Few changes are placed term by term,
                // many by counting.
                std::int64_t changes = 0;
                for (std::int32_t w = g.word; w < g.word + g.words; ++w)
                    changes += std::popcount(ruled_[w] ^ ruledBefore_[w]);
                if (changes == 0) continue;
                const std::int64_t countCost =
                    static_cast<std::int64_t>(g.rowPosition.size()) * g.words * (g.countValid ? 1 : 2);
                if (changes * g.terms * kTermCost > countCost * (g.end - g.first)) {
                    PlaceByCount(g);
                    continue;
                }
                g.countValid = false;
                const std::int32_t stake = g.stakes[0];
                for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
                    const Word now = ruled_[w], was = ruledBefore_[w];
                    const std::int32_t base = g.first + (w - g.word) * kWordBits;
                    ForEachBit(now & ~was, [&](int bit) { PlaceTerms(base + bit, stake); });
                    ForEachBit(was & ~now, [&](int bit) { PlaceTerms(base + bit, -std::int64_t{stake}); });
                }
                for (int i = 0; i < 3; ++i) dirty_[i] |= g.positionBits[i];
                placedChanged_ = true;
                continue;
            }
            if (g.stepped) {
                switch (g.rule) {
                    case StepRule::Double:
                        StepGroup<StepRule::Double>(g, k, spun);
                        break;
                    case StepRule::Triple:
                        StepGroup<StepRule::Triple>(g, k, spun);
                        break;
                    case StepRule::DoubleAndFirst:
                        StepGroup<StepRule::DoubleAndFirst>(g, k, spun);
                        break;
                    case StepRule::AddFirst:
                        StepGroup<StepRule::AddFirst>(g, k, spun);
                        break;
                    case StepRule::Fibonacci:
                        StepGroup<StepRule::Fibonacci>(g, k, spun);
                        break;
                }
                continue;
            }
            for (std::int32_t w = g.word; w < g.word + g.words; ++w) {
                const Word now = ruled_[w], was = ruledBefore_[w];
                const std::int32_t base = g.first + (w - g.word) * kWordBits;
                ForEachBit(was & ~now, [&](int bit) { SetStake(base + bit, 0); });
                const Word restart = now & (~was | spun[w]);
                ForEachBit(now, [&](int bit) {
                    const std::int32_t j = base + bit;
                    if (restart >> bit & 1) stepBase_[j] = k;
                    SetStake(j, StakeOf(g, k - stepBase_[j]));
                });
            }
        }
    }

    std::int64_t AbsenceRuleCount(std::int32_t e, std::int64_t k) const {
        if (!Test(absent_, BitOf(e))) return 0;
        const GroupRun& g = groups_[entryGroup_[e]];
        if (g.low >= 1) return k - lastHit_[e] - g.low + 1;
        return k - runStart_[e] + 1;
    }

    // "Continue" of the one-chance rule for entry e; returns whether the search goes on.
    bool Continue(std::int32_t e, std::int64_t k) {
        if (e == selected_ && lastHit_[e] != k) {
            ++selectedStep_;
            if (selectedStep_ >= groups_[entryGroup_[e]].span) {
                selectedStep_ = -1;
                selected_ = -1;
                return true;
            }
            return false;
        }
        if (Test(ruled_, BitOf(e))) {
            selected_ = e;
            if (shiftOthers_)
                selectedStep_ = 0;
            else if (Test(rate_, BitOf(e)))
                selectedStep_ = AbsenceRuleCount(e, k) - 1;
            else
                selectedStep_ = -1;  // the first stake follows one spin later
            return false;
        }
        selected_ = -1;
        selectedStep_ = -1;
        return true;
    }

    [[gnu::always_inline]] void SelectOneChance(std::int64_t k) {
        bool searching = true;
        if (selected_ >= 0) searching = Continue(selected_, k);
        if (searching) {
            // The smallest weight wins; among equal weights the highest entry.
            std::int32_t pick = -1;
            std::int64_t best = 0;
            for (std::int32_t w = 0; w < words_; ++w) {
                const std::int64_t weight = groups_[wordGroup_[w]].weight;
                ForEachBit(ruled_[w], [&](int bit) {
                    const std::int32_t j = EntryOf(w, bit);
                    const std::int64_t v = hits_[j] * weight;
                    if (pick < 0 || v <= best) pick = j, best = v;
                });
            }
            if (pick >= 0) Continue(pick, k);
        }
        if (staked_ >= 0 && staked_ != selected_) SetStake(staked_, 0);
        staked_ = selected_;
        if (selected_ >= 0)
            SetStake(selected_,
                     selectedStep_ >= 0 ? StakeOf(groups_[entryGroup_[selected_]], selectedStep_) : 0);
    }

    const AppliedSettings& settings_;
    EvaluationSlotList list_;
    std::int32_t n_;
    std::int32_t es637s_;
    bool oneChance_, shiftOthers_;

    std::vector<GroupRun> groups_;
    std::array<std::int64_t, kGroupCount> bandLo_{}, bandHi_{};
    std::vector<std::int32_t> members_;  // per number and group, the entries holding it, ascending
    std::array<std::array<std::int32_t, kGroupCount + 1>, 37> groupMemberStart_{};
    struct PlacementTerm {
        std::uint8_t position;
        std::uint8_t count;
    };
    std::vector<PlacementTerm> placement_;
    std::vector<std::int32_t> placementStart_;
    std::vector<std::array<Word, 3>>
        entryPositions_;  // each entry's positions as bits (stakes set one by one)

    // Numbers by their last spin, latest first; the numbers not yet spun are not listed.
    std::array<std::uint8_t, 37> recent_{};
    int recentCount_ = 0;
    std::array<std::int64_t, 37> lastSpin_{};
    std::array<std::int64_t, 37> numberHits_{};
    std::vector<std::int64_t> ageBounds_;  // the ages that bands read (tops, and bottoms less one)
    std::vector<Word> hitWithin_;  // row i: the entries holding one of the i latest numbers; then all entries
    std::int32_t allEntries_ = 0;  // where the row of all entries starts
    bool everyEntryHoldsANumber_ = true;  // the row of all 37 numbers is the row of all entries
    std::vector<std::int32_t>
        boundRow_;  // per bound, this spin: where the row of the entries hit within it starts
    std::vector<std::uint8_t> wordHighBound_, wordLowBound_;  // per word: its group's bounds

    // Bit sets over the entries, a run of words per group.
    std::int32_t words_ = 0;
    std::vector<Word> memberBits_;  // 38 rows: the entries holding each number, then none
    std::vector<Word> groupMask_;   // the bits that stand for an entry
    std::vector<std::int32_t> wordGroup_;
    std::vector<Word> rate_;         // RateRuleCount > 0
    std::vector<Word> absent_;       // AbsenceRuleCount > 0
    std::vector<Word> ruled_;        // either, this spin
    std::vector<Word> ruledBefore_;  // either, the spin before

    // Per entry.
    std::vector<std::int64_t> lastHit_;   // one chance: spin of the last hit, 0 = none
    std::vector<std::int64_t> hits_;      // EvalHits where a rule or the choice of one chance reads it
    std::vector<std::int64_t> runStart_;  // first spin of the current run of a band that includes 0
    std::vector<std::int64_t> stepBase_;  // normal play: PlayStep = k - stepBase while in play
    std::vector<std::int32_t> stake_;     // where stakes are set one by one
    std::vector<std::int32_t> entryGroup_;

    std::int32_t selected_ = -1;  // SelectedEntry
    std::int64_t selectedStep_ = -1;
    std::int32_t staked_ = -1;

    // Groups placed by steps: per cell (a group's position) the sums over its entries below the cap, T and
    // W, their placement count, the count of those at the cap or beyond, and the total last placed.
    // Per entry of a group placed by steps its cells, one for each time it lies on their positions.
    std::vector<Cell> stepTerms_;
    std::vector<std::int32_t> stepTermStart_;
    std::vector<std::uint8_t> cellPosition_;
    std::vector<std::int64_t> cellSum_, cellBefore_, cellCount_, cellCapped_, cellPlaced_;
    std::vector<std::int64_t> cellDelta_;  // scratch of PlaceCells

    std::array<std::int64_t, kPositionCount> raw_{};  // exact position sums of the slot stakes
    std::array<Word, 3> dirty_{};                     // positions whose sum moved since TakeMoved
    bool placedChanged_ = false;
};

}  // namespace
}  // namespace zentora::evaluation
