// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/applied_settings.h"
#include "files/permanence_flows.h"
#include "files/user_message.h"

namespace zentora::cli {

// A message as zentora-cli prints it: German, naming `path` when the message does not name a file itself.
std::string Describe(const std::string& path, const UserMessage& message);

// The format of PERMANENCE/INPUT/OUTPUT by its extension; throws InputError for any other.
files::PermanenceFormat PermanenceFormatArg(const std::string& path);

// Reads PERMANENCE/INPUT by its extension (.prm, .txt, .xls; case ignored) with the program's open/import
// rules. Returns the spins newest first (index 0 = most recent). Throws InputError when the file cannot be
// used.
std::vector<std::uint8_t> LoadPermanenceArg(const std::string& path);

struct CliSettings {
    AppliedSettings applied;
    FixedLiveSettings live;
};

// Loads --options FILE (or, when absent, the program's own Einstellungen/data.ini as the desktop program
// finds it: the user's copy when installed, else the shipped one) into a fresh options model, applies it and
// takes the settings read at the moment of use. Throws InputError.
CliSettings LoadSettingsArg(const std::optional<std::string>& path, bool orphelinPlein);

}  // namespace zentora::cli
