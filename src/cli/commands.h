// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace zentora::cli {

// Input that cannot be used: exit status 1, message on standard error.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ReplayArgs {
    std::string permanence;
    std::optional<std::string> options;
    bool orphelinPlein = true;
    bool live = false;
};
struct EvaluateArgs {
    std::string permanence;
    std::optional<std::string> options;
    bool orphelinPlein = true;
};
struct StatsArgs {
    std::string permanence;
    std::string group;
    std::string kind;
    std::optional<std::string> options;
};
struct ConvertArgs {
    std::string input;
    std::string output;
};
struct RiskArgs {
    std::int64_t bankroll = 0;
    std::optional<std::string> permanences;  // a folder; else random permanences
    std::int64_t random = 0, spins = 0, first = 0;
    std::uint64_t seed = 0;
    std::optional<std::string> options;
    int threads = 0;  // 0: every core
    bool orphelinPlein = true;
};
struct OptionsArgs {
    std::string file;
    std::optional<std::string> save;
};

// Each prints its JSON object to standard output and returns the exit status; throws InputError.
int RunReplay(const ReplayArgs& args);
int RunEvaluate(const EvaluateArgs& args);
int RunStats(const StatsArgs& args);
int RunConvert(const ConvertArgs& args);
int RunOptions(const OptionsArgs& args);
// Prints the runs completed so far and returns 130 when Ctrl+C stopped it.
int RunRisk(const RiskArgs& args);

}  // namespace zentora::cli
