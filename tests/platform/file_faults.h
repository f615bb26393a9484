#pragma once

#include <cerrno>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace pf::testing {

enum class Call { MakeTemp, Open, Write, Fsync, Close, Fchmod, Fchown, Rename, Link, Unlink };

inline const char* CallName(Call c) {
    static const char* const names[] = {"mkstemp", "open",   "write",  "fsync", "close",
                                        "fchmod",  "fchown", "rename", "link",  "unlink"};
    return names[static_cast<int>(c)];
}

// The operating system's calls, recorded, with one of them made to fail: call number
// `failAt` (counting from 0 over every call) returns -1 with `failErrno`. Links can be
// refused throughout (a file system without hard links), and writes can be cut short.
class FaultyFileSystem final : public FileSystem {
  public:
    std::vector<Call> calls;
    std::optional<size_t> failAt;
    int failErrno = ENOSPC;
    bool refuseLinks = false;
    size_t maxWrite = 0;         // 0: whole writes
    bool interruptOnce = false;  // the first write fails with EINTR
    // Runs before each call (the killed-process test blocks here).
    std::function<void(Call)> before;

    int MakeTemp(char* pattern) override {
        return Fails(Call::MakeTemp) ? -1 : real_.MakeTemp(pattern);
    }
    int Open(const char* path, int flags, mode_t mode) override {
        return Fails(Call::Open) ? -1 : real_.Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* data, size_t size) override {
        if (Fails(Call::Write)) return -1;
        if (interruptOnce) {
            interruptOnce = false;
            errno = EINTR;
            return -1;
        }
        return real_.Write(fd, data, maxWrite != 0 && size > maxWrite ? maxWrite : size);
    }
    int Fsync(int fd) override { return Fails(Call::Fsync) ? -1 : real_.Fsync(fd); }
    int Close(int fd) override {
        // A failing close still releases the descriptor, as on Linux.
        const bool fails = Fails(Call::Close);
        const int result = real_.Close(fd);
        return fails ? -1 : result;
    }
    int Fchmod(int fd, mode_t mode) override {
        return Fails(Call::Fchmod) ? -1 : real_.Fchmod(fd, mode);
    }
    int Fchown(int fd, uid_t owner, gid_t group) override {
        return Fails(Call::Fchown) ? -1 : real_.Fchown(fd, owner, group);
    }
    int Rename(const char* from, const char* to) override {
        return Fails(Call::Rename) ? -1 : real_.Rename(from, to);
    }
    int Link(const char* existing, const char* added) override {
        if (Fails(Call::Link)) return -1;
        if (refuseLinks) {
            errno = EPERM;
            return -1;
        }
        return real_.Link(existing, added);
    }
    int Unlink(const char* path) override { return Fails(Call::Unlink) ? -1 : real_.Unlink(path); }

  private:
    bool Fails(Call c) {
        if (before) before(c);
        calls.push_back(c);
        if (failAt && *failAt == calls.size() - 1) {
            errno = failErrno;
            return true;
        }
        return false;
    }

    PosixFileSystem real_;
};

}  // namespace pf::testing
