// SPDX-License-Identifier: GPL-3.0-or-later
// An option file as the options window loads it: into the model with every rule, then applied and played
// for a short permanence. Saving the loaded settings and loading them again must give the same settings.

#include <array>
#include <cstdio>
#include <cstdlib>

#include "core/play_state.h"
#include "core/spin_pipeline.h"
#include "files/ini_file.h"
#include "fuzz_support.h"

using namespace zentora;

namespace {

// Newest first: enough spins for hits, absences and a few rates to move.
constexpr std::array<std::uint8_t, 16> kShortPermanence = {17, 5, 17, 0,  32, 32, 8,  19,
                                                           26, 3, 35, 12, 28, 7,  29, 17};

void CheckSameValues(const OptionsModel& a, const OptionsModel& b) {
    for (FieldId id = 0; id < a.FieldCount(); ++id) {
        // A minimum above a stake's upper bound leaves that stake to the clamping order; not compared.
        if (a.Field(id).lower > a.Field(id).upper) continue;
        if (a.Value(id) != b.Value(id)) {
            std::fprintf(stderr, "%s: %d after loading, %d after saving and loading again\n",
                         a.Field(id).name.c_str(), a.Value(id), b.Value(id));
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const OptionsModel formValues;
    static PlayState state;

    IniFile file = IniFile::Parse(Windows1252ToUtf8(fuzz::Text(data, size)));
    OptionsModel model = formValues;
    LoadOptions(model, file);

    state.settings = ApplySettings(model);
    const FixedLiveSettings live = TakeLiveSettings(model);
    ReplacePermanence(state, live, kShortPermanence);

    // Saving into the file it came from keeps its other keys; a fresh file holds exactly the settings.
    SaveOptions(model, state.settings, file);
    (void)file.Serialize();
    IniFile fresh;
    SaveOptions(model, state.settings, fresh);
    OptionsModel reloaded = formValues;
    LoadOptions(reloaded, IniFile::Parse(fresh.Serialize()));
    CheckSameValues(model, reloaded);
    return 0;
}
