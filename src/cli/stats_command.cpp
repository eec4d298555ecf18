// SPDX-License-Identifier: GPL-3.0-or-later
#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli_input.h"
#include "cli/commands.h"
#include "statistics/statistics.h"

namespace zentora::cli {

namespace {

GroupId ParseGroup(const std::string& key) {
    for (const ChanceGroup& g : kChanceGroups)
        if (g.key == key) return g.id;
    throw CLI::ValidationError("--group", "unknown group key " + key);
}

StatisticsKind ParseKind(const std::string& kind) {
    if (kind == "max-absence") return StatisticsKind::MaxAbsence;
    if (kind == "mean-absence") return StatisticsKind::MeanAbsence;
    if (kind == "max-rate") return StatisticsKind::MaxRate;
    if (kind == "min-rate") return StatisticsKind::MinRate;
    if (kind == "overview") return StatisticsKind::RateOverview;
    throw CLI::ValidationError("--kind", "unknown kind " + kind);
}

}  // namespace

int RunStats(const StatsArgs& args) {
    // A wrong call is refused before any file is read.
    const GroupId group = ParseGroup(args.group);
    const StatisticsKind kind = ParseKind(args.kind);
    const std::vector<std::uint8_t> newestFirst = LoadPermanenceArg(args.permanence);
    const CliSettings settings = LoadSettingsArg(args.options, true);
    const StatisticsResult result =
        ComputeStatistics(newestFirst, group, kind, settings.applied, settings.live);

    nlohmann::ordered_json out;
    out["x"] = result.x;
    out["y"] = result.y;
    if (kind == StatisticsKind::RateOverview) {
        out["y2"] = result.y2;
        out["y3"] = result.y3;
    }
    std::cout << out.dump() << '\n';
    return 0;
}

}  // namespace zentora::cli
