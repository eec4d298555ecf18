#include "evaluation/money_evaluation.h"

#include <algorithm>
#include <limits>

#include "catalogue/catalogue.h"
#include "catalogue/counting.h"
#include "engine/placement.h"
#include "engine/signal_detection.h"
#include "engine/stakes.h"
#include "evaluation/settlement.h"

namespace zentora {

namespace {

constexpr int kOneChanceBox = 1;  // "Nur eine Chance anspielen"
constexpr int kHalveOnZeroBox = 2;
constexpr int kShiftOthersBox = 35;  // "Andere Chancen verschieben"
constexpr int kStakeCacheSteps = 256;
constexpr int kBucketCount = 512;  // hit-count buckets per group with the rate rule
constexpr std::int64_t kCancelPollMask = 4095;

// rate(h, k) >= bound and rate(h, k) <= bound for the extended-precision hit rate, without a division: the
// extended rate equals the exact rounding floor((200000 h + k) / (2 k)) except at a tie of the "+ 0.5",
// where it may be one less, so only a tie asks the rate itself.
bool RateAtLeast(std::int64_t h, std::int64_t k, std::int64_t bound) {
    if (bound <= 0) return true;
    if (bound > 100000) return false;
    const std::int64_t n = 200000 * h + k, m = 2 * bound * k;
    if (n != m) return n > m;
    return HitRateOf(static_cast<std::int32_t>(h), static_cast<std::int32_t>(k)) >= bound;
}
bool RateAtMost(std::int64_t h, std::int64_t k, std::int64_t bound) {
    if (bound >= 100000) return true;
    if (bound < 0) return false;
    const std::int64_t n = 200000 * h + k, m = 2 * (bound + 1) * k;
    if (n != m) return n < m;
    return HitRateOf(static_cast<std::int32_t>(h), static_cast<std::int32_t>(k)) <= bound;
}

// A set of entry indices with constant-time insert and erase.
class EntrySet {
  public:
    explicit EntrySet(std::size_t entries) : at_(entries, -1) {}
    void Insert(std::int32_t j) {
        if (at_[j] >= 0) return;
        at_[j] = static_cast<std::int32_t>(items_.size());
        items_.push_back(j);
    }
    void Erase(std::int32_t j) {
        const std::int32_t at = at_[j];
        if (at < 0) return;
        const std::int32_t last = items_.back();
        items_[at] = last;
        at_[last] = at;
        items_.pop_back();
        at_[j] = -1;
    }
    const std::vector<std::int32_t>& Items() const { return items_; }

  private:
    std::vector<std::int32_t> items_;
    std::vector<std::int32_t> at_;
};

// One group of the EvaluationSlotList with the settings of its rules.
struct GroupRun {
    GroupId id{};
    std::int32_t first = 0, end = 0;  // entry range
    bool absence = false;             // absence rule on and its band [low, high] not empty
    std::int64_t low = 0, high = 0;
    bool rate = false;
    std::int32_t rateStart = 0;
    std::int64_t lo = 1, hi = 0;  // hit counts inside the rate bounds at the previous spin (empty: lo > hi)
    std::int64_t loHint = 0, hiHint = 0;  // where the search for the next bounds starts
    std::int32_t span = 0;                // "So oft angespielt"
    std::int64_t weight = 0;
    bool constantStake = true;
    std::array<std::int32_t, kStakeCacheSteps> stakes{};
    std::vector<std::int32_t> bucketHead;
    // Absence rule: the entries whose last hit lies within the last high + 2 spins, by that spin modulo
    // high + 2, so that those entering and leaving the band are found without a search.
    std::vector<std::int32_t> ringHead;
};

class MoneyRun {
  public:
    MoneyRun(std::span<const std::uint8_t> permanence, const AppliedSettings& settings,
             const LiveSettings& live)
        : perm_(permanence),
          length_(static_cast<std::int64_t>(permanence.size())),
          settings_(settings),
          list_(BuildEvaluationSlotList(settings, live.OrphelinPlein())),
          n_(static_cast<std::int32_t>(list_.slots.size())),
          es637s_(live.Es637sTechnique()),
          threshold_(live.SpinSummeMerk()),
          oneChance_(settings.Flag(kOneChanceBox)),
          shiftOthers_(settings.Flag(kShiftOthersBox)),
          halveOnZero_(settings.Flag(kHalveOnZeroBox)),
          lastHit_(n_),
          hits_(n_),
          runStart_(n_, 1),
          stepBase_(n_),
          stake_(n_),
          entryGroup_(n_),
          inAbsence_(n_),
          inRate_(n_),
          ruled_(n_),
          touchedAt_(n_, 0),
          next_(n_, -1),
          prev_(n_, -1),
          ringNext_(n_, -1),
          ringPrev_(n_, -1),
          inRing_(n_, 0),
          ruledSet_(n_),
          varSet_(n_) {
        BuildGroups(live);
        BuildMembers();
    }

    EvaluationResult Execute(const ProgressCallback& progress, const std::atomic<bool>* cancel) {
        EvaluationResult result;
        result.balance.resize(static_cast<std::size_t>(length_));
        const auto thresholds = ProgressThresholds(length_);
        int nextThreshold = 0;
        std::int64_t balance = 0;
        MarkerRule markers(threshold_);

        for (std::int64_t k = 1; k <= length_; ++k) {
            if ((k & kCancelPollMask) == 0 && cancel && cancel->load(std::memory_order_relaxed)) {
                result.balance.resize(static_cast<std::size_t>(k - 1));
                result.cancelled = true;
                return result;
            }
            const unsigned x = SpinAt(k);
            const std::int32_t selectedBefore = selected_;
            Count(k, x);
            if (oneChance_)
                SelectOneChance(k);
            else
                UpdateVariableStakes(k);

            // The stakes chosen after spin k - 1 are settled by spin k.
            const std::int64_t returned = Gewinnermittlung(current_, x, halveOnZero_);
            if (placedChanged_) {
                ApplyTableLimits(rawStake_, settings_, current_);
                tableSum_ = TableSum(current_);
                placedChanged_ = false;
            }
            const std::int64_t change = returned - tableSum_;
            balance += change;
            result.balance[static_cast<std::size_t>(k - 1)] = balance;

            while (nextThreshold < kProgressSteps && k >= thresholds[nextThreshold]) {
                ++nextThreshold;
                if (progress) progress(nextThreshold);
            }

            // A run of wins names the chance that was played for it, a run of losses the one now played.
            if (markers.Step(change))
                result.markers.push_back({k, balance, SlotOf(markers.Wins() ? selectedBefore : selected_)});
        }
        return result;
    }

  private:
    unsigned SpinAt(std::int64_t k) const { return perm_[static_cast<std::size_t>(length_ - k)]; }

    std::optional<std::int32_t> SlotOf(std::int32_t entry) const {
        if (entry < 0) return std::nullopt;
        return list_.slots[entry];
    }

    void BuildGroups(const LiveSettings& live) {
        for (std::int32_t j = 0; j < n_;) {
            GroupRun g;
            g.id = GroupOfSlot(list_.slots[j]);
            g.first = j;
            while (j < n_ && GroupOfSlot(list_.slots[j]) == g.id)
                entryGroup_[j++] = static_cast<std::int32_t>(groups_.size());
            g.end = j;
            const GroupSettings& gs = settings_.Of(g.id);
            g.low = gs.absenceLow;
            g.high = gs.absenceHigh;
            g.absence = settings_.AbsenceRuleActive(g.id) && std::max<std::int64_t>(g.low, 0) <= g.high;
            g.rate = settings_.RateRuleActive(g.id);
            g.rateStart = g.rate ? live.RateStart(g.id) : 0;
            g.span = gs.absenceSpan;
            g.weight = Group(g.id).chanceWeight;
            for (int step = 0; step < kStakeCacheSteps; ++step) {
                g.stakes[step] = StakeAtStep(g.id, step, settings_, es637s_);
                if (g.stakes[step] != g.stakes[0]) g.constantStake = false;
            }
            if (g.rate) {
                // Every entry starts with 0 hits.
                g.bucketHead.assign(kBucketCount, -1);
                for (std::int32_t e = g.first; e < g.end; ++e) Link(g, e, 0);
            }
            if (g.absence) {
                g.ringHead.assign(static_cast<std::size_t>(g.high + 2), -1);
                for (std::int32_t e = g.first; e < g.end; ++e) RingLink(g, e, 0);
            }
            groups_.push_back(std::move(g));
        }
        // The run of an absence band that includes 0 starts with the first spin.
        for (const GroupRun& g : groups_)
            if (g.absence && g.low <= 0)
                for (std::int32_t e = g.first; e < g.end; ++e) inAbsence_[e] = 1;
    }

    void BuildMembers() {
        // Entries are in group order, so the members of a number within one group form a contiguous run.
        for (unsigned z = 0; z < 37; ++z) {
            memberStart_[z] = static_cast<std::int32_t>(members_.size());
            for (std::size_t g = 0; g < groups_.size(); ++g) {
                groupMemberStart_[z][g] = static_cast<std::int32_t>(members_.size());
                for (std::int32_t j = groups_[g].first; j < groups_[g].end; ++j)
                    if (list_.sets[j].Contains(z)) members_.push_back(j);
            }
            groupMemberStart_[z][groups_.size()] = static_cast<std::int32_t>(members_.size());
        }
        memberStart_[37] = static_cast<std::int32_t>(members_.size());
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
    }

    std::pair<const std::int32_t*, const std::int32_t*> MembersIn(unsigned z, std::size_t g) const {
        return {members_.data() + groupMemberStart_[z][g], members_.data() + groupMemberStart_[z][g + 1]};
    }

    void Link(GroupRun& g, std::int32_t j, std::int64_t hits) {
        std::int32_t& head = g.bucketHead[static_cast<std::size_t>(hits & (kBucketCount - 1))];
        prev_[j] = -1;
        next_[j] = head;
        if (head >= 0) prev_[head] = j;
        head = j;
    }
    void Unlink(GroupRun& g, std::int32_t j, std::int64_t hits) {
        if (prev_[j] >= 0)
            next_[prev_[j]] = next_[j];
        else
            g.bucketHead[static_cast<std::size_t>(hits & (kBucketCount - 1))] = next_[j];
        if (next_[j] >= 0) prev_[next_[j]] = prev_[j];
    }

    std::int32_t& RingHead(GroupRun& g, std::int64_t spin) {
        return g.ringHead[static_cast<std::size_t>(spin % static_cast<std::int64_t>(g.ringHead.size()))];
    }
    void RingLink(GroupRun& g, std::int32_t j, std::int64_t spin) {
        std::int32_t& head = RingHead(g, spin);
        ringPrev_[j] = -1;
        ringNext_[j] = head;
        if (head >= 0) ringPrev_[head] = j;
        head = j;
        inRing_[j] = 1;
    }
    void RingUnlink(GroupRun& g, std::int32_t j, std::int64_t spin) {
        if (ringPrev_[j] >= 0)
            ringNext_[ringPrev_[j]] = ringNext_[j];
        else
            RingHead(g, spin) = ringNext_[j];
        if (ringNext_[j] >= 0) ringPrev_[ringNext_[j]] = ringPrev_[j];
        inRing_[j] = 0;
    }

    void Touch(std::int32_t j, std::int64_t k) {
        if (touchedAt_[j] == k) return;
        touchedAt_[j] = k;
        touched_.push_back(j);
    }

    // The hit counts whose rate lies within the group's rate bounds at spin k.
    void RateBand(GroupRun& g, std::int64_t k, std::int64_t& lo, std::int64_t& hi) {
        lo = 1;
        hi = 0;
        if (!g.rate) return;
        const RateRuleBounds b = RateRuleBoundsOf(settings_.Of(g.id), true, g.rateStart,
                                                  static_cast<std::int32_t>(k), LastWindowLimit::OwnValue);
        if (!b.applies) return;
        // The rate is monotone in the hits for a fixed spin count: walk from the last bounds.
        std::int64_t l = std::clamp<std::int64_t>(g.loHint, 0, k + 1);
        while (l > 0 && RateAtLeast(l - 1, k, b.lower)) --l;
        while (l <= k && !RateAtLeast(l, k, b.lower)) ++l;
        std::int64_t h = std::clamp<std::int64_t>(g.hiHint, -1, k);
        while (h < k && RateAtMost(h + 1, k, b.upper)) ++h;
        while (h >= 0 && !RateAtMost(h, k, b.upper)) --h;
        g.loHint = l;
        g.hiHint = std::max<std::int64_t>(h, 0);
        lo = l;
        hi = h;
    }

    // Entries of group g whose last hit was spin t enter the absence band (at "low") or leave it (one spin
    // after "high"; they also leave the ring).
    void EnterAbsenceBand(GroupRun& g, std::int64_t t, std::int64_t k) {
        if (t < 0) return;
        for (std::int32_t e = RingHead(g, t); e >= 0; e = ringNext_[e])
            if (!inAbsence_[e]) inAbsence_[e] = 1, Touch(e, k);
    }
    void LeaveAbsenceBand(GroupRun& g, std::int64_t t, std::int64_t k) {
        if (t < 0) return;
        std::int32_t& head = RingHead(g, t);
        for (std::int32_t e = head; e >= 0; e = ringNext_[e]) {
            inRing_[e] = 0;
            if (inAbsence_[e]) inAbsence_[e] = 0, Touch(e, k);
        }
        head = -1;
    }

    void SetRateState(std::int32_t e, bool inside, std::int64_t k) {
        if (inRate_[e] == inside) return;
        inRate_[e] = inside;
        Touch(e, k);
    }

    // Rate states of the entries that did not hit, for the hit counts that entered or left the bounds.
    void UpdateRateStates(GroupRun& g, std::int64_t lo, std::int64_t hi, std::int64_t k) {
        const bool oldEmpty = g.lo > g.hi, newEmpty = lo > hi;
        std::int64_t ranges[4][2];
        int count = 0;
        auto add = [&](std::int64_t a, std::int64_t b) {
            if (a <= b) ranges[count][0] = a, ranges[count][1] = b, ++count;
        };
        if (oldEmpty || newEmpty) {
            if (!oldEmpty) add(g.lo, g.hi);
            if (!newEmpty) add(lo, hi);
        } else {
            add(g.lo, std::min(g.hi, lo - 1));
            add(std::max(g.lo, hi + 1), g.hi);
            add(lo, std::min(hi, g.lo - 1));
            add(std::max(lo, g.hi + 1), hi);
        }
        std::int64_t values = 0;
        for (int r = 0; r < count; ++r) values += ranges[r][1] - ranges[r][0] + 1;
        if (values > kBucketCount) {
            for (std::int32_t e = g.first; e < g.end; ++e)
                if (lastHit_[e] != k) SetRateState(e, lo <= hits_[e] && hits_[e] <= hi, k);
        } else {
            for (int r = 0; r < count; ++r)
                for (std::int64_t v = ranges[r][0]; v <= ranges[r][1]; ++v)
                    for (std::int32_t e = g.bucketHead[static_cast<std::size_t>(v & (kBucketCount - 1))];
                         e >= 0; e = next_[e])
                        if (hits_[e] == v && lastHit_[e] != k) SetRateState(e, lo <= v && v <= hi, k);
        }
        g.lo = lo;
        g.hi = hi;
    }

    std::int32_t StakeOf(const GroupRun& g, std::int64_t step) const {
        if (step < kStakeCacheSteps) return g.stakes[static_cast<std::size_t>(step)];
        const int clamped = static_cast<int>(std::min<std::int64_t>(step, std::numeric_limits<int>::max()));
        return StakeAtStep(g.id, clamped, settings_, es637s_);
    }

    void SetStake(std::int32_t j, std::int32_t stake) {
        if (stake == stake_[j]) return;
        const std::int64_t delta = std::int64_t{stake} - stake_[j];
        for (std::int32_t t = placementStart_[j]; t < placementStart_[j + 1]; ++t) {
            const std::uint8_t p = placement_[t].position;
            raw_[p] += delta * placement_[t].count;
            // The exact sum, saturated once.
            rawStake_[p] = static_cast<std::int32_t>(std::clamp<std::int64_t>(
                raw_[p], std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
        }
        stake_[j] = stake;
        placedChanged_ = true;
    }

    std::int64_t AbsenceRuleCount(std::int32_t e, std::int64_t k) const {
        if (!inAbsence_[e]) return 0;
        const GroupRun& g = groups_[entryGroup_[e]];
        if (g.low >= 1) return k - lastHit_[e] - g.low + 1;
        return k - runStart_[e] + 1;
    }

    // Counting, the two rules and, in normal play, the play steps of the entries whose state changed.
    void Count(std::int64_t k, unsigned x) {
        for (GroupRun& g : groups_) {
            if (!g.rate) continue;
            RateBand(g, k, bandLo_[&g - groups_.data()], bandHi_[&g - groups_.data()]);
        }
        if (x <= 36) {
            for (std::int32_t m = memberStart_[x]; m < memberStart_[x + 1]; ++m) {
                const std::int32_t j = members_[m];
                const std::int32_t gi = entryGroup_[j];
                GroupRun& g = groups_[gi];
                // A band that includes 0 keeps its run through a hit unless the absence passed its top.
                if (k - 1 - lastHit_[j] > g.high) runStart_[j] = k;
                if (g.absence) {
                    if (inRing_[j]) RingUnlink(g, j, lastHit_[j]);
                    RingLink(g, j, k);
                }
                lastHit_[j] = k;
                if (g.rate) {
                    Unlink(g, j, hits_[j]);
                    Link(g, j, hits_[j] + 1);
                }
                ++hits_[j];
                if (g.absence) inAbsence_[j] = g.low <= 0;
                if (g.rate) inRate_[j] = bandLo_[gi] <= hits_[j] && hits_[j] <= bandHi_[gi];
                // A hit changes nothing else for an entry that stays out of play, or stays in play with a
                // stake that does not depend on the step.
                const bool now = inAbsence_[j] || inRate_[j];
                if (now != static_cast<bool>(ruled_[j]) || (now && !g.constantStake) || k == 1) Touch(j, k);
            }
        }
        for (GroupRun& g : groups_) {
            if (g.absence) {
                if (g.low >= 1) EnterAbsenceBand(g, k - g.low, k);
                LeaveAbsenceBand(g, k - g.high - 1, k);
            }
            if (g.rate) {
                const auto gi = &g - groups_.data();
                UpdateRateStates(g, bandLo_[gi], bandHi_[gi], k);
            }
        }
        if (k == 1)
            for (std::int32_t e = 0; e < n_; ++e) Touch(e, k);

        for (const std::int32_t j : touched_) {
            const bool now = inAbsence_[j] || inRate_[j];
            const bool was = ruled_[j];
            const GroupRun& g = groups_[entryGroup_[j]];
            if (now != was) {
                if (now) {
                    if (oneChance_) ruledSet_.Insert(j);
                    if (!g.constantStake) varSet_.Insert(j);
                } else {
                    if (oneChance_) ruledSet_.Erase(j);
                    varSet_.Erase(j);
                }
                ruled_[j] = now;
            }
            if (oneChance_) continue;
            if (!now) {
                SetStake(j, 0);
            } else if (!was || lastHit_[j] == k) {
                // Into play after a miss, or a hit while in play: progression step 0.
                stepBase_[j] = k;
                SetStake(j, StakeOf(g, 0));
            }
        }
        touched_.clear();
    }

    // In normal play the entries of groups whose stake depends on the step move one step per miss.
    void UpdateVariableStakes(std::int64_t k) {
        for (const std::int32_t j : varSet_.Items())
            SetStake(j, StakeOf(groups_[entryGroup_[j]], k - stepBase_[j]));
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
        if (ruled_[e]) {
            selected_ = e;
            if (shiftOthers_)
                selectedStep_ = 0;
            else if (inRate_[e])
                selectedStep_ = AbsenceRuleCount(e, k) - 1;
            else
                selectedStep_ = -1;  // the first stake follows one spin later
            return false;
        }
        selected_ = -1;
        selectedStep_ = -1;
        return true;
    }

    void SelectOneChance(std::int64_t k) {
        bool searching = true;
        if (selected_ >= 0) searching = Continue(selected_, k);
        if (searching) {
            // The smallest weight wins; among equal weights the highest entry.
            std::int32_t pick = -1;
            std::int64_t best = 0;
            for (const std::int32_t j : ruledSet_.Items()) {
                const std::int64_t w = hits_[j] * groups_[entryGroup_[j]].weight;
                if (pick < 0 || w < best || (w == best && j > pick)) pick = j, best = w;
            }
            if (pick >= 0) Continue(pick, k);
        }
        if (staked_ >= 0 && staked_ != selected_) SetStake(staked_, 0);
        staked_ = selected_;
        if (selected_ >= 0)
            SetStake(selected_,
                     selectedStep_ >= 0 ? StakeOf(groups_[entryGroup_[selected_]], selectedStep_) : 0);
    }

    std::span<const std::uint8_t> perm_;
    std::int64_t length_;
    const AppliedSettings& settings_;
    EvaluationSlotList list_;
    std::int32_t n_;
    std::int32_t es637s_;
    std::int64_t threshold_;
    bool oneChance_, shiftOthers_, halveOnZero_;

    std::vector<GroupRun> groups_;
    std::array<std::int64_t, kGroupCount> bandLo_{}, bandHi_{};
    std::vector<std::int32_t> members_;  // per number, the entries holding it, ascending
    std::array<std::int32_t, 38> memberStart_{};
    std::array<std::array<std::int32_t, kGroupCount + 1>, 37> groupMemberStart_{};
    struct PlacementTerm {
        std::uint8_t position;
        std::uint8_t count;
    };
    std::vector<PlacementTerm> placement_;
    std::vector<std::int32_t> placementStart_;

    // Per entry.
    std::vector<std::int64_t> lastHit_;   // spin of the last hit, 0 = none: EvalAbsence = k - lastHit
    std::vector<std::int64_t> hits_;      // EvalHits
    std::vector<std::int64_t> runStart_;  // first spin of the current run of a band that includes 0
    std::vector<std::int64_t> stepBase_;  // normal play: PlayStep = k - stepBase while in play
    std::vector<std::int32_t> stake_;
    std::vector<std::int32_t> entryGroup_;
    std::vector<std::uint8_t> inAbsence_, inRate_, ruled_;
    std::vector<std::int64_t> touchedAt_;
    std::vector<std::int32_t> next_, prev_;  // hit-count buckets
    std::vector<std::int32_t> ringNext_, ringPrev_;
    std::vector<std::uint8_t> inRing_;
    std::vector<std::int32_t> touched_;
    EntrySet ruledSet_;  // one-chance mode: AbsenceRuleCount > 0 or RateRuleCount > 0
    EntrySet varSet_;    // the same, for groups whose stake depends on the step

    std::int32_t selected_ = -1;  // SelectedEntry
    std::int64_t selectedStep_ = -1;
    std::int32_t staked_ = -1;

    std::array<std::int64_t, kPositionCount> raw_{};  // exact position sums of the slot stakes
    PositionArray rawStake_{};                        // the placed table: those sums saturated
    bool placedChanged_ = true;  // the limits apply to the empty table too (splitting with negative maxima)
    PositionArray current_{};    // the stakes lying on the table for the next spin
    std::int64_t tableSum_ = 0;
};

}  // namespace

std::array<std::int64_t, kProgressSteps> ProgressThresholds(std::int64_t length) {
    std::array<std::int64_t, kProgressSteps> t{};
    std::int64_t previous = 1;
    for (int i = 1; i <= kProgressSteps; ++i) {
        const long double value =
            static_cast<long double>(length) * (static_cast<long double>(i) / 100.0L * 2.0L) + 0.5L;
        previous = std::max(previous, static_cast<std::int64_t>(value));
        t[i - 1] = previous;
    }
    return t;
}

EvaluationResult EvaluateMoney(std::span<const std::uint8_t> permanence, const AppliedSettings& settings,
                               const LiveSettings& live, const ProgressCallback& progress,
                               const std::atomic<bool>* cancel) {
    MoneyRun run(permanence, settings, live);
    return run.Execute(progress, cancel);
}

}  // namespace zentora
