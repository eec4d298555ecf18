#include <fstream>
#include <iterator>

#include "cli/cli_input.h"
#include "cli/commands.h"

namespace zentora::cli {

// Interim: raw .prm bytes only, until the file formats land.
std::vector<std::uint8_t> LoadPermanenceArg(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zentora::cli
