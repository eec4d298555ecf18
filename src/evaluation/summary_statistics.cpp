// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/summary_statistics.h"

#include <algorithm>
#include <cmath>

namespace zentora {

std::pair<double, double> WilsonInterval(long long successes, long long trials, double z) {
    if (trials <= 0) return {0.0, 1.0};
    const double n = static_cast<double>(trials);
    const double p = static_cast<double>(successes) / n;
    const double z2 = z * z;
    const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    const double half = z / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

double Quantile(std::span<const double> sorted, double p) {
    if (sorted.empty()) return 0.0;
    const double h = static_cast<double>(sorted.size() - 1) * std::clamp(p, 0.0, 1.0);
    const auto low = static_cast<std::size_t>(std::floor(h));
    const std::size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (h - static_cast<double>(low)) * (sorted[high] - sorted[low]);
}

double Mean(std::span<const double> values) {
    if (values.empty()) return 0.0;
    double sum = 0;
    for (const double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

double StandardDeviation(std::span<const double> values) {
    if (values.size() < 2) return 0.0;
    const double mean = Mean(values);
    double squares = 0;
    for (const double v : values) squares += (v - mean) * (v - mean);
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

Histogram MakeHistogram(std::span<const double> values, int bins, double alsoCover) {
    Histogram h;
    if (values.empty() || bins < 1) return h;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    h.start = std::floor(std::min(*low, alsoCover));
    const double end = std::max(*high, alsoCover);
    h.width = std::max(1.0, std::ceil((end - h.start + 1) / bins));
    const auto count = static_cast<std::size_t>(std::floor((end - h.start) / h.width)) + 1;
    h.counts.assign(count, 0);
    for (const double v : values)
        ++h.counts[std::min(count - 1, static_cast<std::size_t>(std::floor((v - h.start) / h.width)))];
    return h;
}

}  // namespace zentora
