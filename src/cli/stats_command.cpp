#include "cli/commands.h"

namespace zentora::cli {

int RunStats(const StatsArgs&) { throw InputError("stats: not available yet"); }

}  // namespace zentora::cli
