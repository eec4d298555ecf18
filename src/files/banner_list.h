// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The advertising list beside the program: one banner per line, "picture URL;link;hint".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentora::files {

struct BannerLine {
    std::string pictureUrl;
    std::string link;
    std::string hint;
};

// The first field runs to the first ";", the second to the second ";", the hint from there to the end of the
// line (further ";" included). A field that would end at a missing ";" is empty, and the hint is then the
// whole line, as older lists that carry a bare text expect.
BannerLine SplitBannerLine(std::string_view line);

// The lines of a list file's contents; lines end at CR LF, CR or LF, and a final line end adds no line.
std::vector<std::string> SplitListLines(std::string_view text);

// Only http and https addresses (with a host) are fetched or opened; anything else from a list is ignored.
bool IsWebAddress(std::string_view url);

// "host[:port]" of an http(s) address, lower case; empty for anything else.
std::string AddressAuthority(std::string_view url);

// Where a picture of the maker's own host is cached inside the picture folder: the text after the last "/"
// of the address. Pictures are cached only when the address is a GIF on that host (authority compared, not a
// substring, so another host cannot plant files) and the name is a plain file name; otherwise nullopt.
std::optional<std::string> CachedPictureName(std::string_view url, std::string_view makerAuthority);

// A name usable as a file inside one folder: no path separators, no leading dot, printable characters only.
bool IsPlainFileName(std::string_view name);

}  // namespace zentora::files
