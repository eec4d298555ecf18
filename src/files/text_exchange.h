// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text exchange file: one decimal spin per line, oldest first, CR LF line ends.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentora::files {

// The export text: one line per spin, oldest spin first, each "N\r\n"; empty for an empty permanence.
std::string FormatTextPermanence(std::span<const std::uint8_t> permanence);

// The number a line holds: an optional sign and decimal digits (leading zeros allowed) after removing the
// characters up to the blank (codes 0..32) at both ends; no hex. Nullopt when the line is not such a number
// or does not fit a signed 32-bit integer.
std::optional<std::int32_t> ReadTextLineNumber(std::string_view line);

// The spins of a text file, newest first: every line that reads as 0..36, the last line becoming the most
// recent spin; other lines are skipped. Lines end at CR LF, CR or LF. A UTF-8 byte order mark is ignored and
// UTF-16 text (with its byte order mark) is read too.
std::vector<std::uint8_t> ParseTextPermanence(std::span<const std::uint8_t> file);

}  // namespace zentora::files
