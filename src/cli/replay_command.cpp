// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/cli_input.h"
#include "cli/commands.h"
#include "core/play_state.h"
#include "core/spin_pipeline.h"

namespace zentora::cli {

int RunReplay(const ReplayArgs& args) {
    const std::vector<std::uint8_t> newestFirst = LoadPermanenceArg(args.permanence);
    const CliSettings settings = LoadSettingsArg(args.options, args.orphelinPlein);

    PlayState state;
    state.settings = settings.applied;
    if (args.live) {
        state.permanence.Reserve(newestFirst.size());
        for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it)
            EnterSpin(state, settings.live, *it);
    } else {
        ReplacePermanence(state, settings.live, newestFirst);
    }

    nlohmann::ordered_json out;
    out["spins"] = state.permanence.size();
    out["absence"] = state.absenceCounter;
    out["hits"] = state.hitCounter;
    out["rate"] = state.hitRate;
    out["rate_signal"] = state.rateSignal;
    out["progression_step"] = state.progressionStep;
    out["slot_stake"] = state.slotStake;
    out["position_stake_raw"] = state.positionStakeRaw;
    out["position_stake"] = state.positionStake;
    out["played_slot"] = state.playedSlot;
    out["signal_list"] = SignalListNames(state.signalList);
    std::cout << out.dump() << '\n';
    return 0;
}

}  // namespace zentora::cli
