#include "cli/cli_input.h"

namespace zentora::cli {

// Interim: every option flag set, until the options model lands.
CliSettings LoadSettingsArg(const std::optional<std::string>&, bool orphelinPlein) {
    CliSettings s;
    s.applied.optionFlags.fill(1);
    s.live.orphelinPlein = orphelinPlein;
    return s;
}

}  // namespace zentora::cli
