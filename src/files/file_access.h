// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file reading and atomic writing: every file the program reads or saves goes through here.
// A file is read only when it is a regular file within its size limit (a pipe or a device would block or
// never end), and completely before anything uses it. A save writes a temporary file beside the target
// that replaces the target only once every byte is on disk, so a failed save never destroys the old file;
// a symbolic link stays a link and the file keeps its mode.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/user_message.h"

namespace zentora::files {

enum class IoStatus {
    Ok,
    InUse,   // another process holds a lock on the file
    Failed,  // the system refused; the error text says why
};

// How much sharing a reader tolerates: a permanence or text file is read while denying other writers (a
// reader lock held elsewhere is fine); a worksheet may only be read when nobody else holds any lock on it;
// settings, tables and lists are read whatever locks others hold.
enum class ReadLock { DenyWriters, Exclusive, Any };

struct ReadOutcome {
    IoStatus status = IoStatus::Ok;
    int code = 0;       // when Failed: why (an errno value or one of the codes below)
    UserMessage error;  // when Failed: the file and why it cannot be read
    std::vector<std::uint8_t> bytes;
};

struct WriteOutcome {
    IoStatus status = IoStatus::Ok;
    UserMessage error;  // when Failed: the file and why it cannot be written
    bool ok() const { return status == IoStatus::Ok; }
};

// What a file that another program holds a lock on shows.
inline constexpr std::string_view kInUseMessage = "Datei wird bereits von anderem Programm bearbeitet";

// Largest permanence or worksheet read into memory.
inline constexpr std::uint64_t kMaxReadBytes = std::uint64_t{1} << 30;
// Largest settings file, language table, layout file or advertising list.
inline constexpr std::uint64_t kMaxSettingsBytes = std::uint64_t{16} << 20;

// Why a path is no file to read, besides the system's errno values (ENOENT, EACCES, EISDIR, EFBIG, ...).
inline constexpr int kNotRegularFile = -1;  // a pipe, device or socket
inline constexpr int kNotTextFile = -2;     // an option file holding binary data

// Looks, without opening anything, whether `path` (links followed) is a regular file of at most `limit`
// bytes: 0 when it is, else why not (an errno value, EISDIR for a folder, kNotRegularFile, EFBIG).
int CheckRegularFile(const std::string& path, std::uint64_t limit);

// A regular file of at most `limit` bytes, read whole; anything else fails without blocking.
ReadOutcome ReadWholeFile(const std::string& path, ReadLock lock, std::uint64_t limit = kMaxReadBytes);

// "The file cannot be read/written" with the file name and the reason for `code` (an errno value or one of
// the codes above): a German text of the language table for the usual reasons, the system's own text for
// the rare ones.
UserMessage ReadErrorMessage(const std::string& path, int code);
UserMessage WriteErrorMessage(const std::string& path, int code);

// A file written under a temporary name beside its target and renamed over it by Commit. The temporary file
// is locked (flock) while it is written. Destroying an uncommitted AtomicFile removes the temporary file.
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Refuses a target that another process holds a lock on, and a directory.
    WriteOutcome Open(const std::string& target);
    WriteOutcome Write(std::span<const std::uint8_t> bytes);
    WriteOutcome Commit();
    void Abort();
    bool IsOpen() const { return fd_ >= 0; }

  private:
    WriteOutcome Fail(int code);

    int fd_ = -1;
    std::string target_;      // as given, for messages
    std::string realTarget_;  // symbolic links resolved, so the link survives
    std::string tempPath_;
};

// Open, write everything, commit: every save of the program.
WriteOutcome WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes);
WriteOutcome WriteFileAtomic(const std::string& path, std::string_view bytes);

// The texts of the messages above, for the check that the language table holds them.
inline constexpr std::string_view kReadErrorText = "Die Datei %1 kann nicht gelesen werden: %2";
inline constexpr std::string_view kWriteErrorText = "Die Datei %1 kann nicht geschrieben werden: %2";
inline constexpr std::string_view kReasonTexts[] = {
    "Datei oder Ordner nicht gefunden",
    "Zugriff verweigert",
    "ein Ordner, keine Datei",
    "keine gewöhnliche Datei (Pipe, Gerät oder Socket)",
    "Datei zu groß",
    "kein Platz mehr auf dem Datenträger",
    "Datenträger ist schreibgeschützt",
    "keine Textdatei",
};

}  // namespace zentora::files
