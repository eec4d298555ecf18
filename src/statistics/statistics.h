// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Permanence statistics: one curve value per spin (three for the overview) for the slots of one chance group,
// counted on a copy of the permanence with counters of its own.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora {

enum class StatisticsKind : std::uint8_t { MaxAbsence, MeanAbsence, MaxRate, MinRate, RateOverview };

// The slots charted for a group: its slot range, except S837, which is charted over 1429..1435.
struct ChartedRange {
    int firstSlot;
    int lastSlot;  // inclusive
};
ChartedRange ChartedRangeOf(GroupId group);

// Name of the group's absence-rule "Ab Runde" field ("Chance137blau", "P437T", ...).
std::string_view AbsenceStartFieldOf(GroupId group);

// The inputs the chart reads besides the curves, taken when the computation starts.
struct StatisticsInputs {
    GroupId group = GroupId::G137;
    StatisticsKind kind = StatisticsKind::MaxAbsence;
    int firstSlot = 0;
    int lastSlot = 0;
    std::int32_t absenceSpan = 0;                            // S
    std::array<std::int32_t, kRateWindowCount> rateUntil{};  // U1..U12
    std::int32_t rateStart = 0;                              // "AbRunde" + GroupKey
    std::string_view absenceStartField;
    std::string_view groupKey;
    std::int64_t spins = 0;  // L
};

// Overview only, for permanences longer than 50000 spins: the smallest rate at spin 50000.
struct StatisticsMarker {
    double spin = 0;
    double value = 0;  // percent
    int slot = 0;      // the first charted slot with that rate
};
inline constexpr std::int64_t kStatisticsMarkerSpin = 50000;

struct StatisticsResult {
    StatisticsInputs inputs;
    std::vector<double> x;   // spin numbers 1..L
    std::vector<double> y;   // the curve; the largest rate for the overview
    std::vector<double> y2;  // overview: mean rate
    std::vector<double> y3;  // overview: smallest rate
    std::optional<StatisticsMarker> marker;
    bool cancelled = false;
};

// `permanence` newest first, as the play state keeps it. `cancel`, when given, is polled now and then; a
// cancelled run returns what it has with `cancelled` set.
StatisticsResult ComputeStatistics(std::span<const std::uint8_t> permanence, GroupId group,
                                   StatisticsKind kind, const AppliedSettings& settings,
                                   const LiveSettings& live, const std::atomic<bool>* cancel = nullptr);

}  // namespace zentora
