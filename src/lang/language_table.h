// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/user_message.h"

namespace zentora {

// The table file could not be read while a language other than 0 was in use.
class LanguageFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kLanguageCount = 4;

// The language table "Einstellungen/Sprache.csv": one line per German text, "key;lang1;lang2;lang3",
// sorted byte-wise by key. The file is read afresh on every lookup (it is small and may be edited while the
// program runs); language 0 is the program's own German and never touches the file.
class LanguageTable {
  public:
    explicit LanguageTable(std::filesystem::path file = {}) : file_(std::move(file)) {}

    const std::filesystem::path& File() const { return file_; }
    void SetFile(std::filesystem::path file) { file_ = std::move(file); }

    // Values outside 0..3 select language 0.
    void SetLanguageIndex(int index) { language_ = (index >= 0 && index < kLanguageCount) ? index : 0; }
    int LanguageIndex() const { return language_; }

    std::string TranslateText(std::string_view text) const;
    std::vector<std::string> TranslateList(const std::vector<std::string>& texts) const;
    std::vector<std::string> TranslateWords(const std::vector<std::string>& texts) const;
    std::string TranslateWordsText(std::string_view text) const;
    // The message's text as its translation asks, with the places filled (translated arguments too).
    std::string Translate(const UserMessage& message) const;

    // How often the file has been read (for tests and measurements).
    long ReadCount() const { return reads_; }

    // Hears of every text (or, word by word, every word) that no line holds; lets a check of the shipped
    // table walk the windows and see what they would show untranslated.
    void SetMissObserver(std::function<void(std::string_view)> observer) { miss_ = std::move(observer); }

  private:
    std::vector<std::string> ReadLines() const;

    std::filesystem::path file_;
    int language_ = 0;
    mutable long reads_ = 0;
    std::function<void(std::string_view)> miss_;
};

// Pieces of the lookup, exposed for tests.
namespace lang {
std::string_view KeyOf(std::string_view line);
std::string_view FieldOf(std::string_view line, int language);
// Bisection over lines sorted byte-wise by key; -1 when the key is not reached.
int FindLine(const std::vector<std::string>& lines, std::string_view key);
bool IsWordSeparator(unsigned char c);
}  // namespace lang

}  // namespace zentora
