// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli_input.h"
#include "cli/commands.h"
#include "evaluation/money_evaluation.h"

namespace zentora::cli {

int RunEvaluate(const EvaluateArgs& args) {
    const std::vector<std::uint8_t> newestFirst = LoadPermanenceArg(args.permanence);
    const CliSettings settings = LoadSettingsArg(args.options, args.orphelinPlein);
    const EvaluationResult result = EvaluateMoney(newestFirst, settings.applied, settings.live);

    nlohmann::ordered_json markers = nlohmann::ordered_json::array();
    for (const EvaluationMarker& m : result.markers) {
        nlohmann::ordered_json marker;
        marker["spin"] = m.spin;
        marker["balance"] = m.balance;
        marker["slot"] = m.slot ? nlohmann::ordered_json(*m.slot) : nlohmann::ordered_json(nullptr);
        markers.push_back(std::move(marker));
    }
    nlohmann::ordered_json out;
    out["spins"] = newestFirst.size();
    out["balance"] = result.balance;
    out["markers"] = std::move(markers);
    std::cout << out.dump() << '\n';
    return 0;
}

}  // namespace zentora::cli
