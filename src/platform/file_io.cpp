#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace pf {

namespace {

std::string Describe(const char* what, const std::filesystem::path& path, int err) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(err);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Makes a finished rename durable; a failure here is not worth failing the save for.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::string& out, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        error = Describe("Kann nicht geöffnet werden:", path, errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "Keine lesbare Datei: " + path.string();
        ::close(fd);
        return false;
    }
    out.assign(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::read(fd, out.data() + done, out.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    const int readError = errno;
    ::close(fd);
    if (done != out.size()) {
        error = Describe("Fehler beim Lesen von", path, readError);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error) {
    const std::filesystem::path folder = path.parent_path();
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error =
            Describe("Kann keine temporäre Datei anlegen in", folder.empty() ? "." : folder, errno);
        return false;
    }
    const std::filesystem::path temp(name.data());

    struct stat existing {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }

    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        error = Describe("Fehler beim Schreiben von", path, err);
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace pf
