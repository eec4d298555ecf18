// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics/statistics_lines.h"

#include <algorithm>
#include <cmath>

namespace zentora {

AbsenceLines AbsenceLinesOf(const StatisticsResult& result, std::int32_t absenceStart) {
    AbsenceLines lines;
    if (!result.y.empty()) lines.largest = *std::max_element(result.y.begin(), result.y.end());
    lines.points = static_cast<double>(result.y.size());
    lines.setValue = absenceStart;
    lines.signalValue = static_cast<double>(absenceStart) - result.inputs.absenceSpan;
    return lines;
}

RateWindowLines MinRateWindows(const StatisticsResult& result,
                               const std::array<std::int32_t, kRateWindowCount>& vonMilli) {
    RateWindowLines lines;
    const std::vector<double>& y = result.y;
    const auto length = static_cast<std::int64_t>(y.size());
    if (!y.empty()) lines.largest = *std::max_element(y.begin(), y.end());
    const StatisticsInputs& in = result.inputs;
    const std::int64_t span = in.absenceSpan;
    for (int w = 1; w <= kRateWindowCount; ++w) {
        RateWindowLine line;
        line.window = w;
        line.start = w == 1 ? in.rateStart : in.rateUntil[w - 2];
        line.end = in.rateUntil[w - 1];
        if (line.start >= length) break;

        // Spins are numbered from 1; the window's spins beyond the permanence do not exist yet.
        const std::int64_t first = std::max<std::int64_t>(line.start, 1);
        const std::int64_t last = std::max(first, std::min(line.end, length));
        line.lowest = *std::min_element(y.begin() + (first - 1), y.begin() + last);
        line.from = vonMilli[w - 1] / 1000.0;

        const std::int64_t curveFirst = line.start - span;
        const std::int64_t curveLast = line.end - span;
        if (curveFirst < 1 && curveFirst <= curveLast) line.firstOrderError = curveFirst;
        line.limit = {std::max<std::int64_t>(curveFirst, 1), curveLast, line.from, span};
        lines.windows.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::pair<double, double>> SampleLimitCurve(const LimitCurve& curve, double low, double high,
                                                        int samples) {
    std::vector<std::pair<double, double>> points;
    if (curve.last < curve.first || !(low <= high)) return points;
    // The whole spins from the left edge of the view (or below it) to its right edge (or above), on the
    // curve.
    const auto onCurve = [&](double x) {
        return std::clamp(x, static_cast<double>(curve.first), static_cast<double>(curve.last));
    };
    const auto a = static_cast<std::int64_t>(std::floor(onCurve(low)));
    const auto b = static_cast<std::int64_t>(std::ceil(onCurve(high)));
    const std::int64_t steps = std::clamp<std::int64_t>(b - a, 1, std::max(samples, 1));
    // a + round(i (b - a) / steps), i = 0..steps: both ends are points, and no spin comes twice.
    for (std::int64_t i = 0; i <= steps; ++i) {
        const auto x = a + static_cast<std::int64_t>(static_cast<long double>(b - a) * i / steps + 0.5L);
        if (points.empty() || points.back().first < static_cast<double>(x))
            points.emplace_back(static_cast<double>(x), curve.At(x));
    }
    return points;
}

std::pair<std::string, std::string> OrderErrorFields(int window) {
    if (window <= 1) return {"Ab Runde", "Bis Runde(1)"};
    return {"Bis Runde(" + std::to_string(window - 1) + ")", "Bis Runde(" + std::to_string(window) + ")"};
}

}  // namespace zentora
