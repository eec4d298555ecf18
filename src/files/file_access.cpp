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

std::string ResolveLinks(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved)) {
        return resolved;
    }
    return path;
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

std::string SystemErrorText(const std::string& path, int code) {
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not live in `buffer`.
    const char* text = ::strerror_r(code, buffer, sizeof buffer);
    return path + ": " + text;
}

ReadOutcome ReadWholeFile(const std::string& path, ReadLock lock) {
    ReadOutcome out;
    auto fail = [&](int code) {
        out.status = IoStatus::Failed;
        out.error = SystemErrorText(path, code);
        out.bytes.clear();
        return out;
    };
    if (path.empty()) return fail(ENOENT);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return fail(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(errno);
    if (S_ISDIR(st.st_mode)) return fail(EISDIR);
    if (HeldElsewhere(fd.get(), lock == ReadLock::Exclusive)) {
        out.status = IoStatus::InUse;
        return out;
    }
    if (S_ISREG(st.st_mode)) {
        if (static_cast<std::uint64_t>(st.st_size) > kMaxReadBytes) return fail(EFBIG);
        out.bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (n == 0) break;
        if (out.bytes.size() + static_cast<std::size_t>(n) > kMaxReadBytes) return fail(EFBIG);
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
    return {IoStatus::Failed, SystemErrorText(target_, code)};
}

WriteOutcome AtomicFile::Open(const std::string& target) {
    Abort();
    target_ = target;
    if (target.empty()) return Fail(ENOENT);
    realTarget_ = ResolveLinks(target);

    mode_t mode = 0666;
    struct stat st {};
    if (::stat(realTarget_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
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
    if (fd_ < 0) return {IoStatus::Failed, SystemErrorText(target_, EBADF)};
    if (!WriteAll(fd_, bytes.data(), bytes.size())) return Fail(errno);
    return {};
}

WriteOutcome AtomicFile::Commit() {
    if (fd_ < 0) return {IoStatus::Failed, SystemErrorText(target_, EBADF)};
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

}  // namespace zentora::files
