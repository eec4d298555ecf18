// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every permanence of a folder, for evaluating many at once.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/user_message.h"

namespace zentora::files {

struct FolderPermanence {
    std::string name;                 // the file name within the folder
    std::vector<std::uint8_t> spins;  // newest first
};

struct FolderSkip {
    std::string name;
    UserMessage message;  // why it could not be used, as opening it alone would say
};

struct FolderLoad {
    std::optional<UserMessage> folderError;  // the folder itself could not be listed
    std::vector<FolderPermanence> loaded;    // sorted by name
    std::vector<FolderSkip> skipped;         // sorted by name
};

// Every regular file of `folder` (not its subfolders) named .prm, .txt or .xls, letter case ignored, sorted
// byte-wise by name, read with the open and import rules of its format. A file that cannot be read or holds
// no valid spin is skipped with its message; other files are not looked at.
FolderLoad LoadPermanenceFolder(const std::string& folder);

}  // namespace zentora::files
