// SPDX-License-Identifier: GPL-3.0-or-later
// zentora-cli: the engine without a window. One JSON object on standard output.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/commands.h"
#include "version.h"

using namespace zentora::cli;

namespace {

bool ParseOrphelin(const std::string& text) {
    if (text == "plein") return true;
    if (text == "cheval") return false;
    throw CLI::ValidationError("--orphelin", "must be plein or cheval");
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Zentora engine on the command line", "zentora-cli"};
    app.set_version_flag("--version", std::string("zentora-cli ") + zentora::kVersion);
    app.require_subcommand(1, 1);

    ReplayArgs replay;
    std::string replayOrphelin = "plein";
    auto* replayCmd = app.add_subcommand("replay", "Replay a permanence and print the play state");
    replayCmd->add_option("PERMANENCE", replay.permanence)->required();
    replayCmd->add_option("--options", replay.options, "option file");
    replayCmd->add_option("--orphelin", replayOrphelin, "plein or cheval");
    replayCmd->add_flag("--live", replay.live, "enter the spins one by one");

    EvaluateArgs evaluate;
    std::string evaluateOrphelin = "plein";
    auto* evaluateCmd = app.add_subcommand("evaluate", "Money evaluation of a permanence");
    evaluateCmd->add_option("PERMANENCE", evaluate.permanence)->required();
    evaluateCmd->add_option("--options", evaluate.options, "option file");
    evaluateCmd->add_option("--orphelin", evaluateOrphelin, "plein or cheval");

    StatsArgs stats;
    auto* statsCmd = app.add_subcommand("stats", "Statistics of one chance group");
    statsCmd->add_option("PERMANENCE", stats.permanence)->required();
    statsCmd->add_option("--group", stats.group, "GroupKey")->required();
    statsCmd->add_option("--kind", stats.kind, "max-absence, mean-absence, max-rate, min-rate, overview")
        ->required();
    statsCmd->add_option("--options", stats.options, "option file");

    ConvertArgs convert;
    auto* convertCmd = app.add_subcommand("convert", "Convert a permanence between .prm, .txt and .xls");
    convertCmd->add_option("INPUT", convert.input)->required();
    convertCmd->add_option("OUTPUT", convert.output)->required();

    OptionsArgs options;
    auto* optionsCmd = app.add_subcommand("options", "Load an option file and print every setting");
    optionsCmd->add_option("FILE", options.file)->required();
    optionsCmd->add_option("--save", options.save, "write the loaded settings into this file");

    RiskArgs risk;
    std::string riskOrphelin = "plein";
    auto* riskCmd = app.add_subcommand(
        "risk",
        "Money evaluation of many permanences with a bankroll: ruin probability and spread of results");
    riskCmd->add_option("--bankroll", risk.bankroll, "bankroll in units")
        ->required()
        ->check(CLI::NonNegativeNumber);
    auto* folderOpt = riskCmd->add_option("--permanences", risk.permanences,
                                          "folder: every .prm, .txt and .xls file in it, sorted by name");
    auto* randomOpt = riskCmd->add_option("--random", risk.random, "number of random permanences")
                          ->check(CLI::NonNegativeNumber);
    auto* spinsOpt = riskCmd->add_option("--spins", risk.spins, "spins per random permanence")
                         ->check(CLI::NonNegativeNumber);
    auto* seedOpt = riskCmd->add_option("--seed", risk.seed, "seed of the random permanences");
    auto* firstOpt = riskCmd->add_option("--first", risk.first, "number of the first run (default 0)")
                         ->check(CLI::NonNegativeNumber);
    folderOpt->excludes(randomOpt);
    randomOpt->needs(spinsOpt, seedOpt);
    spinsOpt->needs(randomOpt);
    seedOpt->needs(randomOpt);
    firstOpt->needs(randomOpt);
    riskCmd->add_option("--options", risk.options, "option file");
    riskCmd->add_option("--threads", risk.threads, "threads (default: one per core)")
        ->check(CLI::PositiveNumber);
    riskCmd->add_option("--orphelin", riskOrphelin, "plein or cheval");
    riskCmd->footer(
        "Run k of a seed is the same permanence whatever --random, --first or --threads are. "
        "Ctrl+C stops the analysis and prints the runs completed (exit status 130).");

    try {
        app.parse(argc, argv);
        replay.orphelinPlein = ParseOrphelin(replayOrphelin);
        evaluate.orphelinPlein = ParseOrphelin(evaluateOrphelin);
        risk.orphelinPlein = ParseOrphelin(riskOrphelin);
        if (*riskCmd && !*folderOpt && !*randomOpt) throw CLI::RequiredError("--permanences or --random");
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion&) {
        std::cout << "zentora-cli " << zentora::kVersion << "\n";
        return 0;
    } catch (const CLI::Error& e) {
        std::cerr << "zentora-cli: " << e.what() << '\n';
        return 2;
    }

    try {
        if (*replayCmd) return RunReplay(replay);
        if (*evaluateCmd) return RunEvaluate(evaluate);
        if (*statsCmd) return RunStats(stats);
        if (*convertCmd) return RunConvert(convert);
        if (*optionsCmd) return RunOptions(options);
        if (*riskCmd) return RunRisk(risk);
    } catch (const InputError& e) {
        std::cerr << "zentora-cli: " << e.what() << '\n';
        return 1;
    } catch (const CLI::ValidationError& e) {
        std::cerr << "zentora-cli: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "zentora-cli: " << e.what() << '\n';
        return 1;
    }
    return 2;
}
