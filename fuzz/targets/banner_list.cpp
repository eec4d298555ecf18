// SPDX-License-Identifier: GPL-3.0-or-later
// The advertising list: split into lines and fields, then the address checks that decide what is fetched,
// opened and cached. A cached picture must never name anything but a plain file in the picture folder.

#include "files/banner_list.h"

#include <cstdlib>

#include "fuzz_support.h"

using namespace zentora;

namespace {
constexpr std::string_view kMaker = "www.zentora.example";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const std::string& line : files::SplitListLines(fuzz::Text(data, size))) {
        if (line.find_first_of("\r\n") != std::string::npos) std::abort();
        const files::BannerLine fields = files::SplitBannerLine(line);
        if (fields.pictureUrl.size() + fields.link.size() > line.size()) std::abort();
        for (const std::string& address : {fields.pictureUrl, fields.link}) {
            const bool web = files::IsWebAddress(address);
            if (web == files::AddressAuthority(address).empty()) std::abort();
        }
        if (const auto name = files::CachedPictureName(fields.pictureUrl, kMaker)) {
            if (!files::IsPlainFileName(*name) || !files::IsWebAddress(fields.pictureUrl)) std::abort();
            if (*name == "." || *name == ".." || name->find('/') != std::string::npos) std::abort();
        }
    }
    return 0;
}
