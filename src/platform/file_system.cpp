#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace pf {

int PosixFileSystem::MakeTemp(char* pattern) { return ::mkstemp(pattern); }

int PosixFileSystem::Open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags | O_CLOEXEC, mode);
}

ssize_t PosixFileSystem::Write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}

int PosixFileSystem::Fsync(int fd) { return ::fsync(fd); }

int PosixFileSystem::Close(int fd) { return ::close(fd); }

int PosixFileSystem::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }

int PosixFileSystem::Fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }

int PosixFileSystem::Rename(const char* from, const char* to) { return ::rename(from, to); }

int PosixFileSystem::Link(const char* existing, const char* added) {
    return ::link(existing, added);
}

int PosixFileSystem::Unlink(const char* path) { return ::unlink(path); }

FileSystem& SystemFileSystem() {
    static PosixFileSystem system;
    return system;
}

}  // namespace pf
