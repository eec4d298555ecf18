// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the programs find their files. Read-only data (help pages, language table, layout file, pictures, the
// shipped data.ini and sample permanence) comes with the program; what the program writes (data.ini, option
// files, Update.ini, the advertising lists and banner cache, Save/, the recovery file) lives in a folder of
// the user's own. Run from a build folder or an unpacked copy, both are the executable's folder, as always.
// Installed under a prefix, the data is <prefix>/share/zentora, found from the executable's folder so that
// any prefix works, and the user's folder is $XDG_DATA_HOME/zentora (default ~/.local/share/zentora).

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zentora::files {

// No data to read, or no folder to write: the message says which folder and why.
class DataLocationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct DataLocation {
    std::filesystem::path shipped;  // read-only data that comes with the program
    std::filesystem::path user;     // everything the program writes; equal to `shipped` in portable mode

    bool Portable() const { return shipped == user; }
    // A file to read: the user's copy when there is one (a saved data.ini, a refreshed list), else the
    // shipped one, so that a newer program brings its own pictures and help without touching the user's.
    std::filesystem::path ReadPath(std::string_view relative) const;
    std::filesystem::path WritePath(std::string_view relative) const { return user / relative; }
};

// The folder beside the executable marks a portable copy when it holds Einstellungen/.
inline constexpr std::string_view kSettingsFolderName = "Einstellungen";
// Below the install prefix and below the user's data home.
inline constexpr std::string_view kSharedDataFolder = "share/zentora";
inline constexpr std::string_view kUserFolderName = "zentora";

// Decides the location from the executable's folder and the values of XDG_DATA_HOME and HOME (null when
// unset). A portable folder that cannot be written keeps its data and writes to the user's folder.
// Throws DataLocationError when neither the executable's folder nor <prefix>/share/zentora holds the data,
// or when a user's folder is needed and there is no home to put it in.
DataLocation FindDataLocation(const std::filesystem::path& executableFolder, const char* xdgDataHome,
                              const char* home);
// The same for the running program and its environment.
DataLocation FindDataLocation();

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// Creates the user's folder with Einstellungen/, Bilder/ and Save/ and copies in the shipped defaults the
// user does not have yet (data.ini, the permanences of Save/). A file the user has is never replaced, even
// by a newer shipped one. Throws DataLocationError when the folder cannot be made or written.
void PrepareUserFolder(const DataLocation& location);

}  // namespace zentora::files
