#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pf {

class FileSystem;

// Reads a whole file. On failure returns false and a German description in `error`.
bool ReadWholeFile(const std::filesystem::path& path, std::string& out, std::string& error);

// The two halves of reading a whole file, for readers that keep the bytes elsewhere
// (FileBytes maps them). OpenForReading opens a regular file and gives its size; -1 with a
// German description in `error` otherwise. ReadExactly reads `size` bytes into `into` and
// closes `fd`; false with a German description when fewer arrive.
int OpenForReading(const std::filesystem::path& path, std::size_t& size, std::string& error);
bool ReadExactly(int fd, char* into, std::size_t size, const std::filesystem::path& path,
                 std::string& error);
// Writes all of `bytes` to `fd`, going on after short writes and interruptions; false with
// errno set on the first failure (ENOSPC for a write that takes nothing).
bool WriteAll(FileSystem& fs, int fd, std::string_view bytes);
// A new file beside `target` named ".NAME<suffix>XXXXXX", its name in `made`; -1 with errno
// on failure.
int MakeTempBeside(FileSystem& fs, const std::filesystem::path& target, const char* suffix,
                   std::filesystem::path& made);
// "WHAT PATH: the system's text of `err`".
std::string DescribeFileError(const char* what, const std::filesystem::path& path, int err);

// The file a path stands for: symbolic links followed (a relative link from the link's
// folder) until a path that is no link, which need not exist. On a loop of links (more than
// 40) returns false and a German description in `error`.
bool ResolveLinks(const std::filesystem::path& path, std::filesystem::path& out,
                  std::string& error);

// Where a save keeps the file it replaced: "NAME.bak" beside the file the path stands for
// (links followed; the path itself when they cannot be).
std::filesystem::path BackupPathOf(const std::filesystem::path& path);

struct WriteOptions {
    // Keep the file that is replaced as BackupPathOf(path), replacing an older backup.
    bool keepBackup = false;
    // nullptr: the operating system's calls (SystemFileSystem()).
    FileSystem* fileSystem = nullptr;
};

// Writes `bytes` to a temporary file in the target's folder, flushes it to the disk and
// renames it over `path`. A symbolic link at `path` is kept and the file it points to is
// replaced. A replaced file's permissions carry over, and so does its group where the user
// may set it (the owner is never changed). A file the user may not write is refused, as
// writing it in place would be. Every write, fsync, close and rename is checked:
// on any failure the previous file (and the previous backup) is untouched, the temporary
// files are removed, and the function returns false with a German description in `error`.
//
// With keepBackup the previous file becomes the backup just before the rename: a hard link
// where the file system has them, else a flushed copy, then renamed over the old backup: a
// killed save leaves the old file, or the new file with the old one as its backup. A backup that
// cannot be made fails the save before the target is touched.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error, const WriteOptions& options = {});

}  // namespace pf
