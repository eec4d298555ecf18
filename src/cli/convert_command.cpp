#include "cli/cli_input.h"
#include "cli/commands.h"
#include "files/permanence_flows.h"

namespace zentora::cli {

// Reads INPUT with the open/import rules and writes OUTPUT with the save/export rules, atomically.
int RunConvert(const ConvertArgs& args) {
    const files::PermanenceFormat outputFormat = files::FormatOfPath(args.output);
    if (outputFormat == files::PermanenceFormat::Unknown) {
        throw InputError(args.output + ": unknown file type (expected .prm, .txt or .xls)");
    }
    const std::vector<std::uint8_t> spins = LoadPermanenceArg(args.input);
    const files::SaveFlowResult saved = files::SaveInFormat(outputFormat, spins, args.output);
    if (saved.status != files::FlowStatus::Done) {
        const auto& message = saved.messages.back();
        throw InputError(message.translation == files::MessageTranslation::None
                             ? message.text
                             : args.output + ": " + message.text);
    }
    return 0;
}

}  // namespace zentora::cli
