// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/banner_list.h"

#include <cctype>

namespace zentora::files {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

// The part after "scheme://" up to the path, query or fragment.
std::string_view AuthorityPart(std::string_view url) {
    std::size_t start;
    if (StartsWithNoCase(url, "http://"))
        start = 7;
    else if (StartsWithNoCase(url, "https://"))
        start = 8;
    else
        return {};
    std::string_view rest = url.substr(start);
    return rest.substr(0, rest.find_first_of("/?#"));
}

}  // namespace

BannerLine SplitBannerLine(std::string_view line) {
    BannerLine result;
    const std::size_t first = line.find(';');
    if (first == std::string_view::npos) {
        result.hint = line;
        return result;
    }
    result.pictureUrl = line.substr(0, first);
    const std::size_t second = line.find(';', first + 1);
    if (second == std::string_view::npos) {
        result.hint = line;
        return result;
    }
    result.link = line.substr(first + 1, second - first - 1);
    result.hint = line.substr(second + 1);
    return result;
}

std::vector<std::string> SplitListLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

bool IsWebAddress(std::string_view url) {
    const std::string_view authority = AuthorityPart(url);
    if (authority.empty() || authority.find('@') != std::string_view::npos) return false;
    for (unsigned char c : url)
        if (c <= 0x20 || c == 0x7f) return false;
    return authority.front() != ':';
}

std::string AddressAuthority(std::string_view url) {
    return IsWebAddress(url) ? Lower(AuthorityPart(url)) : std::string();
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name.front() == '.' || name.size() > 200) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == ':' || c == '%' || c == '?' || c == '*' ||
            c == '"' || c == '<' || c == '>' || c == '|')
            return false;
    return true;
}

std::optional<std::string> CachedPictureName(std::string_view url, std::string_view makerAuthority) {
    if (makerAuthority.empty() || url.size() < 4 || Lower(url.substr(url.size() - 4)) != ".gif")
        return std::nullopt;
    if (AddressAuthority(url) != Lower(makerAuthority)) return std::nullopt;
    const std::string_view name = url.substr(url.rfind('/') + 1);
    if (!IsPlainFileName(name)) return std::nullopt;
    return std::string(name);
}

}  // namespace zentora::files
