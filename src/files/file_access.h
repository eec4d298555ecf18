#pragma once

// Whole-file reading and atomic writing shared by the permanence file and the two exchange formats.
// Files are read completely before anything uses them, and written to a temporary file beside the target that
// replaces the target only once every byte is on disk, so a failed save never destroys the old file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zentora::files {

enum class IoStatus {
    Ok,
    InUse,   // another process holds a lock on the file
    Failed,  // the system refused; the error text says why
};

// How much sharing a reader tolerates: a permanence or text file is read while denying other writers (a
// reader lock held elsewhere is fine); a worksheet may only be read when nobody else holds any lock on it.
enum class ReadLock { DenyWriters, Exclusive };

struct ReadOutcome {
    IoStatus status = IoStatus::Ok;
    std::string error;  // "<file>: <system text>" when Failed
    std::vector<std::uint8_t> bytes;
};

struct WriteOutcome {
    IoStatus status = IoStatus::Ok;
    std::string error;  // "<file>: <system text>" when Failed
    bool ok() const { return status == IoStatus::Ok; }
};

// Largest file read into memory; beyond it the read fails with the system's "file too large" text.
inline constexpr std::size_t kMaxReadBytes = std::size_t{1} << 30;

ReadOutcome ReadWholeFile(const std::string& path, ReadLock lock);

// The system's message for errno `code`, prefixed with the file name.
std::string SystemErrorText(const std::string& path, int code);

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

// Open, write everything, commit.
WriteOutcome WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace zentora::files
