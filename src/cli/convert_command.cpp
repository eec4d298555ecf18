#include "cli/commands.h"

namespace zentora::cli {

int RunConvert(const ConvertArgs&) { throw InputError("convert: not available yet"); }

}  // namespace zentora::cli
