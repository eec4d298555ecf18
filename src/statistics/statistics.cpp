// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics/statistics.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "statistics/rate_sum.h"

namespace zentora {

namespace {

constexpr std::array<std::string_view, kGroupCount> kAbRundeFields{
    "Chance137blau", "Chance637blau",  "Chance437blau",  "Chance337blau",   "Chance237blau", "Chance1237blau",
    "Chance837blau", "Chance437blauz", "Chance537blau",  "Chance1237blauz", "NB11T",         "NB22T",
    "NB33T",         "NB44T",          "Chance1837blau", "Chance1237b",     "P437T",         "P337T",
    "S837T",         "S1237T",         "S737T",          "S637T",           "S837ST",        "S637ST",
    "S937T",         "S1737T",         "Chance937blau",
};

constexpr int kCancelPollMask = (1 << 16) - 1;

// How many slots hold each value, for values that only ever grow (spin of the last hit, hit count): the
// smallest value in amortised constant time. A spin makes room for its largest value, moves values up and
// settles once.
class RisingValues {
  public:
    explicit RisingValues(int slots) : counts_{slots} {}

    void MakeRoom(std::int64_t largest) {
        const auto at = static_cast<std::size_t>(largest - base_);
        if (at >= counts_.size()) counts_.resize(at + 1, 0);
        data_ = counts_.data() - base_;
    }
    void Move(std::int64_t from, std::int64_t to) {
        --data_[from];
        ++data_[to];
    }
    void Settle() {
        while (data_[min_] == 0) ++min_;
        const auto dropped = static_cast<std::size_t>(min_ - base_);
        if (dropped > 4096 && dropped > counts_.size() / 2) {
            counts_.erase(counts_.begin(), counts_.begin() + static_cast<std::ptrdiff_t>(dropped));
            base_ = min_;
            data_ = counts_.data() - base_;
        }
    }
    std::int64_t Min() const { return min_; }

  private:
    std::vector<int> counts_;     // counts_[v - base_]
    int* data_ = counts_.data();  // indexed by the value itself
    std::int64_t base_ = 0;
    std::int64_t min_ = 0;
};

// The absences of the charted slots, kept as the spin of each slot's last hit so that a spin touches only
// the slots it hits.
class Absences {
  public:
    Absences(std::span<const std::uint64_t> masks)
        : count_(static_cast<int>(masks.size())), lastHit_(count_), lastHits_(count_) {
        for (int z = 0; z < 37; ++z) {
            memberStart_[z] = static_cast<std::uint32_t>(members_.size());
            for (int j = 0; j < count_; ++j)
                if (masks[j] >> z & 1u) members_.push_back(static_cast<std::uint16_t>(j));
        }
        memberStart_[37] = static_cast<std::uint32_t>(members_.size());
    }

    // Spin `spin` (1-based) with number z.
    template <bool kMax>
    void Count(std::int64_t spin, unsigned z) {
        if (z > 36) return;
        if constexpr (kMax) lastHits_.MakeRoom(spin);
        std::int64_t* last = lastHit_.data();
        std::int64_t sum = 0;
        const std::uint16_t* end = members_.data() + memberStart_[z + 1];
        for (const std::uint16_t* m = members_.data() + memberStart_[z]; m != end; ++m) {
            const int j = *m;
            if constexpr (kMax) lastHits_.Move(last[j], spin);
            sum += spin - last[j];
            last[j] = spin;
        }
        sumLast_ += sum;
        if constexpr (kMax) lastHits_.Settle();
    }

    std::int64_t Max(std::int64_t spin) const { return spin - lastHits_.Min(); }
    std::int64_t Sum(std::int64_t spin) const { return spin * count_ - sumLast_; }

  private:
    int count_;
    std::vector<std::int64_t> lastHit_;  // spin of the last hit, 0 = none yet
    RisingValues lastHits_;
    std::vector<std::uint16_t> members_;  // per number, the charted slots holding it
    std::array<std::uint32_t, 38> memberStart_{};
    std::int64_t sumLast_ = 0;
};

}  // namespace

ChartedRange ChartedRangeOf(GroupId group) {
    const ChanceGroup& g = Group(group);
    if (group == GroupId::S837) return {g.firstSlot, kOrphelinPleinSlot};
    return {g.firstSlot, g.lastSlot};
}

std::string_view AbsenceStartFieldOf(GroupId group) {
    return kAbRundeFields[GroupIndex(group)];
}

namespace {

StatisticsInputs InputsOf(GroupId group, StatisticsKind kind, const AppliedSettings& settings,
                          const LiveSettings& live, const ChartedRange& range, std::size_t spins) {
    const GroupSettings& gs = settings.Of(group);
    StatisticsInputs in;
    in.group = group;
    in.kind = kind;
    in.firstSlot = range.firstSlot;
    in.lastSlot = range.lastSlot;
    in.absenceSpan = gs.absenceSpan;
    in.rateUntil = gs.rateUntil;
    in.rateStart = live.RateStart(group);
    in.absenceStartField = AbsenceStartFieldOf(group);
    in.groupKey = Group(group).key;
    in.spins = static_cast<std::int64_t>(spins);
    return in;
}

}  // namespace

StatisticsResult ComputeStatistics(std::span<const std::uint8_t> permanence, GroupId group,
                                   StatisticsKind kind, const AppliedSettings& settings,
                                   const LiveSettings& live, const std::atomic<bool>* cancel) {
    StatisticsResult result;
    const ChartedRange range = ChartedRangeOf(group);
    result.inputs = InputsOf(group, kind, settings, live, range, permanence.size());
    const StatisticsInputs& in = result.inputs;

    const std::int64_t length = in.spins;
    if (length == 0) return result;

    const bool overview = kind == StatisticsKind::RateOverview;
    result.x.resize(length);
    result.y.resize(length);
    if (overview) {
        result.y2.resize(length);
        result.y3.resize(length);
    }

    std::vector<std::uint64_t> masks;
    for (int slot = range.firstSlot; slot <= range.lastSlot; ++slot)
        masks.push_back(NumberSetOfSlot(slot).words[0]);
    Absences absences(masks);
    HitRateSum rates(masks);
    const double slots = static_cast<double>(masks.size());

    for (std::int64_t i = 1; i <= length; ++i) {
        if ((i & kCancelPollMask) == 0 && cancel && cancel->load(std::memory_order_relaxed)) {
            const auto done = static_cast<std::size_t>(i - 1);
            for (auto* v : {&result.x, &result.y, &result.y2, &result.y3})
                if (!v->empty()) v->resize(done);
            result.cancelled = true;
            return result;
        }
        const unsigned z = permanence[length - i];
        const std::size_t at = static_cast<std::size_t>(i - 1);
        result.x[at] = static_cast<double>(i);
        switch (kind) {
            case StatisticsKind::MaxAbsence:
                absences.Count<true>(i, z);
                result.y[at] = static_cast<double>(absences.Max(i));
                break;
            case StatisticsKind::MeanAbsence:
                absences.Count<false>(i, z);
                result.y[at] = static_cast<double>(absences.Sum(i)) / slots;
                break;
            // The rate is monotone in the hits, so the extremes come from the extreme hit counts.
            case StatisticsKind::MaxRate:
                result.y[at] = ExtendedHitRate(rates.CountHits(z).maxHits, i) / 1000.0;
                break;
            case StatisticsKind::MinRate:
                result.y[at] = ExtendedHitRate(rates.CountHits(z).minHits, i) / 1000.0;
                break;
            case StatisticsKind::RateOverview: {
                const HitRateSum::Spin spin = rates.Advance(z);
                const std::int32_t minRate = ExtendedHitRate(spin.minHits, i);
                result.y[at] = ExtendedHitRate(spin.maxHits, i) / 1000.0;
                result.y2[at] = static_cast<double>(spin.rateSum) / slots / 1000.0;
                result.y3[at] = minRate / 1000.0;
                if (i == kStatisticsMarkerSpin && length > kStatisticsMarkerSpin) {
                    const auto hits = rates.Hits();
                    const auto first = std::find(hits.begin(), hits.end(), spin.minHits);
                    result.marker =
                        StatisticsMarker{static_cast<double>(i), minRate / 1000.0,
                                         range.firstSlot + static_cast<int>(first - hits.begin())};
                }
                break;
            }
        }
    }
    return result;
}

}  // namespace zentora
