// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/permanence_folder.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "files/file_access.h"
#include "files/permanence_flows.h"

namespace zentora::files {

FolderLoad LoadPermanenceFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    FolderLoad result;
    std::error_code ec;
    std::vector<std::string> names;
    fs::directory_iterator it(folder, ec);
    if (!ec && !fs::is_directory(folder, ec)) ec = std::make_error_code(std::errc::not_a_directory);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (FormatOfPath(name) != PermanenceFormat::Unknown) names.push_back(std::move(name));
    }
    if (ec) {
        result.folderError = ReadErrorMessage(folder, ec.value() ? ec.value() : ENOENT);
        return result;
    }
    std::sort(names.begin(), names.end());
    for (std::string& name : names) {
        const std::string path = (fs::path(folder) / name).string();
        LoadFlowResult loaded = LoadInFormat(FormatOfPath(name), path);
        if (loaded.ReplacesPermanence())
            result.loaded.push_back({std::move(name), std::move(loaded.spins)});
        else
            result.skipped.push_back({std::move(name), std::move(loaded.messages.back())});
    }
    return result;
}

}  // namespace zentora::files
