// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/user_message.h"

namespace zentora {

// An option file that exists but cannot be used, or a save that failed. what() is the German text.
struct OptionsFileError : std::runtime_error {
    explicit OptionsFileError(UserMessage m) : std::runtime_error(GermanText(m)), message(std::move(m)) {}
    UserMessage message;
};

// Windows-1252 on disk, UTF-8 in memory.
std::string Windows1252ToUtf8(std::string_view bytes);
std::string Utf8ToWindows1252(std::string_view text);  // characters outside the code page become "?"

// A value of an option file as a number: an optional sign and decimal digits, or "0x"/"0X" and hex digits,
// fitting a signed 32-bit integer, blanks around it trimmed. Anything else is no number.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

// An INI file held in memory. Section and key names compare without regard to case; sections and keys keep
// the order of the file, new ones follow in the order first written. The first occurrence of a key wins and
// sections of the same name are merged into the first. Lines that are not touched are written back as read.
class IniFile {
  public:
    IniFile() = default;
    static IniFile Parse(std::string_view utf8Text);
    // A missing file reads as empty; anything else that is no regular text file of a sensible size throws
    // OptionsFileError.
    static IniFile Read(const std::filesystem::path& path);

    std::optional<std::string_view> ReadString(std::string_view section, std::string_view key) const;
    // nullopt when the key is missing or its value is no number.
    std::optional<std::int32_t> ReadInteger(std::string_view section, std::string_view key) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
        return ReadInteger(section, key).value_or(fallback);
    }

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
        WriteString(section, key, std::to_string(value));
    }

    bool Empty() const { return preamble_.empty() && sections_.empty(); }
    bool HasSections() const { return !sections_.empty(); }

    std::string Serialize() const;  // UTF-8, CR LF line ends
    // Saves through files::WriteFileAtomic; throws OptionsFileError on failure, leaving the old file as it
    // was.
    void Write(const std::filesystem::path& path) const;

  private:
    struct Line {
        std::string key;  // empty for a comment or other line kept as it is
        std::string value;
        std::string raw;  // the line as read; empty once written
    };
    struct Section {
        std::string name;
        std::string rawHeader;
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keys;  // lower-case key -> its first line
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name, std::string_view rawHeader);

    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-case name -> section
};

}  // namespace zentora
