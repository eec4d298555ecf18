// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/risk_analysis.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <thread>

#include "evaluation/chart_data.h"
#include "evaluation/summary_statistics.h"

namespace zentora {

std::vector<std::uint8_t> RandomPermanence(std::uint64_t seed, std::int64_t run, std::int64_t spins) {
    const auto runBits = static_cast<std::uint64_t>(run);
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                           static_cast<std::uint32_t>(runBits), static_cast<std::uint32_t>(runBits >> 32)};
    std::mt19937_64 generator(sequence);
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    constexpr std::uint64_t kRest = (kMax % 37 + 1) % 37;  // 2^64 mod 37
    // The draws above the last whole multiple of 37 would make the low numbers a little likelier.
    constexpr std::uint64_t kLastAccepted = kMax - kRest;
    std::vector<std::uint8_t> newestFirst(static_cast<std::size_t>(std::max<std::int64_t>(spins, 0)));
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) {
        std::uint64_t u = generator();
        while (u > kLastAccepted) u = generator();
        *it = static_cast<std::uint8_t>(u % 37);
    }
    return newestFirst;
}

RiskInput RandomRuns(std::uint64_t seed, std::int64_t first, std::int64_t count, std::int64_t spins) {
    return {first, count, [seed, spins](std::int64_t run) {
                return RiskPermanence{"seed:" + std::to_string(run), RandomPermanence(seed, run, spins)};
            }};
}

RiskInput ListedRuns(std::vector<RiskPermanence> permanences) {
    auto list = std::make_shared<const std::vector<RiskPermanence>>(std::move(permanences));
    return {0, static_cast<std::int64_t>(list->size()),
            [list](std::int64_t run) { return (*list)[static_cast<std::size_t>(run)]; }};
}

RiskRun MeasureRun(std::int64_t run, std::string source, const EvaluationResult& result,
                   std::int64_t bankroll) {
    const EvaluationSummary summary = SummaryOf(result);
    RiskRun r;
    r.run = run;
    r.source = std::move(source);
    r.spins = summary.spins;
    r.finalBalance = summary.finalBalance;
    r.lowestBalance = summary.lowestBalance;
    r.staked = summary.totalStaked;
    r.returned = summary.totalReturned;
    r.largestStake = result.largestStake;
    r.expectedFinal37 = result.expectedChange37 - result.lastExpectedChange37 - 37 * result.lastStake;
    std::int64_t before = 0;
    for (std::size_t k = 0; k < result.balance.size(); ++k) {
        const std::int64_t balance = result.balance[k];
        if (balance < before && balance <= -bankroll) {
            r.ruinSpin = static_cast<std::int64_t>(k + 1);
            break;
        }
        before = balance;
    }
    return r;
}

RiskSummary Summarise(std::span<const RiskRun> runs) {
    RiskSummary s;
    s.runs = static_cast<std::int64_t>(runs.size());
    std::vector<double> finals, lowests;
    finals.reserve(runs.size());
    lowests.reserve(runs.size());
    double expected37 = 0, staked = 0, spins = 0;
    for (const RiskRun& r : runs) {
        if (r.ruinSpin) ++s.ruined;
        finals.push_back(static_cast<double>(r.finalBalance));
        lowests.push_back(static_cast<double>(r.lowestBalance));
        expected37 += static_cast<double>(r.expectedFinal37);
        staked += static_cast<double>(r.staked);
        spins += static_cast<double>(r.spins);
        s.worstLowest = std::min(s.worstLowest, r.lowestBalance);
    }
    if (runs.empty()) return s;
    const double n = static_cast<double>(runs.size());
    s.ruinProbability = static_cast<double>(s.ruined) / n;
    const auto [low, high] = WilsonInterval(s.ruined, s.runs);
    s.ruinCi95 = {low, high};
    s.meanFinal = Mean(finals);
    s.meanLowest = Mean(lowests);
    s.expectedFinal = expected37 / 37.0 / n;
    s.meanStakedPerSpin = spins > 0 ? staked / spins : 0.0;
    std::sort(finals.begin(), finals.end());
    for (std::size_t i = 0; i < kFinalQuantilePercents.size(); ++i)
        s.finalQuantiles[i] = Quantile(finals, kFinalQuantilePercents[i] / 100.0);
    return s;
}

RiskResult AnalyseRisk(const RiskInput& input, const AppliedSettings& settings, const LiveSettings& live,
                       const RiskOptions& options, const RiskProgress& progress,
                       const std::atomic<bool>* cancel) {
    const std::int64_t count = std::max<std::int64_t>(input.count, 0);
    const auto cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int threads = static_cast<int>(std::clamp<std::int64_t>(
        options.threads > 0 ? options.threads : cores, 1, std::max<std::int64_t>(count, 1)));
    // With a run for every thread a run's own helper thread would only compete with the pool; fewer runs
    // than threads (a folder of one long permanence) let the evaluation share a run with a second thread.
    const bool alone = count >= (options.threads > 0 ? options.threads : cores);
    const FixedLiveSettings fixedLive = TakeLiveSettings(live);

    std::vector<std::optional<RiskRun>> done(static_cast<std::size_t>(count));
    std::atomic<std::int64_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex report;
    std::int64_t completed = 0;
    std::exception_ptr failure;
    const auto cancelled = [&] {
        return stop.load(std::memory_order_relaxed) || (cancel && cancel->load(std::memory_order_relaxed));
    };

    const auto work = [&] {
        try {
            std::optional<MoneyEvaluator> evaluator;  // this thread's, built again for a longer permanence
            for (std::int64_t i; !cancelled() && (i = next.fetch_add(1)) < count;) {
                const std::int64_t run = input.first + i;
                RiskPermanence permanence = input.permanence(run);
                const auto length = static_cast<std::int64_t>(permanence.spins.size());
                if (alone && (!evaluator || length > evaluator->Longest()))
                    evaluator.emplace(settings, fixedLive, length);
                const EvaluationResult result =
                    alone ? evaluator->Evaluate(permanence.spins, cancel)
                          : EvaluateMoney(permanence.spins, settings, fixedLive, {}, cancel);
                if (result.cancelled) break;
                done[static_cast<std::size_t>(i)] =
                    MeasureRun(run, std::move(permanence.source), result, options.bankroll);
                const std::lock_guard lock(report);
                ++completed;
                if (progress) progress(completed, count);
            }
        } catch (...) {
            const std::lock_guard lock(report);
            if (!failure) failure = std::current_exception();
            stop.store(true);
        }
    };
    {
        std::vector<std::jthread> pool;
        for (int t = 1; t < threads; ++t) pool.emplace_back(work);
        work();
    }
    if (failure) std::rethrow_exception(failure);

    RiskResult result;
    result.cancelled = cancel && cancel->load() && completed < count;
    result.runs.reserve(static_cast<std::size_t>(completed));
    for (auto& run : done)
        if (run) result.runs.push_back(std::move(*run));
    return result;
}

}  // namespace zentora
