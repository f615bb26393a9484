#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pf {

// Reads a whole file. On failure returns false and a German description in `error`.
bool ReadWholeFile(const std::filesystem::path& path, std::string& out, std::string& error);

// Writes `bytes` to a temporary file in the target's folder, flushes it to the disk and
// renames it over `path`. The previous file stays untouched unless the rename succeeds; a
// replaced file's permissions carry over. On failure returns false and a German
// description in `error`.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string& error);

}  // namespace pf
