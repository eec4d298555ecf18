// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Spins that no permanence file holds yet, and the recovery file that keeps them when the program ends
// without a chance to ask (a signal, a crash, the end of the desktop session).
//
// The permanence is unsaved once a spin was entered, generated or removed since it was last opened,
// imported, saved as a permanence file or emptied by "Neu". While it is unsaved, the recovery file holds
// it: a text file of lines ending in "\n",
//
//   Zentora-Wiederherstellung 1     the first line, always
//   Datei: /home/a/spiel.prm         the remembered permanence file, when there is one
//   5                                one spin per line, the oldest first (0..255, as a permanence file
//   17                               keeps any byte)
//   -                                the newest spin was removed ("Letzte Zahl entfernen")
//
// The file is written whole once per unsaved stretch and then only appended to, one line per spin. A last
// line without its line end (cut off by a crash) and lines that read as nothing above are skipped; every
// other line is kept.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/user_message.h"

namespace zentora::files {

// Beside data.ini in the program's writable data folder.
inline constexpr std::string_view kRecoveryFileName = "Einstellungen/Wiederherstellung.txt";
inline constexpr std::string_view kRecoveryHeader = "Zentora-Wiederherstellung 1";

struct RecoveredPlay {
    std::vector<std::uint8_t> oldestFirst;
    std::string fileName;  // the remembered permanence file; empty when none
    bool operator==(const RecoveredPlay&) const = default;
};

// The recovery file's text; nullopt when it is not one (another first line).
std::optional<RecoveredPlay> ParseRecoveryText(std::span<const std::uint8_t> text);
// The whole text of a recovery file for this permanence. A file name with a line break is left out.
std::string FormatRecoveryText(std::span<const std::uint8_t> oldestFirst, std::string_view fileName);

class UnsavedSpins {
  public:
    UnsavedSpins() = default;
    UnsavedSpins(const UnsavedSpins&) = delete;
    UnsavedSpins& operator=(const UnsavedSpins&) = delete;
    ~UnsavedSpins();  // leaves the recovery file as it is: it still holds what is unsaved

    // From now on keeps unsaved spins in the recovery file at `path`. Refused (false) while another running
    // program keeps that file; this one then keeps none.
    bool KeepRecoveryFile(const std::string& path);
    // What an earlier run left unsaved in the recovery file; nullopt when it left nothing (no file, no
    // spin, not a recovery file) or no file is kept.
    std::optional<RecoveredPlay> LeftOver() const;

    bool Unsaved() const { return unsaved_; }

    // The permanence is now in a file or was discarded: nothing is unsaved, the recovery file goes.
    void Saved();
    // The newest `count` spins of `oldestFirst` were added.
    void Added(std::span<const std::uint8_t> oldestFirst, std::size_t count, std::string_view fileName);
    // The newest spin was removed; `oldestFirst` is the permanence after it.
    void RemovedNewest(std::span<const std::uint8_t> oldestFirst, std::string_view fileName);
    // Any other change; `oldestFirst` is the permanence after it.
    void Changed(std::span<const std::uint8_t> oldestFirst, std::string_view fileName);

    // The first failure to write the recovery file, handed out once per run so that a full disk does not
    // ask for attention at every spin; nothing otherwise.
    std::optional<UserMessage> TakeWriteError();

  private:
    void WriteWhole(std::span<const std::uint8_t> oldestFirst, std::string_view fileName);
    void Append(const std::string& lines, std::span<const std::uint8_t> oldestFirst,
                std::string_view fileName);
    void CloseAppend();
    void Failed(UserMessage error);

    std::string path_;
    int lock_fd_ = -1;
    int append_fd_ = -1;  // open while the file holds the current unsaved stretch
    bool unsaved_ = false;
    std::optional<UserMessage> write_error_;
    bool error_handed_out_ = false;
};

}  // namespace zentora::files
