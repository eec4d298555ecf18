// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The weekly refresh of an advertising list from the maker's web server, with its bookkeeping file
// ("Update.ini"): section "Update" holds the time of the last check per address, section "IniDatei" the
// last-modified time the server reported for the downloaded list.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zentora::files {

// Seconds since 1970-01-01 00:00:00 UTC.
using DateTime = std::int64_t;
// What a missing or unreadable bookkeeping value counts as: 1899-12-30, the earliest date.
inline constexpr DateTime kEarliestDate = -2209161600;

// "yyyy-mm-dd hh:mm:ss" (UTC); nullopt for anything else.
std::string FormatDateTime(DateTime t);
std::optional<DateTime> ParseDateTime(std::string_view text);

inline constexpr std::string_view kCheckSection = "Update";
inline constexpr std::string_view kModifiedSection = "IniDatei";

// A check is due unless the last one is at most 7 whole days away (either way) and the list exists.
bool CheckDue(DateTime now, DateTime lastCheck, bool localFileExists);
// The list is fetched unless the server reports the stored last-modified time and the list exists. A server
// that reports no time never matches, so such a list is not kept stale for good.
bool DownloadDue(std::optional<DateTime> reported, DateTime stored, bool localFileExists);

struct HeadAnswer {
    bool ok = false;  // an answer with a success status
    std::optional<DateTime> lastModified;
};
struct GetAnswer {
    bool ok = false;
    std::string body;
    std::optional<DateTime> lastModified;
};

// The network side of a refresh; the program's answers over HTTP, the tests' from a fake.
class RefreshTransport {
  public:
    virtual ~RefreshTransport() = default;
    virtual bool Connected() = 0;
    virtual HeadAnswer Head(const std::string& address) = 0;
    virtual GetAnswer Get(const std::string& address) = 0;
};

enum class RefreshOutcome {
    NoServer,    // no address set: not even the connection state asked
    Offline,     // no connection: nothing asked
    NotDue,      // checked within the week and the list exists: nothing asked
    Unchanged,   // headers asked, the list kept; the check time recorded
    Downloaded,  // the list replaced and both times recorded
    Failed,      // no answer, an HTTP error or a file error: the bookkeeping file left as it was
};

// Refreshes `localFile` from `address` (http or https only; empty when no server is set). Errors are never
// thrown: what was recorded in the bookkeeping file before an error is not saved, and the old list stays in
// place.
RefreshOutcome RefreshAdvertList(const std::filesystem::path& bookkeeping, const std::string& address,
                                 const std::filesystem::path& localFile, DateTime now,
                                 RefreshTransport& transport);

// Copies a list over another (the language's list over the banner list); false when the source cannot be
// read or the target written, the target then unchanged.
bool CopyListFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace zentora::files
