// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <filesystem>

#include "cli/cli_input.h"
#include "cli/commands.h"
#include "files/data_location.h"
#include "files/file_access.h"
#include "options/option_files.h"
#include "options/options_model.h"

namespace zentora::cli {

CliSettings LoadSettingsArg(const std::optional<std::string>& path, bool orphelinPlein) {
    // A named file must exist; the program's own data.ini loads like at program start, missing or not.
    std::filesystem::path file;
    if (path) {
        file = *path;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec))
            throw InputError(GermanText(files::ReadErrorMessage(*path, ENOENT)));
    } else {
        // The user's own data.ini when the program is installed, else the shipped one.
        try {
            file = files::FindDataLocation().ReadPath("Einstellungen/data.ini");
        } catch (const files::DataLocationError& e) {
            throw InputError(e.what());
        }
    }
    OptionsModel model;
    try {
        LoadOptions(model, file);
    } catch (const OptionsFileError& e) {
        throw InputError(e.what());
    }
    model.SetOrphelinPlein(orphelinPlein);
    CliSettings settings;
    settings.applied = ApplySettings(model);
    settings.live = TakeLiveSettings(model);
    return settings;
}

}  // namespace zentora::cli
