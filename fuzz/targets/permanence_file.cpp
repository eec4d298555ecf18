// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a permanence file, then the replay that follows it. The file's bytes are the permanence as they
// are, so numbers above 36 reach the whole spin pipeline.

#include <cstdlib>

#include "core/play_state.h"
#include "core/spin_pipeline.h"
#include "files/permanence_flows.h"
#include "fuzz_support.h"

using namespace zentora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFile file("permanence.prm");
    static PlayState state;
    const auto& settings = fuzz::ShippedSettings();

    const files::LoadFlowResult result = files::OpenPermanenceFile(file.Write(fuzz::Bytes(data, size)));
    if (!result.ReplacesPermanence()) return 0;
    if (result.spins.size() != size) std::abort();  // every byte is a spin

    state.settings = settings.applied;
    ReplacePermanence(state, settings.live, result.spins);
    if (state.permanence.size() != size) std::abort();
    return 0;
}
