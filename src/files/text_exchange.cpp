// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/text_exchange.h"

#include <algorithm>
#include <array>

namespace zentora::files {

std::string FormatTextPermanence(std::span<const std::uint8_t> permanence) {
    static const std::array<std::string, 256> kLines = [] {
        std::array<std::string, 256> lines;
        for (int i = 0; i < 256; ++i) lines[i] = std::to_string(i) + "\r\n";
        return lines;
    }();
    std::string text;
    text.reserve(permanence.size() * 4);
    for (auto it = permanence.rbegin(); it != permanence.rend(); ++it) text += kLines[*it];
    return text;
}

std::optional<std::int32_t> ReadTextLineNumber(std::string_view line) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    bool negative = false;
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) {
        negative = line.front() == '-';
        line.remove_prefix(1);
    }
    if (line.empty()) return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (char c : line) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

namespace {

// UTF-16 text becomes one byte per code unit; anything outside ASCII turns into a character that is neither a
// digit nor trimmed, so the line it stands in is skipped.
std::string NarrowUtf16(std::span<const std::uint8_t> file, bool bigEndian) {
    std::string text;
    text.reserve(file.size() / 2);
    for (std::size_t i = 0; i + 1 < file.size(); i += 2) {
        const unsigned unit = bigEndian ? (file[i] << 8 | file[i + 1]) : (file[i + 1] << 8 | file[i]);
        text += unit < 0x80 ? static_cast<char>(unit) : '\x7f';
    }
    return text;
}

}  // namespace

std::vector<std::uint8_t> ParseTextPermanence(std::span<const std::uint8_t> file) {
    std::string utf16;
    std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    } else if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        utf16 = NarrowUtf16(file.subspan(2), text[0] == '\xFE');
        text = utf16;
    }

    std::vector<std::uint8_t> spins;  // oldest first while reading
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const auto value = ReadTextLineNumber(text.substr(pos, end - pos));
        if (value && *value >= 0 && *value <= 36) spins.push_back(static_cast<std::uint8_t>(*value));
        pos = end;
        if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    std::reverse(spins.begin(), spins.end());
    return spins;
}

}  // namespace zentora::files
