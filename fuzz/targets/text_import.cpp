// SPDX-License-Identifier: GPL-3.0-or-later
// The text import: any bytes, in any of the encodings the reader accepts. What it finds must be spins, and
// the export of those spins must read back as the same permanence.

#include <cstdlib>

#include "files/text_exchange.h"
#include "fuzz_support.h"

using namespace zentora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> spins = files::ParseTextPermanence(fuzz::Bytes(data, size));
    for (std::uint8_t spin : spins)
        if (spin > 36) std::abort();

    const std::string text = files::FormatTextPermanence(spins);
    const std::vector<std::uint8_t> again = files::ParseTextPermanence(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (again != spins) std::abort();

    // Line by line as well, so that every line shape reaches the number reader on its own.
    std::string_view rest = fuzz::Text(data, size);
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        const auto number = files::ReadTextLineNumber(rest.substr(0, end));
        (void)number;
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    return 0;
}
