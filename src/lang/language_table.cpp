// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/language_table.h"

#include <algorithm>
#include <numeric>

#include "files/file_access.h"

namespace zentora {

namespace lang {

std::string_view KeyOf(std::string_view line) {
    const auto semicolon = line.find(';');
    return semicolon == std::string_view::npos ? line : line.substr(0, semicolon);
}

std::string_view FieldOf(std::string_view line, int language) {
    std::size_t start = line.find(';');
    if (start == std::string_view::npos) return {};
    ++start;
    for (int skip = 1; skip < language; ++skip) {
        const auto next = line.find(';', start);
        if (next == std::string_view::npos) return {};  // too few fields: no defined text
        start = next + 1;
    }
    const auto end = line.find(';', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// std::string_view compares through char_traits<char>, which orders bytes as unsigned values.
int FindLine(const std::vector<std::string>& lines, std::string_view key) {
    int low = 0;
    int high = static_cast<int>(lines.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = KeyOf(lines[middle]).compare(key);
        if (order == 0) return middle;
        if (order > 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return -1;
}

bool IsWordSeparator(unsigned char c) {
    if (c <= 32) return true;
    switch (c) {
        case '!':
        case '&':
        case '(':
        case ')':
        case ',':
        case '-':
        case '.':
        case '/':
        case ':':
        case ';':
        case '?':
        case '\\':
            return true;
        default:
            return false;
    }
}

}  // namespace lang

std::vector<std::string> LanguageTable::ReadLines() const {
    ++reads_;
    // The table cannot translate its own trouble: the message stays German.
    const files::ReadOutcome read =
        files::ReadWholeFile(file_.string(), files::ReadLock::Any, files::kMaxSettingsBytes);
    if (read.status != files::IoStatus::Ok) throw LanguageFileError(GermanText(read.error));
    std::vector<std::string> lines;
    const std::string_view text(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size());
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string LanguageTable::Translate(const UserMessage& message) const {
    std::string text = message.text;
    if (message.translation == MessageTranslation::Text)
        text = TranslateText(message.text);
    else if (message.translation == MessageTranslation::Words)
        text = TranslateWordsText(message.text);
    std::vector<std::string> arguments;
    for (const MessageArgument& a : message.arguments)
        arguments.push_back(a.translate ? TranslateText(a.text) : a.text);
    return FillPlaces(text, arguments);
}

std::string LanguageTable::TranslateText(std::string_view text) const {
    if (language_ == 0) return std::string(text);
    const auto lines = ReadLines();
    const int found = lang::FindLine(lines, text);
    if (found < 0) {
        if (miss_) miss_(text);
        return std::string(text);
    }
    return std::string(lang::FieldOf(lines[found], language_));
}

std::vector<std::string> LanguageTable::TranslateList(const std::vector<std::string>& texts) const {
    if (language_ == 0) return texts;
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return texts[a] < texts[b]; });

    const auto lines = ReadLines();
    std::vector<std::string> results(texts.size());
    // A merge from the largest text down: each scan starts at the line of the previous hit.
    int start = static_cast<int>(lines.size()) - 1;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const std::string& text = texts[*it];
        for (int line = start; line >= 0; --line) {
            if (lang::KeyOf(lines[line]) == text) {
                results[*it] = std::string(lang::FieldOf(lines[line], language_));
                start = line;
                break;
            }
            if (line == 0 && miss_) miss_(text);
        }
        if (start < 0 && miss_) miss_(text);
    }
    return results;
}

std::vector<std::string> LanguageTable::TranslateWords(const std::vector<std::string>& texts) const {
    if (language_ == 0) return texts;
    const auto lines = ReadLines();
    std::vector<std::string> results;
    results.reserve(texts.size());
    for (const std::string& text : texts) {
        std::string out;
        std::size_t i = 0;
        while (i < text.size()) {
            if (lang::IsWordSeparator(static_cast<unsigned char>(text[i]))) {
                out += text[i++];
                continue;
            }
            std::size_t end = i;
            while (end < text.size() && !lang::IsWordSeparator(static_cast<unsigned char>(text[end]))) ++end;
            const std::string_view word(text.data() + i, end - i);
            const int found = lang::FindLine(lines, word);
            if (found < 0 && miss_) miss_(word);
            out += found < 0 ? word : lang::FieldOf(lines[found], language_);
            i = end;
        }
        results.push_back(std::move(out));
    }
    return results;
}

std::string LanguageTable::TranslateWordsText(std::string_view text) const {
    return TranslateWords({std::string(text)}).front();
}

}  // namespace zentora
