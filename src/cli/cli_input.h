#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "options/applied_settings.h"

namespace zentora::cli {

// Reads PERMANENCE/INPUT by its extension (.prm, .txt, .xls; case ignored) with the program's open/import rules.
// Returns the spins newest first (index 0 = most recent). Throws InputError when the file cannot be used.
std::vector<std::uint8_t> LoadPermanenceArg(const std::string& path);

struct CliSettings {
    AppliedSettings applied;
    FixedLiveSettings live;
};

// Loads --options FILE (or the program's own Einstellungen/data.ini beside the executable when absent) into a
// fresh options model, applies it and takes the settings read at the moment of use. Throws InputError.
CliSettings LoadSettingsArg(const std::optional<std::string>& path, bool orphelinPlein);

}  // namespace zentora::cli
