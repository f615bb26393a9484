#pragma once

#include <sys/types.h>

#include <cstddef>

namespace pf {

// The system calls a save makes, each with the POSIX contract: the result of the call, and
// on failure -1 with the reason in errno. Saving goes through this layer so that tests can
// make any single call fail (a full disk at the third write, a rename refused) and check
// that nothing is reported as saved and the old file stays as it was.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // mkstemp: creates a new file from `pattern` (ending in "XXXXXX", replaced in place).
    virtual int MakeTemp(char* pattern) = 0;
    virtual int Open(const char* path, int flags, mode_t mode) = 0;
    virtual ssize_t Write(int fd, const void* data, size_t size) = 0;
    virtual int Fsync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Fchmod(int fd, mode_t mode) = 0;
    virtual int Fchown(int fd, uid_t owner, gid_t group) = 0;
    virtual int Rename(const char* from, const char* to) = 0;
    virtual int Link(const char* existing, const char* added) = 0;
    virtual int Unlink(const char* path) = 0;
};

// The operating system's calls.
class PosixFileSystem final : public FileSystem {
  public:
    int MakeTemp(char* pattern) override;
    int Open(const char* path, int flags, mode_t mode) override;
    ssize_t Write(int fd, const void* data, size_t size) override;
    int Fsync(int fd) override;
    int Close(int fd) override;
    int Fchmod(int fd, mode_t mode) override;
    int Fchown(int fd, uid_t owner, gid_t group) override;
    int Rename(const char* from, const char* to) override;
    int Link(const char* existing, const char* added) override;
    int Unlink(const char* path) override;
};

// One shared instance of PosixFileSystem (it holds no state).
FileSystem& SystemFileSystem();

}  // namespace pf
