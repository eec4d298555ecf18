// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/data_location.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace zentora::files {

namespace fs = std::filesystem;

namespace {

bool HoldsData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / kSettingsFolderName, ec);
}

bool Writable(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

fs::path UserFolder(const char* xdgDataHome, const char* home) {
    // A relative XDG_DATA_HOME is ignored, as the XDG base directory rules say.
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / kUserFolderName;
    if (!home || !*home)
        throw DataLocationError(
            "Zentora findet keinen Ordner für seine Daten: weder XDG_DATA_HOME noch HOME ist "
            "gesetzt.");
    return fs::path(home) / ".local" / "share" / kUserFolderName;
}

// The defaults a user starts with; everything else is read from the shipped folder where it lies.
void CopyMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec) || fs::is_symlink(to, ec)) return;
    fs::copy_file(from, to, ec);
    if (ec) throw DataLocationError("Zentora kann " + to.string() + " nicht anlegen: " + ec.message());
}

}  // namespace

fs::path DataLocation::ReadPath(std::string_view relative) const {
    if (!Portable()) {
        fs::path own = user / relative;
        std::error_code ec;
        if (fs::exists(own, ec)) return own;
    }
    return shipped / relative;
}

DataLocation FindDataLocation(const fs::path& executableFolder, const char* xdgDataHome, const char* home) {
    if (HoldsData(executableFolder)) {
        if (Writable(executableFolder)) return {executableFolder, executableFolder};
        return {executableFolder, UserFolder(xdgDataHome, home)};
    }
    const fs::path shared = (executableFolder.parent_path() / kSharedDataFolder).lexically_normal();
    if (!HoldsData(shared))
        throw DataLocationError("Zentora findet seine Daten nicht: weder " +
                                (executableFolder / kSettingsFolderName).string() + " noch " +
                                (shared / kSettingsFolderName).string() +
                                " ist vorhanden. Bitte installieren Sie das Programm neu.");
    return {shared, UserFolder(xdgDataHome, home)};
}

DataLocation FindDataLocation() {
    return FindDataLocation(ExecutableFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) throw DataLocationError("Zentora findet den Ordner des Programms nicht: " + ec.message());
    return exe.parent_path();
}

void PrepareUserFolder(const DataLocation& location) {
    if (location.Portable()) return;
    const fs::path& user = location.user;
    std::error_code ec;
    for (const char* folder : {"Einstellungen", "Bilder", "Save"}) {
        fs::create_directories(user / folder, ec);
        if (ec)
            throw DataLocationError("Zentora kann den Ordner " + (user / folder).string() +
                                    " nicht anlegen: " + ec.message());
    }
    if (!Writable(user / kSettingsFolderName))
        throw DataLocationError("Zentora kann im Ordner " + (user / kSettingsFolderName).string() +
                                " nicht schreiben.");
    const fs::path data = location.shipped / kSettingsFolderName / "data.ini";
    if (fs::is_regular_file(data, ec)) CopyMissing(data, user / kSettingsFolderName / "data.ini");
    for (const auto& entry : fs::directory_iterator(location.shipped / "Save", ec))
        if (entry.is_regular_file(ec)) CopyMissing(entry.path(), user / "Save" / entry.path().filename());
}

}  // namespace zentora::files
