// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "catalogue/chance_groups.h"

namespace zentora {

// The option check boxes the engine reads (CheckBox k is AppliedSettings::Flag(k)).
inline constexpr int kOneChanceBox = 1;      // "Nur eine Chance anspielen"
inline constexpr int kHalveOnZeroBox = 2;    // half of the even-chance stakes back on zero
inline constexpr int kSplitSeriesBox = 31;   // "Serien 6/37"
inline constexpr int kSplitOnTableBox = 32;  // "Chancen auf Spieltisch splitten"
inline constexpr int kShiftOthersBox = 35;   // "Andere Chancen verschieben"

// What ApplySettings copies per chance group.
struct GroupSettings {
    std::int32_t absenceHigh = 0;                                // "Ab Runde"
    std::int32_t absenceLow = 0;                                 // absenceHigh - "So oft angespielt" + 1
    std::int32_t absenceSpan = 0;                                // "So oft angespielt"
    std::int32_t initialStake = 0;                               // "Anfangseinsatz"
    std::int32_t stakeTechnique = 0;                             // item index 0..5; -1 = no item selected
    std::array<std::int32_t, kRateWindowCount> rateFromMilli{};  // "von" x 1000
    std::array<std::int32_t, kRateWindowCount> rateToMilli{};    // "bis" x 1000
    std::array<std::int32_t, kRateWindowCount> rateUntil{};      // "BisRunde"
};

// The snapshot of the options that the engine reads; written only by ApplySettings.
struct AppliedSettings {
    std::array<GroupSettings, kGroupCount> groups{};
    std::int32_t minimum1 = 0, minimum2 = 0;
    std::int32_t maximum1 = 0, maximum2 = 0, maximum3 = 0, maximum4 = 0, maximum6 = 0, maximum12 = 0,
                 maximum18 = 0;
    // OptionFlags: byte k-1 is CheckBox k.
    std::array<std::uint8_t, kOptionFlagCount> optionFlags{};

    // A flag counts as set only when its byte is exactly 1.
    constexpr bool Flag(int checkBox) const { return optionFlags[checkBox - 1] == 1; }
    constexpr const GroupSettings& Of(GroupId id) const { return groups[GroupIndex(id)]; }
    constexpr GroupSettings& Of(GroupId id) { return groups[GroupIndex(id)]; }
    constexpr bool AbsenceRuleActive(GroupId id) const { return Flag(Group(id).absenceCheckBox); }
    constexpr bool RateRuleActive(GroupId id) const { return Flag(Group(id).rateCheckBox); }
};

// The few settings the engine reads from the options at the moment of use, not from AppliedSettings.
class LiveSettings {
  public:
    virtual ~LiveSettings() = default;
    virtual std::int32_t RateStart(GroupId group) const = 0;  // "AbRunde" + GroupKey
    virtual bool OrphelinPlein() const = 0;                   // RadioButton1
    virtual std::int32_t SpinSummeMerk() const = 0;
    virtual std::int32_t Es637sTechnique() const = 0;  // item index of ES637S
};

// LiveSettings held as plain values: for the CLI, the tests and worker threads' snapshots.
struct FixedLiveSettings final : LiveSettings {
    std::array<std::int32_t, kGroupCount> rateStart{};
    bool orphelinPlein = true;
    std::int32_t spinSummeMerk = 0;
    std::int32_t es637sTechnique = 0;

    std::int32_t RateStart(GroupId group) const override { return rateStart[GroupIndex(group)]; }
    bool OrphelinPlein() const override { return orphelinPlein; }
    std::int32_t SpinSummeMerk() const override { return spinSummeMerk; }
    std::int32_t Es637sTechnique() const override { return es637sTechnique; }
};

// The settings read at the moment of use, held as plain values (a worker's or the CLI's snapshot).
inline FixedLiveSettings TakeLiveSettings(const LiveSettings& live) {
    FixedLiveSettings fixed;
    for (const ChanceGroup& g : kChanceGroups) fixed.rateStart[GroupIndex(g.id)] = live.RateStart(g.id);
    fixed.orphelinPlein = live.OrphelinPlein();
    fixed.spinSummeMerk = live.SpinSummeMerk();
    fixed.es637sTechnique = live.Es637sTechnique();
    return fixed;
}

}  // namespace zentora
