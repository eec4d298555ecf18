#include "cli/commands.h"

namespace zentora::cli {

int RunReplay(const ReplayArgs&) { throw InputError("replay: not available yet"); }

}  // namespace zentora::cli
