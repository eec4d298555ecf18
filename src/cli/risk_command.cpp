// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli_input.h"
#include "cli/commands.h"
#include "evaluation/risk_analysis.h"
#include "files/permanence_folder.h"

namespace zentora::cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Ctrl+C asks the analysis to stop; a second one ends the program as usual.
extern "C" void OnInterrupt(int) {
    interrupted.store(true);
    std::signal(SIGINT, SIG_DFL);
}

nlohmann::ordered_json RunJson(const RiskRun& r) {
    nlohmann::ordered_json run;
    run["run"] = r.run;
    run["source"] = r.source;
    run["spins"] = r.spins;
    run["final_balance"] = r.finalBalance;
    run["lowest_balance"] = r.lowestBalance;
    run["ruin_spin"] = r.ruinSpin ? nlohmann::ordered_json(*r.ruinSpin) : nlohmann::ordered_json(nullptr);
    run["staked"] = r.staked;
    run["returned"] = r.returned;
    run["largest_stake"] = r.largestStake;
    return run;
}

nlohmann::ordered_json SummaryJson(const RiskSummary& s) {
    nlohmann::ordered_json summary;
    summary["runs"] = s.runs;
    summary["ruined"] = s.ruined;
    // Without a run there is nothing to state.
    const auto value = [&](double v) { return s.runs > 0 ? nlohmann::ordered_json(v) : nullptr; };
    summary["ruin_probability"] = value(s.ruinProbability);
    summary["ruin_ci95"] = {s.ruinCi95[0], s.ruinCi95[1]};
    nlohmann::ordered_json quantiles;
    for (std::size_t i = 0; i < kFinalQuantilePercents.size(); ++i)
        quantiles[std::to_string(kFinalQuantilePercents[i])] = value(s.finalQuantiles[i]);
    summary["final_quantiles"] = std::move(quantiles);
    summary["mean_final"] = value(s.meanFinal);
    summary["expected_final"] = value(s.expectedFinal);
    summary["mean_lowest"] = value(s.meanLowest);
    summary["worst_lowest"] = s.runs > 0 ? nlohmann::ordered_json(s.worstLowest) : nullptr;
    summary["mean_staked_per_spin"] = value(s.meanStakedPerSpin);
    return summary;
}

}  // namespace

int RunRisk(const RiskArgs& args) {
    const CliSettings settings = LoadSettingsArg(args.options, args.orphelinPlein);
    RiskInput input;
    nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
    if (args.permanences) {
        files::FolderLoad folder = files::LoadPermanenceFolder(*args.permanences);
        if (folder.folderError) throw InputError(Describe(*args.permanences, *folder.folderError));
        for (const files::FolderSkip& skip : folder.skipped)
            skipped.push_back({{"file", skip.name}, {"error", Describe(skip.name, skip.message)}});
        std::vector<RiskPermanence> permanences;
        for (files::FolderPermanence& p : folder.loaded)
            permanences.push_back({std::move(p.name), std::move(p.spins)});
        input = ListedRuns(std::move(permanences));
    } else {
        input = RandomRuns(args.seed, args.first, args.random, args.spins);
    }

    // Progress only for a person watching: a terminal.
    const bool showProgress = isatty(STDERR_FILENO) == 1;
    RiskProgress progress;
    if (showProgress)
        progress = [](std::int64_t done, std::int64_t total) {
            std::fprintf(stderr, "\rzentora-cli risk: %lld / %lld", static_cast<long long>(done),
                         static_cast<long long>(total));
            std::fflush(stderr);
        };
    interrupted.store(false);
    const auto previous = std::signal(SIGINT, OnInterrupt);
    RiskResult result;
    try {
        result = AnalyseRisk(input, settings.applied, settings.live,
                             {.bankroll = args.bankroll, .threads = args.threads}, progress, &interrupted);
    } catch (...) {
        std::signal(SIGINT, previous);
        throw;
    }
    std::signal(SIGINT, previous);
    if (showProgress) std::fputc('\n', stderr);

    nlohmann::ordered_json runs = nlohmann::ordered_json::array();
    for (const RiskRun& r : result.runs) runs.push_back(RunJson(r));
    nlohmann::ordered_json out;
    out["runs"] = std::move(runs);
    if (args.permanences) out["skipped"] = std::move(skipped);
    out["summary"] = SummaryJson(Summarise(result.runs));
    std::cout << out.dump() << '\n';
    if (result.cancelled) {
        std::cerr << "zentora-cli: risk: abgebrochen nach " << result.runs.size() << " von " << input.count
                  << " Läufen\n";
        return 128 + SIGINT;
    }
    return 0;
}

}  // namespace zentora::cli
