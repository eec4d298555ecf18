#include "cli/commands.h"

namespace zentora::cli {

int RunEvaluate(const EvaluateArgs&) { throw InputError("evaluate: not available yet"); }

}  // namespace zentora::cli
