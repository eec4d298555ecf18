// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The risk analysis: the money evaluation of many permanences with a bankroll, spread over every core, and
// what they say together (ruin probability, spread of the final balances, the house edge of the stakes).

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/applied_settings.h"
#include "evaluation/money_evaluation.h"

namespace zentora {

// Run `run` of `seed`: `spins` numbers, newest first as the play state holds them. The generator is
// std::mt19937_64 seeded through std::seed_seq with the low and high 32 bits of the seed and of the run
// (both fully defined by the standard, so every machine and library draws the same numbers). The spins are
// drawn oldest first; a 64-bit draw u gives u mod 37 unless u lies at or above the largest multiple of 37
// that fits in 64 bits, when it is drawn again, so that every number 0..36 is equally likely. A run depends
// on the seed and its own number only: shards and threads draw the same permanence for it.
std::vector<std::uint8_t> RandomPermanence(std::uint64_t seed, std::int64_t run, std::int64_t spins);

struct RiskPermanence {
    std::string source;               // the file name, or "seed:k"
    std::vector<std::uint8_t> spins;  // newest first
};

// The runs first .. first + count - 1; `permanence(k)` gives run k and is called from several threads.
struct RiskInput {
    std::int64_t first = 0;
    std::int64_t count = 0;
    std::function<RiskPermanence(std::int64_t run)> permanence;
};
RiskInput RandomRuns(std::uint64_t seed, std::int64_t first, std::int64_t count, std::int64_t spins);
// Run k is permanences[k]; the input keeps them.
RiskInput ListedRuns(std::vector<RiskPermanence> permanences);

struct RiskRun {
    std::int64_t run = 0;
    std::string source;
    std::int64_t spins = 0;
    std::int64_t finalBalance = 0;
    std::int64_t lowestBalance = 0;        // the lowest balance, the start of 0 included
    std::optional<std::int64_t> ruinSpin;  // see MeasureRun
    std::int64_t staked = 0;
    std::int64_t returned = 0;
    std::int64_t largestStake = 0;  // the most laid on the table for one spin
    // 37 x the exact expectation of the final balance: every table settled by a spin of the run changes the
    // balance by its mean over the 37 numbers (each position by its payout, halving on zero where it is on);
    // the table laid after the last spin is booked in the balance in full and never settled.
    std::int64_t expectedFinal37 = 0;
    bool operator==(const RiskRun&) const = default;
};

// One run's figures from its evaluation. Ruin is the first spin whose loss leaves the balance at -bankroll
// or below. The balance is the evaluation's: it counts the stakes lying on the table for the next spin,
// which is what the bankroll has to cover. With a bankroll above 0 that is simply the first spin at
// -bankroll or below; with 0, the first loss that leaves nothing, usually the first stake laid.
RiskRun MeasureRun(std::int64_t run, std::string source, const EvaluationResult& result,
                   std::int64_t bankroll);

inline constexpr std::array<int, 5> kFinalQuantilePercents = {5, 25, 50, 75, 95};

struct RiskSummary {
    std::int64_t runs = 0;
    std::int64_t ruined = 0;
    double ruinProbability = 0;
    std::array<double, 2> ruinCi95{0, 1};    // Wilson score
    std::array<double, 5> finalQuantiles{};  // at kFinalQuantilePercents
    double meanFinal = 0;
    double expectedFinal = 0;  // the mean of the runs' exact expectations of their final balance
    double meanLowest = 0;
    std::int64_t worstLowest = 0;
    double meanStakedPerSpin = 0;  // all stakes over all spins
};
// Over the runs given; every mean is 0 for none.
RiskSummary Summarise(std::span<const RiskRun> runs);

struct RiskOptions {
    std::int64_t bankroll = 0;
    int threads = 0;  // 0: one per core
};

struct RiskResult {
    std::vector<RiskRun> runs;  // the runs completed, in run order
    bool cancelled = false;
};

// Called after each completed run with the number completed and the number asked for; from the worker
// threads, one call at a time.
using RiskProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// Evaluates every run of `input`, one run per task on a pool of threads. `cancel` is looked at between runs
// and, through the evaluation, within a run, so that a cancel stops the analysis at once; the runs completed
// by then are returned. An exception of a run ends the analysis and is thrown here.
RiskResult AnalyseRisk(const RiskInput& input, const AppliedSettings& settings, const LiveSettings& live,
                       const RiskOptions& options, const RiskProgress& progress = {},
                       const std::atomic<bool>* cancel = nullptr);

}  // namespace zentora
