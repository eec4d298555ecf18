// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the charts draw beside their curves: the highs and lows per period of a curve, and the figures of an
// evaluation that a player needs to judge a system.

#include <cstdint>
#include <span>
#include <vector>

#include "evaluation/money_evaluation.h"

namespace zentora {

// The points per period of the limit lines for a curve of `count` points divided `divisor` times: one period
// over the whole curve for a divisor of 0 or less or a curve shorter than the divisor, else count / divisor
// points (the rest forms a shorter last period).
std::int64_t LimitPeriod(std::int64_t count, int divisor);

struct PeriodExtreme {
    std::int64_t first = 0;  // index of the period's first point
    std::int64_t count = 0;
    double high = 0;
    double low = 0;
    bool operator==(const PeriodExtreme&) const = default;
};

// Consecutive periods of `period` points (the last may be shorter) with their highest and lowest value;
// none for an empty curve. A period of 0 or less is the whole curve.
std::vector<PeriodExtreme> PeriodExtremes(std::span<const double> values, std::int64_t period);

struct EvaluationSummary {
    std::int64_t spins = 0;
    std::int64_t totalStaked = 0;
    std::int64_t totalReturned = 0;
    std::int64_t finalBalance = 0;
    std::int64_t lowestBalance = 0;  // the deepest the balance went below its start of 0
    double expected = 0;             // the expected change by the stakes laid (the house edge)
};
EvaluationSummary SummaryOf(const EvaluationResult& result);

}  // namespace zentora
