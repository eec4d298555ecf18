// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/recovery_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "files/file_access.h"

namespace zentora::files {

namespace {

constexpr std::string_view kFileNamePrefix = "Datei: ";

void AppendSpinLines(std::string& out, std::span<const std::uint8_t> spins) {
    out.reserve(out.size() + spins.size() * 3);
    for (const std::uint8_t spin : spins) {
        if (spin >= 100) out += static_cast<char>('0' + spin / 100);
        if (spin >= 10) out += static_cast<char>('0' + spin / 10 % 10);
        out += static_cast<char>('0' + spin % 10);
        out += '\n';
    }
}

std::optional<std::uint8_t> SpinOfLine(std::string_view line) {
    if (line.empty() || line.size() > 3) return std::nullopt;
    int value = 0;
    for (const char c : line) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::optional<RecoveredPlay> ParseRecoveryText(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // Only whole lines count: what follows the last line end was cut off.
    const auto end = text.rfind('\n');
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(0, end + 1);
    const auto next = [&rest] {
        const auto n = rest.find('\n');
        std::string_view line = rest.substr(0, n);
        rest.remove_prefix(n + 1);
        return line;
    };
    if (next() != kRecoveryHeader) return std::nullopt;
    RecoveredPlay play;
    while (!rest.empty()) {
        const std::string_view line = next();
        if (const auto spin = SpinOfLine(line)) {
            play.oldestFirst.push_back(*spin);
        } else if (line == "-") {
            if (!play.oldestFirst.empty()) play.oldestFirst.pop_back();
        } else if (line.starts_with(kFileNamePrefix)) {
            play.fileName = std::string(line.substr(kFileNamePrefix.size()));
        }
    }
    return play;
}

std::string FormatRecoveryText(std::span<const std::uint8_t> oldestFirst, std::string_view fileName) {
    std::string text(kRecoveryHeader);
    text += '\n';
    if (!fileName.empty() && fileName.find('\n') == std::string_view::npos) {
        text += kFileNamePrefix;
        text += fileName;
        text += '\n';
    }
    AppendSpinLines(text, oldestFirst);
    return text;
}

UnsavedSpins::~UnsavedSpins() {
    CloseAppend();
    if (lock_fd_ >= 0) ::close(lock_fd_);
}

bool UnsavedSpins::KeepRecoveryFile(const std::string& path) {
    // A lock file of its own: the recovery file is replaced by a rename now and then, a lock on it would go
    // with the old file.
    const int fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        Failed(WriteErrorMessage(path + ".lock", errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    CloseAppend();
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = fd;
    path_ = path;
    return true;
}

std::optional<RecoveredPlay> UnsavedSpins::LeftOver() const {
    if (path_.empty()) return std::nullopt;
    const ReadOutcome read = ReadWholeFile(path_, ReadLock::DenyWriters);
    if (read.status != IoStatus::Ok) return std::nullopt;
    auto play = ParseRecoveryText(read.bytes);
    if (!play || play->oldestFirst.empty()) return std::nullopt;
    return play;
}

void UnsavedSpins::Saved() {
    unsaved_ = false;
    CloseAppend();
    if (!path_.empty() && ::unlink(path_.c_str()) != 0 && errno != ENOENT)
        Failed(WriteErrorMessage(path_, errno));
}

void UnsavedSpins::Added(std::span<const std::uint8_t> oldestFirst, std::size_t count,
                         std::string_view fileName) {
    std::string lines;
    AppendSpinLines(lines, oldestFirst.last(std::min(count, oldestFirst.size())));
    Append(lines, oldestFirst, fileName);
}

void UnsavedSpins::RemovedNewest(std::span<const std::uint8_t> oldestFirst, std::string_view fileName) {
    Append("-\n", oldestFirst, fileName);
}

void UnsavedSpins::Changed(std::span<const std::uint8_t> oldestFirst, std::string_view fileName) {
    unsaved_ = true;
    WriteWhole(oldestFirst, fileName);
}

void UnsavedSpins::Append(const std::string& lines, std::span<const std::uint8_t> oldestFirst,
                          std::string_view fileName) {
    // The first change of a stretch writes the whole permanence: the file then holds everything unsaved.
    if (!unsaved_ || append_fd_ < 0) {
        Changed(oldestFirst, fileName);
        return;
    }
    if (!WriteAll(append_fd_, lines)) {
        Failed(WriteErrorMessage(path_, errno));
        CloseAppend();  // the next change tries the whole file again
    }
}

void UnsavedSpins::WriteWhole(std::span<const std::uint8_t> oldestFirst, std::string_view fileName) {
    CloseAppend();
    if (path_.empty()) return;
    const std::string text = FormatRecoveryText(oldestFirst, fileName);
    const WriteOutcome written = WriteFileAtomic(path_, text);
    if (!written.ok()) {
        Failed(written.error);
        return;
    }
    append_fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (append_fd_ < 0) Failed(WriteErrorMessage(path_, errno));
}

void UnsavedSpins::CloseAppend() {
    if (append_fd_ >= 0) ::close(append_fd_);
    append_fd_ = -1;
}

void UnsavedSpins::Failed(UserMessage error) {
    if (!write_error_) write_error_ = std::move(error);
}

std::optional<UserMessage> UnsavedSpins::TakeWriteError() {
    if (error_handed_out_ || !write_error_) return std::nullopt;
    error_handed_out_ = true;
    return write_error_;
}

}  // namespace zentora::files
