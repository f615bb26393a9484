#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/file_system.h"

namespace pf {

namespace {

constexpr int kMaxLinks = 40;

}  // namespace

bool WriteAll(FileSystem& fs, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = fs.Write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            // A write that takes nothing would loop for ever; the disk counts as full.
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

int MakeTempBeside(FileSystem& fs, const std::filesystem::path& target, const char* suffix,
                   std::filesystem::path& made) {
    const std::filesystem::path folder = target.parent_path();
    const std::string pattern =
        (folder / ("." + target.filename().string() + suffix + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = fs.MakeTemp(name.data());
    if (fd >= 0) made = std::filesystem::path(name.data());
    return fd;
}

namespace {

// Flushes and closes `fd`, then reports the first failure of `ok`, the fsync or the close.
bool SyncAndClose(FileSystem& fs, int fd, bool ok, int& err) {
    if (ok && fs.Fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (fs.Close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    return ok;
}

// Makes a finished rename durable; a failure here is not worth failing the save for, the
// data itself is on the disk already.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Puts the current `target` (a regular file) at `backup`: first as a temporary name beside
// it (a hard link, or a flushed copy where links are refused), then renamed over the old
// backup. On failure nothing is left behind and the old backup is untouched.
bool MakeBackup(FileSystem& fs, const std::filesystem::path& target,
                const std::filesystem::path& backup, const struct stat& info, std::string& error) {
    // After a save that was killed between the two renames the backup is the file itself
    // (one inode, two names); rename would then do nothing and leave the temporary link.
    struct stat current {};
    if (::stat(backup.c_str(), &current) == 0 && current.st_dev == info.st_dev &&
        current.st_ino == info.st_ino)
        return true;
    std::filesystem::path temp;
    int fd = MakeTempBeside(fs, backup, ".", temp);
    if (fd < 0) {
        error = DescribeFileError("Kann keine Sicherungskopie anlegen:", backup, errno);
        return false;
    }
    int err = 0;
    bool ok = fs.Close(fd) == 0;
    if (!ok) err = errno;
    // The placeholder only reserved the name; the link takes its place.
    if (ok && fs.Unlink(temp.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (ok && fs.Link(target.c_str(), temp.c_str()) != 0) {
        // No hard links here (or not for this file): a copy of the old bytes instead.
        std::string old;
        std::string readError;
        if (!ReadWholeFile(target, old, readError)) {
            error = "Kann keine Sicherungskopie anlegen: " + readError;
            return false;
        }
        fd = fs.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            ok = false;
            err = errno;
        } else {
            ok = WriteAll(fs, fd, old);
            if (!ok) err = errno;
            if (ok && fs.Fchmod(fd, info.st_mode & 07777) != 0) {
                ok = false;
                err = errno;
            }
            ok = SyncAndClose(fs, fd, ok, err);
        }
    }
    if (ok && fs.Rename(temp.c_str(), backup.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        fs.Unlink(temp.c_str());
        error = DescribeFileError("Kann keine Sicherungskopie anlegen:", backup, err);
    }
    return ok;
}

}  // namespace

std::string DescribeFileError(const char* what, const std::filesystem::path& path, int err) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(err);
}

int OpenForReading(const std::filesystem::path& path, std::size_t& size, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = DescribeFileError("Kann nicht geöffnet werden:", path, errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "Keine lesbare Datei: " + path.string();
        ::close(fd);
        return -1;
    }
    size = static_cast<std::size_t>(info.st_size);
    return fd;
}

bool ReadExactly(int fd, char* into, std::size_t size, const std::filesystem::path& path,
                 std::string& error) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, into + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    const int readError = errno;
    ::close(fd);
    if (done != size) {
        error = DescribeFileError("Fehler beim Lesen von", path, readError);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& out, std::string& error) {
    std::size_t size = 0;
    const int fd = OpenForReading(path, size, error);
    if (fd < 0) return false;
    out.assign(size, '\0');
    return ReadExactly(fd, out.data(), size, path, error);
}

bool ResolveLinks(const std::filesystem::path& path, std::filesystem::path& out,
                  std::string& error) {
    std::filesystem::path current = path;
    for (int i = 0; i <= kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            out = current;
            return true;
        }
        std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<size_t>(length) >= buffer.size()) {
            error = DescribeFileError("Verknüpfung kann nicht gelesen werden:", current,
                                      length < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::filesystem::path target(std::string(buffer.data(), static_cast<size_t>(length)));
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    error = DescribeFileError("Verknüpfung kann nicht aufgelöst werden:", path, ELOOP);
    return false;
}

std::filesystem::path BackupPathOf(const std::filesystem::path& path) {
    std::filesystem::path resolved;
    std::string ignored;
    if (!ResolveLinks(path, resolved, ignored)) resolved = path;
    resolved += ".bak";
    return resolved;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error, const WriteOptions& options) {
    FileSystem& fs = options.fileSystem != nullptr ? *options.fileSystem : SystemFileSystem();
    // The file a link points to is replaced; the link stays.
    std::filesystem::path target;
    if (!ResolveLinks(path, target, error)) return false;
    const std::filesystem::path folder = target.parent_path();

    struct stat existing {};
    const bool replaces = ::stat(target.c_str(), &existing) == 0;
    // Renaming over a file needs only the folder's permission; a file its owner made
    // read-only is still not written over.
    if (replaces && ::access(target.c_str(), W_OK) != 0) {
        error = DescribeFileError("Keine Schreibberechtigung für", path, errno);
        return false;
    }
    mode_t mode = 0666;
    if (replaces) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }

    std::filesystem::path temp;
    const int fd = MakeTempBeside(fs, target, ".", temp);
    if (fd < 0) {
        error = DescribeFileError("Kann keine temporäre Datei anlegen in",
                                  folder.empty() ? "." : folder, errno);
        return false;
    }

    int err = 0;
    bool ok = WriteAll(fs, fd, bytes);
    if (!ok) err = errno;
    // The group first: changing it may clear the set-group-id bit that fchmod then restores.
    // A group the user may not give away is left as the folder gives it; the save goes on.
    if (ok && replaces) fs.Fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    if (ok && fs.Fchmod(fd, mode) != 0) {
        ok = false;
        err = errno;
    }
    ok = SyncAndClose(fs, fd, ok, err);
    if (!ok) {
        fs.Unlink(temp.c_str());
        error = DescribeFileError("Fehler beim Schreiben von", path, err);
        return false;
    }
    if (options.keepBackup && replaces && S_ISREG(existing.st_mode) &&
        !MakeBackup(fs, target, BackupPathOf(target), existing, error)) {
        fs.Unlink(temp.c_str());
        return false;
    }
    if (fs.Rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        fs.Unlink(temp.c_str());
        error = DescribeFileError("Fehler beim Schreiben von", path, err);
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace pf
