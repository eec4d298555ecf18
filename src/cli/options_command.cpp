// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "files/file_access.h"
#include "options/option_files.h"
#include "options/options_model.h"
#include "options/window_rules.h"

namespace zentora::cli {

int RunOptions(const OptionsArgs& args) {
    std::error_code ec;
    if (!std::filesystem::exists(args.file, ec))
        throw InputError(GermanText(files::ReadErrorMessage(args.file, ENOENT)));
    OptionsModel model;
    try {
        LoadOptions(model, args.file);
        CreationRules(model);  // as the program holds them after its start
        if (args.save) SaveOptions(model, ApplySettings(model), *args.save);
    } catch (const OptionsFileError& e) {
        throw InputError(e.what());
    }

    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    for (FieldId id = 0; id < model.FieldCount(); ++id) {
        const OptionField& f = model.Field(id);
        if (f.kind == FieldKind::Decimal)
            out[f.name] = PercentOf(f.value);
        else
            out[f.name] = f.value;
    }
    std::cout << out.dump() << '\n';
    return 0;
}

}  // namespace zentora::cli
