// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The money evaluation: what the configured betting system would have won or lost over a permanence, spin by
// spin, with counters, rules, stakes, placement and table limits of its own run.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "engine/applied_settings.h"

namespace zentora {

// A run of wins or losses that passed the SpinSummeMerk threshold.
struct EvaluationMarker {
    std::int64_t spin = 0;             // 1-based
    std::int64_t balance = 0;          // Balance after that spin
    std::optional<std::int32_t> slot;  // the chance played in one-chance mode; none without one
    bool operator==(const EvaluationMarker&) const = default;
};

struct EvaluationResult {
    std::vector<std::int64_t> balance;  // after spin 1..L
    std::vector<EvaluationMarker> markers;
    std::int64_t totalStaked = 0;    // every stake laid, the last spin's included
    std::int64_t totalReturned = 0;  // every return, stakes included
    // 37 times the expected change of the balance by every stake laid: each table's ExpectedChange37, so
    // halving on zero and the payout of each position are counted exactly.
    std::int64_t expectedChange37 = 0;
    std::int64_t largestStake = 0;  // the most laid on the table for one spin
    // The table laid after the last spin, for a spin still to come: its sum (booked in the balance, never
    // settled) and its share of expectedChange37.
    std::int64_t lastStake = 0;
    std::int64_t lastExpectedChange37 = 0;
    bool cancelled = false;  // stopped early: balance holds the spins done

    double ExpectedChange() const { return static_cast<double>(expectedChange37) / 37.0; }

    // The X values of the chart: spin k at index k - 1.
    double X(std::size_t index) const { return static_cast<double>(index + 1); }
};

// The marker rule of SpinSummeMerk: with a threshold above 0 a run of wins, below 0 a run of losses, that
// reaches it; a spin without change ends every run. 0 marks nothing.
class MarkerRule {
  public:
    explicit MarkerRule(std::int64_t threshold) : threshold_(threshold) {}
    bool Wins() const { return threshold_ > 0; }
    // The change of one spin; true when it completes a run (which then starts again).
    bool Step(std::int64_t change) {
        if (change == 0 || threshold_ == 0) {
            streak_ = 0;
            return false;
        }
        if (threshold_ < 0 ? change > 0 : change < 0) streak_ = 0;
        streak_ += change;
        if (threshold_ < 0 ? streak_ > threshold_ : streak_ < threshold_) return false;
        streak_ = 0;
        return true;
    }

  private:
    std::int64_t threshold_;
    std::int64_t streak_ = 0;
};

inline constexpr int kProgressSteps = 50;

// The 50 progress thresholds trunc(L * (i / 100 * 2) + 0.5), i = 1..50, made monotonic for short
// permanences: each is at least 1 and at least the one before.
std::array<std::int64_t, kProgressSteps> ProgressThresholds(std::int64_t length);

// Called with 1..50 in turn, each once, as the spin count passes its threshold.
using ProgressCallback = std::function<void(int)>;

// `permanence` newest first (the play state's order), copied by the caller. `live` is read when the run
// starts: RateStart per group, the Orphelin choice, SpinSummeMerk and ES637S. `cancel`, when given, is polled
// now and then; a cancelled run returns at once with `cancelled` set. A long run shares its spins with a
// second thread of its own, joined before the call returns.
EvaluationResult EvaluateMoney(std::span<const std::uint8_t> permanence, const AppliedSettings& settings,
                               const LiveSettings& live, const ProgressCallback& progress = {},
                               const std::atomic<bool>* cancel = nullptr);

// The same, with two threads taking stretches of `stretch` spins whenever the permanence is longer than one
// (a long run's stretches are sized by itself): for checking that the stretches join up exactly.
EvaluationResult EvaluateMoneyInStretches(std::span<const std::uint8_t> permanence,
                                          const AppliedSettings& settings, const LiveSettings& live,
                                          std::int64_t stretch, const ProgressCallback& progress = {},
                                          const std::atomic<bool>* cancel = nullptr);

// Permanence after permanence under the same settings on the calling thread, each as EvaluateMoney would
// give it: what the settings decide is built once, for permanences of up to `longest` spins (a longer one is
// evaluated with its own). `settings` must outlive it; `live` is read as it is built.
class MoneyEvaluator {
  public:
    MoneyEvaluator(const AppliedSettings& settings, const LiveSettings& live, std::int64_t longest);
    ~MoneyEvaluator();
    MoneyEvaluator(MoneyEvaluator&&) noexcept;
    MoneyEvaluator& operator=(MoneyEvaluator&&) noexcept;

    std::int64_t Longest() const;
    EvaluationResult Evaluate(std::span<const std::uint8_t> permanence,
                              const std::atomic<bool>* cancel = nullptr) const;

  private:
    struct Prepared;
    std::unique_ptr<Prepared> prepared_;
};

}  // namespace zentora
