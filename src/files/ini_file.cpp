// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ini_file.h"

#include <array>
#include <cerrno>

#include "files/file_access.h"

namespace zentora {

namespace {

// Code points of the bytes 0x80..0x9F; the five unassigned bytes keep their own value.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Names compare without regard to ASCII case; the indexes hold them folded.
std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) {
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F) c = kHighControls[b - 0x80];
        AppendUtf8(out, c);
    }
    return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        char32_t c;
        int length;
        if (b < 0x80) {
            c = b, length = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, length = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, length = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, length = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        if (i + length > text.size()) {
            out += '?';
            break;
        }
        for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            byte = static_cast<char>(c);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHighControls[k] == c) byte = static_cast<char>(0x80 + k);
        }
        out += byte;
    }
    return out;
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    text = Trim(text);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::int64_t v = 0;
        for (char ch : text.substr(2)) {
            int digit;
            if (ch >= '0' && ch <= '9')
                digit = ch - '0';
            else if (ch >= 'a' && ch <= 'f')
                digit = ch - 'a' + 10;
            else if (ch >= 'A' && ch <= 'F')
                digit = ch - 'A' + 10;
            else
                return std::nullopt;
            v = v * 16 + digit;
            if (v > INT32_MAX) return std::nullopt;
        }
        return static_cast<std::int32_t>(v);
    }
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        v = v * 10 + (ch - '0');
        if (v > static_cast<std::int64_t>(INT32_MAX) + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view raw = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;  // CR LF, CR or LF

        const std::string_view line = Trim(raw);
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            current = ini.FindSection(name);
            if (!current) {
                current = &ini.AddSection(name, raw);
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        Line l;
        l.raw = std::string(raw);
        if (line.front() != ';' && eq != std::string_view::npos && eq > 0) {
            l.key = std::string(Trim(line.substr(0, eq)));
            l.value = std::string(Trim(line.substr(eq + 1)));
        }
        if (current) {
            if (!l.key.empty()) current->keys.emplace(LowerAscii(l.key), current->lines.size());
            current->lines.push_back(std::move(l));
        } else {
            ini.preamble_.push_back(l.raw);
        }
    }
    return ini;
}

IniFile IniFile::Read(const std::filesystem::path& path) {
    const files::ReadOutcome read =
        files::ReadWholeFile(path.string(), files::ReadLock::Any, files::kMaxSettingsBytes);
    if (read.status == files::IoStatus::InUse)
        throw OptionsFileError({std::string(files::kInUseMessage), MessageTranslation::Text, {}});
    if (read.status != files::IoStatus::Ok) {
        if (read.code == ENOENT) return {};
        throw OptionsFileError(read.error);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size());
    if (bytes.find('\0') != std::string_view::npos)
        throw OptionsFileError(files::ReadErrorMessage(path.string(), files::kNotTextFile));
    return Parse(Windows1252ToUtf8(bytes));
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
    const auto found = sectionIndex_.find(LowerAscii(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(LowerAscii(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

IniFile::Section& IniFile::AddSection(std::string_view name, std::string_view rawHeader) {
    sectionIndex_.emplace(LowerAscii(name), sections_.size());
    return sections_.emplace_back(Section{std::string(name), std::string(rawHeader), {}, {}});
}

std::optional<std::string_view> IniFile::ReadString(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    const auto found = s->keys.find(LowerAscii(key));
    if (found == s->keys.end()) return std::nullopt;
    return std::string_view(s->lines[found->second].value);
}

std::optional<std::int32_t> IniFile::ReadInteger(std::string_view section, std::string_view key) const {
    const auto text = ReadString(section, key);
    return text ? ParseIniInteger(*text) : std::nullopt;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = FindSection(section);
    if (!s) {
        s = &AddSection(section, {});
    }
    const auto [found, added] = s->keys.emplace(LowerAscii(key), s->lines.size());
    if (added) {
        s->lines.push_back({std::string(key), std::string(value), {}});
        return;
    }
    Line& l = s->lines[found->second];
    if (l.value != value) {
        l.value = std::string(value);
        l.raw.clear();
    }
}

std::string IniFile::Serialize() const {
    std::string out;
    for (const std::string& line : preamble_) out.append(line).append("\r\n");
    for (const Section& s : sections_) {
        if (s.rawHeader.empty())
            out.append("[").append(s.name).append("]\r\n");
        else
            out.append(s.rawHeader).append("\r\n");
        for (const Line& l : s.lines) {
            if (!l.raw.empty())
                out.append(l.raw);
            else
                out.append(l.key).append("=").append(l.value);
            out.append("\r\n");
        }
        out.append("\r\n");
    }
    return out;
}

void IniFile::Write(const std::filesystem::path& path) const {
    const files::WriteOutcome written = files::WriteFileAtomic(path.string(), Utf8ToWindows1252(Serialize()));
    if (written.status == files::IoStatus::InUse)
        throw OptionsFileError({std::string(files::kInUseMessage), MessageTranslation::Text, {}});
    if (!written.ok()) throw OptionsFileError(written.error);
}

}  // namespace zentora
