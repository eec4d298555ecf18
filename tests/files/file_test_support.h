// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace zentora::files::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder that everyone may enter, removed with everything in it.
class TempDir {
  public:
    TempDir() {
        char name[] = "/tmp/zentora-files-XXXXXX";
        path_ = ::mkdtemp(name);
        std::filesystem::permissions(path_, std::filesystem::perms(0755));
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::all, ec);
        for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::size_t EntriesIn(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

// Runs `body` without superuser rights, so permission bits apply (the tests may run as root): in a child
// process switched to the "nobody" user when needed. Returns the body's result.
inline int RunUnprivileged(const std::function<int()>& body) {
    if (::geteuid() != 0) return body();
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

// Another process holding a lock on a file until destroyed: flock (exclusive or shared) or an fcntl write
// lock.
class ForeignLock {
  public:
    enum Kind { FlockExclusive, FlockShared, FcntlWrite };
    ForeignLock(const std::string& path, Kind kind) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        child_ = ::fork();
        if (child_ == 0) {
            const int fd = ::open(path.c_str(), O_RDWR);
            bool locked = false;
            if (kind == FcntlWrite) {
                struct flock lock {};
                lock.l_type = F_WRLCK;
                lock.l_whence = SEEK_SET;
                locked = ::fcntl(fd, F_SETLK, &lock) == 0;
            } else {
                locked = ::flock(fd, kind == FlockExclusive ? LOCK_EX : LOCK_SH) == 0;
            }
            const char answer = locked ? 'y' : 'n';
            (void)!::write(ready[1], &answer, 1);
            for (;;) ::pause();
        }
        char answer = 'n';
        (void)!::read(ready[0], &answer, 1);
        locked_ = answer == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~ForeignLock() {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
    }
    bool locked() const { return locked_; }

  private:
    pid_t child_ = -1;
    bool locked_ = false;
};

}  // namespace zentora::files::testing
