// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings the evaluation benchmarks start from: the shipped data.ini when it lies beside the program;
// otherwise the form values with the absence rules of groups 137 and 1837 on, as shipped.

#include <filesystem>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"
#include "options/option_files.h"
#include "options/options_model.h"

namespace zentora::bench {

struct Settings {
    AppliedSettings applied;
    FixedLiveSettings live;
};

inline Settings Shipped() {
    OptionsModel model;
    const std::filesystem::path ini = std::filesystem::path(ZENTORA_BIN_DIR) / "Einstellungen" / "data.ini";
    const bool haveIni = std::filesystem::exists(ini);
    if (haveIni) LoadOptions(model, ini);
    Settings s{ApplySettings(model), TakeLiveSettings(model)};
    if (!haveIni) {
        s.applied.optionFlags[Group(GroupId::G137).absenceCheckBox - 1] = 1;
        s.applied.optionFlags[Group(GroupId::G1837).absenceCheckBox - 1] = 1;
    }
    return s;
}

}  // namespace zentora::bench
