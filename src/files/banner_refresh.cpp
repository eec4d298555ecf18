// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/banner_refresh.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "files/banner_list.h"
#include "files/file_access.h"
#include "files/ini_file.h"

namespace zentora::files {

namespace {

using std::chrono::days;
using std::chrono::seconds;
using std::chrono::sys_days;
using std::chrono::sys_seconds;

constexpr DateTime kSecondsPerDay = 86400;

std::optional<std::string> ReadText(const std::filesystem::path& path) {
    const ReadOutcome read = ReadWholeFile(path.string(), ReadLock::Any, kMaxSettingsBytes);
    if (read.status != IoStatus::Ok) return std::nullopt;
    return std::string(read.bytes.begin(), read.bytes.end());
}

// Throws on failure, as the bookkeeping file's save does.
void SaveText(const std::filesystem::path& path, std::string_view text) {
    const WriteOutcome written = WriteFileAtomic(path.string(), text);
    if (!written.ok()) throw std::runtime_error(GermanText(written.error));
}

}  // namespace

std::string FormatDateTime(DateTime t) {
    const sys_seconds time{seconds{t}};
    const sys_days day = std::chrono::floor<days>(time);
    const std::chrono::year_month_day ymd{day};
    const std::chrono::hh_mm_ss hms{time - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                  static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()),
                  static_cast<int>(hms.seconds().count()));
    return text;
}

std::optional<DateTime> ParseDateTime(std::string_view text) {
    // Exactly "dddd-dd-dd dd:dd:dd".
    if (text.size() != 19) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char expected = i == 4 || i == 7 ? '-' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : '0';
        if (expected == '0' ? (c < '0' || c > '9') : c != expected) return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    const std::chrono::year_month_day ymd{std::chrono::year{number(0, 4)},
                                          std::chrono::month{static_cast<unsigned>(number(5, 2))},
                                          std::chrono::day{static_cast<unsigned>(number(8, 2))}};
    const int h = number(11, 2), m = number(14, 2), s = number(17, 2);
    if (!ymd.ok() || h > 23 || m > 59 || s > 59) return std::nullopt;
    return sys_days{ymd}.time_since_epoch().count() * kSecondsPerDay + h * 3600 + m * 60 + s;
}

bool CheckDue(DateTime now, DateTime lastCheck, bool localFileExists) {
    const DateTime difference = now >= lastCheck ? now - lastCheck : lastCheck - now;
    return !(difference / kSecondsPerDay <= 7 && localFileExists);
}

bool DownloadDue(std::optional<DateTime> reported, DateTime stored, bool localFileExists) {
    return !(reported && *reported == stored && localFileExists);
}

RefreshOutcome RefreshAdvertList(const std::filesystem::path& bookkeeping, const std::string& address,
                                 const std::filesystem::path& localFile, DateTime now,
                                 RefreshTransport& transport) {
    if (address.empty()) return RefreshOutcome::NoServer;
    if (!transport.Connected()) return RefreshOutcome::Offline;
    if (!IsWebAddress(address)) return RefreshOutcome::Failed;
    try {
        IniFile book;
        try {
            book = IniFile::Read(bookkeeping);
        } catch (const OptionsFileError&) {
            // An unreadable bookkeeping file holds no usable time; it is rebuilt.
        }
        const auto readTime = [&](std::string_view section) {
            const auto text = book.ReadString(section, address);
            return (text ? ParseDateTime(*text) : std::nullopt).value_or(kEarliestDate);
        };
        std::error_code ec;
        const bool exists = std::filesystem::is_regular_file(localFile, ec);
        if (!CheckDue(now, readTime(kCheckSection), exists)) return RefreshOutcome::NotDue;

        const HeadAnswer head = transport.Head(address);
        if (!head.ok) return RefreshOutcome::Failed;
        book.WriteString(kCheckSection, address, FormatDateTime(now));
        RefreshOutcome outcome = RefreshOutcome::Unchanged;
        if (DownloadDue(head.lastModified, readTime(kModifiedSection), exists)) {
            const GetAnswer get = transport.Get(address);
            if (!get.ok) return RefreshOutcome::Failed;
            std::string text;
            for (const std::string& line : SplitListLines(get.body)) text.append(line).append("\r\n");
            SaveText(localFile, text);
            book.WriteString(kModifiedSection, address,
                             get.lastModified ? FormatDateTime(*get.lastModified) : std::string());
            outcome = RefreshOutcome::Downloaded;
        }
        book.Write(bookkeeping);
        return outcome;
    } catch (const std::exception&) {
        return RefreshOutcome::Failed;
    }
}

bool CopyListFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    const auto text = ReadText(from);
    if (!text) return false;
    try {
        SaveText(to, *text);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace zentora::files
