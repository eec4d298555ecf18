// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_access.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace zentora::files {

namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

// True when another process holds a lock that conflicts with the wanted one. Both lock families are asked:
// Linux keeps flock and fcntl locks apart, and other programs use either.
bool HeldElsewhere(int fd, bool exclusive) {
    if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return true;
    }
    struct flock probe {};
    probe.l_type = exclusive ? F_WRLCK : F_RDLCK;
    probe.l_whence = SEEK_SET;
    if (::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) return true;
    return false;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save writes: the end of a chain of symbolic links (also one that does not exist yet), so the
// links survive. nullopt for a chain that loops.
std::optional<std::string> ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof target) return current;
        const std::string next(target, static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : DirectoryOf(current) + "/" + next;
    }
    return std::nullopt;
}

int CheckStat(const struct stat& st, std::uint64_t limit) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return kNotRegularFile;
    if (static_cast<std::uint64_t>(st.st_size) > limit) return EFBIG;
    return 0;
}

MessageArgument Reason(int code) {
    const auto text = [](int i) { return MessageArgument{std::string(kReasonTexts[i]), true}; };
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return text(0);
        case EACCES:
        case EPERM:
            return text(1);
        case EISDIR:
            return text(2);
        case kNotRegularFile:
            return text(3);
        case EFBIG:
            return text(4);
        case ENOSPC:
        case EDQUOT:
            return text(5);
        case EROFS:
            return text(6);
        case kNotTextFile:
            return text(7);
        default:
            break;
    }
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not live in `buffer`.
    return {::strerror_r(code, buffer, sizeof buffer), false};
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

UserMessage ReadErrorMessage(const std::string& path, int code) {
    return {std::string(kReadErrorText), MessageTranslation::Text, {{path, false}, Reason(code)}};
}

UserMessage WriteErrorMessage(const std::string& path, int code) {
    return {std::string(kWriteErrorText), MessageTranslation::Text, {{path, false}, Reason(code)}};
}

int CheckRegularFile(const std::string& path, std::uint64_t limit) {
    if (path.empty()) return ENOENT;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno;
    return CheckStat(st, limit);
}

ReadOutcome ReadWholeFile(const std::string& path, ReadLock lock, std::uint64_t limit) {
    ReadOutcome out;
    auto fail = [&](int code) {
        out.status = IoStatus::Failed;
        out.code = code;
        out.error = ReadErrorMessage(path, code);
        out.bytes.clear();
        return out;
    };
    if (const int code = CheckRegularFile(path, limit)) return fail(code);
    // Should the path have turned into a pipe since, opening it does not wait for a writer.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) return fail(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(errno);
    if (const int code = CheckStat(st, limit)) return fail(code);
    if (lock != ReadLock::Any && HeldElsewhere(fd.get(), lock == ReadLock::Exclusive)) {
        out.status = IoStatus::InUse;
        return out;
    }
    out.bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) break;
        if (out.bytes.size() + static_cast<std::uint64_t>(n) > limit) return fail(EFBIG);  // it grew
        out.bytes.insert(out.bytes.end(), chunk, chunk + n);
    }
    return out;
}

AtomicFile::~AtomicFile() {
    Abort();
}

void AtomicFile::Abort() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(tempPath_.c_str());
    }
}

WriteOutcome AtomicFile::Fail(int code) {
    Abort();
    return {IoStatus::Failed, WriteErrorMessage(target_, code)};
}

WriteOutcome AtomicFile::Open(const std::string& target) {
    Abort();
    target_ = target;
    if (target.empty()) return Fail(ENOENT);
    const auto resolved = ResolveLinks(target);
    if (!resolved) return Fail(ELOOP);
    realTarget_ = *resolved;

    mode_t mode = 0666;
    struct stat st {};
    if (::stat(realTarget_.c_str(), &st) == 0) {
        // A pipe or device in the way stays what it is.
        if (const int code = CheckStat(st, UINT64_MAX)) return Fail(code);
        mode = st.st_mode & 07777;
        Fd existing(::open(realTarget_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (existing.get() >= 0 && HeldElsewhere(existing.get(), true)) return {IoStatus::InUse, {}};
    }

    static std::atomic<unsigned> counter{0};
    const std::string stem = DirectoryOf(realTarget_) + "/." + BaseNameOf(realTarget_) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
        const unsigned long long salt = static_cast<unsigned long long>(tick) ^ (counter++ * 2654435761u) ^
                                        (static_cast<unsigned long long>(::getpid()) << 20);
        tempPath_ = stem + std::to_string(salt % 0xFFFFFFFFull) + ".tmp";
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ >= 0) break;
        if (errno != EEXIST) return Fail(errno);
    }
    if (fd_ < 0) return Fail(EEXIST);
    // The creation mode passed through the umask; an existing file keeps exactly its own mode.
    if (mode != 0666) ::fchmod(fd_, mode);
    ::flock(fd_, LOCK_EX | LOCK_NB);
    return {};
}

WriteOutcome AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return {IoStatus::Failed, WriteErrorMessage(target_, EBADF)};
    if (!WriteAll(fd_, bytes.data(), bytes.size())) return Fail(errno);
    return {};
}

WriteOutcome AtomicFile::Commit() {
    if (fd_ < 0) return {IoStatus::Failed, WriteErrorMessage(target_, EBADF)};
    if (::fsync(fd_) != 0 && errno != EINVAL) return Fail(errno);
    if (::rename(tempPath_.c_str(), realTarget_.c_str()) != 0) return Fail(errno);
    ::close(fd_);  // drops the lock
    fd_ = -1;
    // The folder is not synced: until it reaches the disk, the old file is what a crash leaves behind.
    return {};
}

WriteOutcome WriteFileAtomic(const std::string& path, std::span<const std::uint8_t> bytes) {
    AtomicFile file;
    if (auto r = file.Open(path); !r.ok()) return r;
    if (auto r = file.Write(bytes); !r.ok()) return r;
    return file.Commit();
}

WriteOutcome WriteFileAtomic(const std::string& path, std::string_view bytes) {
    return WriteFileAtomic(path,
                           std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace zentora::files
