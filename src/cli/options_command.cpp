#include "cli/commands.h"

namespace zentora::cli {

int RunOptions(const OptionsArgs&) { throw InputError("options: not available yet"); }

}  // namespace zentora::cli
