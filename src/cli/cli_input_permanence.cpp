// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/cli_input.h"
#include "cli/commands.h"
#include "files/permanence_flows.h"

namespace zentora::cli {

std::string Describe(const std::string& path, const UserMessage& message) {
    // A message with places names the file itself.
    if (!message.arguments.empty()) return GermanText(message);
    return path + ": " + GermanText(message);
}

files::PermanenceFormat PermanenceFormatArg(const std::string& path) {
    const files::PermanenceFormat format = files::FormatOfPath(path);
    if (format == files::PermanenceFormat::Unknown)
        throw InputError(Describe(path, files::UnknownFormatMessage(path)));
    return format;
}

// Cut-short worksheet records are reported on standard error; the cells before them count.
std::vector<std::uint8_t> LoadPermanenceArg(const std::string& path) {
    files::LoadFlowResult loaded = files::LoadInFormat(PermanenceFormatArg(path), path);
    if (!loaded.ReplacesPermanence()) {
        // The last message says why nothing was read (a cut-short record may come before "no numbers").
        throw InputError(Describe(path, loaded.messages.back()));
    }
    for (const auto& message : loaded.messages)
        std::cerr << "zentora-cli: " << Describe(path, message) << '\n';
    return std::move(loaded.spins);
}

}  // namespace zentora::cli
