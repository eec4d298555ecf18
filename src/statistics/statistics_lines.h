// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lines the statistics chart draws beside its curve: for the longest absence the value to take over, the
// set value and the signal line; for the smallest rate the twelve rate windows with their lowest values,
// limit curves and "von" lines.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "statistics/statistics.h"

namespace zentora {

struct AbsenceLines {
    double largest = 0;      // s: the longest absence, where ValueLine[0] lies
    double points = 0;       // n: the lines run from 0 to n
    double setValue = 0;     // v: the group's "Ab Runde" value
    double signalValue = 0;  // v - S
};
AbsenceLines AbsenceLinesOf(const StatisticsResult& result, std::int32_t absenceStart);

// The limit curve of a rate window: V x (x + S) / x for the whole spins x from `first` to `last`. It is a
// formula of the spin, so the chart samples it to its width instead of holding a point per spin.
struct LimitCurve {
    std::int64_t first = 1, last = 0;  // empty when last < first
    double from = 0;                   // V, percent
    std::int64_t span = 0;             // S
    double At(std::int64_t x) const {
        const double xd = static_cast<double>(x);
        return from * (xd + static_cast<double>(span)) / xd;
    }
};

// Points of the curve at whole spins for a view of [low, high]: at most `samples` + 1, evenly spaced from the
// spin at or left of the view's left edge to the one at or right of its right edge (so that the line runs to
// both edges), never a spin the curve does not have. Each point is exact.
std::vector<std::pair<double, double>> SampleLimitCurve(const LimitCurve& curve, double low, double high,
                                                        int samples);

struct RateWindowLine {
    int window = 0;  // 1..12
    std::int64_t start = 0;
    std::int64_t end = 0;
    double lowest = 0;  // m: the smallest rate of the spins start..end that exist, percent
    double from = 0;    // "von" of the window, percent
    // The limit curve from x = start - S (at least 1) to the window's end - S, also beyond the permanence.
    LimitCurve limit;
    // The first x below 1 the window's limit curve would need (the window starts S spins too early).
    std::optional<std::int64_t> firstOrderError;
};

struct RateWindowLines {
    double largest = 0;                   // the highest curve value: the height of the vertical lines
    std::vector<RateWindowLine> windows;  // only those that start within the permanence
};

// `vonMilli`: the twelve "von" values of the group in thousandths of a percent, as the fields hold them.
RateWindowLines MinRateWindows(const StatisticsResult& result,
                               const std::array<std::int32_t, kRateWindowCount>& vonMilli);

// The two field names of the order error of window w: "Ab Runde" / "Bis Runde(1)", then "Bis Runde(w-1)" /
// "Bis Runde(w)".
std::pair<std::string, std::string> OrderErrorFields(int window);

}  // namespace zentora
