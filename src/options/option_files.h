// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "engine/applied_settings.h"
#include "files/ini_file.h"
#include "options/options_model.h"

namespace zentora {

inline constexpr std::string_view kNotAnOptionFileMessage = "Die Datei %1 ist keine Optionsdatei.";

// Loads an option file (data.ini or a .opd file) into the model in the window's load order, every value
// clamped and every change rule run. A missing file loads as if every key were missing. A file that exists
// but cannot be read, or holds text without any section, throws OptionsFileError and leaves the model
// unchanged. Nothing is applied.
void LoadOptions(OptionsModel& model, const std::filesystem::path& source);
void LoadOptions(OptionsModel& model, const IniFile& file);

// Saves the model into the file, writing only keys whose value differs from what the file holds (a missing
// key counting as its compare default) and keeping every other section and key. The "Value" section (the rate
// windows) comes from the applied settings. Writes a temporary file and renames it; throws OptionsFileError.
void SaveOptions(const OptionsModel& model, const AppliedSettings& applied,
                 const std::filesystem::path& target);
void SaveOptions(const OptionsModel& model, const AppliedSettings& applied, IniFile& file);

}  // namespace zentora
