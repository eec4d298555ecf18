// SPDX-License-Identifier: GPL-3.0-or-later
// The language table lookups over any table file. The input is the texts to translate (one per line), a NUL
// byte, then the table file; the first byte picks the language.

#include "lang/language_table.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"

using namespace zentora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFile file("Sprache.csv");
    if (size == 0) return 0;
    const int language = 1 + data[0] % 3;
    std::string_view input = fuzz::Text(data + 1, size - 1);
    const auto split = input.find('\0');
    const std::string_view queries = input.substr(0, split);
    const std::string_view table =
        split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

    std::vector<std::string> texts;
    for (std::string_view rest = queries; !rest.empty() && texts.size() < 16;) {
        const auto end = rest.find('\n');
        texts.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    // Some keys of the table itself, so that lookups also hit.
    for (std::string_view rest = table; !rest.empty() && texts.size() < 24;) {
        const auto end = rest.find('\n');
        texts.emplace_back(lang::KeyOf(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }

    file.Write(fuzz::Bytes(reinterpret_cast<const std::uint8_t*>(table.data()), table.size()));
    LanguageTable lookups(file.Path());
    lookups.SetLanguageIndex(language);
    for (std::size_t i = 0; i < std::min<std::size_t>(texts.size(), 4); ++i)
        (void)lookups.TranslateText(texts[i]);
    if (lookups.TranslateList(texts).size() != texts.size()) std::abort();
    if (lookups.TranslateWords(texts).size() != texts.size()) std::abort();
    if (!texts.empty()) (void)lookups.TranslateWordsText(texts.back());
    return 0;
}
