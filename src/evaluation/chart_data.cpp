// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/chart_data.h"

#include <algorithm>

namespace zentora {

std::int64_t LimitPeriod(std::int64_t count, int divisor) {
    if (divisor <= 0) return count;
    const std::int64_t period = count / divisor;
    return period > 0 ? period : count;
}

std::vector<PeriodExtreme> PeriodExtremes(std::span<const double> values, std::int64_t period) {
    const auto count = static_cast<std::int64_t>(values.size());
    if (period <= 0) period = count;
    std::vector<PeriodExtreme> periods;
    for (std::int64_t first = 0; first < count; first += period) {
        const std::int64_t n = std::min(period, count - first);
        const auto begin = values.begin() + first;
        const auto [low, high] = std::minmax_element(begin, begin + n);
        periods.push_back({first, n, *high, *low});
    }
    return periods;
}

EvaluationSummary SummaryOf(const EvaluationResult& result) {
    EvaluationSummary s;
    s.spins = static_cast<std::int64_t>(result.balance.size());
    s.totalStaked = result.totalStaked;
    s.totalReturned = result.totalReturned;
    if (!result.balance.empty()) {
        s.finalBalance = result.balance.back();
        s.lowestBalance =
            std::min<std::int64_t>(0, *std::min_element(result.balance.begin(), result.balance.end()));
    }
    s.expected = result.ExpectedChange();
    return s;
}

}  // namespace zentora
