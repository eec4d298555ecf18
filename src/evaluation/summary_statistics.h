// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Summary statistics over many runs: means, quantiles and the confidence interval of a proportion.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace zentora {

// The two-sided 95 % normal quantile.
inline constexpr double kZ95 = 1.959963984540054;

// The Wilson score interval of a proportion `successes` / `trials` at normal quantile `z`; it stays inside
// [0, 1] and is sound for 0 and all successes, where the plain normal interval collapses. [0, 1] for no
// trials.
std::pair<double, double> WilsonInterval(long long successes, long long trials, double z = kZ95);

// The p-quantile (0 <= p <= 1) of ascending `sorted` by linear interpolation between the closest ranks
// (Hyndman and Fan's definition 7, the default of R and NumPy): h = (n - 1) p, then
// x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]). 0 for no values.
double Quantile(std::span<const double> sorted, double p);

double Mean(std::span<const double> values);  // 0 for no values

// The sample standard deviation (divisor n - 1); 0 for fewer than two values.
double StandardDeviation(std::span<const double> values);

// Counts of values in `bins` bins of equal width from the lowest value to the highest, `alsoCover` widening
// the range when it lies outside (a mark drawn beside the bars). Each bin holds [start, start + width); the
// last one takes the highest value too. Whole-number values get whole-number widths, so that no bin
// straddles a value another does not. No bins for no values.
struct Histogram {
    double start = 0;
    double width = 1;
    std::vector<std::int64_t> counts;
};
Histogram MakeHistogram(std::span<const double> values, int bins, double alsoCover);

}  // namespace zentora
