// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the fuzz targets: a scratch file for readers that only take a path, and the shipped settings.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "engine/applied_settings.h"
#include "options/option_files.h"
#include "options/options_model.h"

namespace zentora::fuzz {

// One file per fuzzing process, rewritten for every input; in memory where /dev/shm exists.
class ScratchFile {
  public:
    explicit ScratchFile(std::string_view name) {
        std::filesystem::path dir = "/dev/shm";
        if (!std::filesystem::is_directory(dir)) dir = std::filesystem::temp_directory_path();
        path_ = (dir / ("zentora-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name))).string();
    }
    ~ScratchFile() { std::remove(path_.c_str()); }

    const std::string& Write(std::span<const std::uint8_t> bytes) const {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        if (!f) std::abort();
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
        if (std::fclose(f) != 0) std::abort();
        return path_;
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

struct Settings {
    AppliedSettings applied;
    FixedLiveSettings live;
};

// The settings the program starts with.
inline const Settings& ShippedSettings() {
    static const Settings settings = [] {
        OptionsModel model;
        LoadOptions(model, std::filesystem::path(ZENTORA_SOURCE_DIR) / "data/Einstellungen/data.ini");
        return Settings{ApplySettings(model), TakeLiveSettings(model)};
    }();
    return settings;
}

inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size) {
    return {data, size};
}
inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace zentora::fuzz
