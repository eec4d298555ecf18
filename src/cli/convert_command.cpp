// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "files/permanence_flows.h"

namespace zentora::cli {

// Reads INPUT with the open/import rules and writes OUTPUT with the save/export rules, atomically.
int RunConvert(const ConvertArgs& args) {
    const files::PermanenceFormat outputFormat = PermanenceFormatArg(args.output);
    const std::vector<std::uint8_t> spins = LoadPermanenceArg(args.input);
    const files::SaveFlowResult saved = files::SaveInFormat(outputFormat, spins, args.output);
    if (saved.status != files::FlowStatus::Done)
        throw InputError(Describe(args.output, saved.messages.back()));
    return 0;
}

}  // namespace zentora::cli
