#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace pf {

// Largest quote file the import reads; a larger one is refused like a file that does not
// fit into memory.
inline constexpr std::uintmax_t kMaxImportFileBytes = std::uintmax_t{1} << 30;

enum class QuoteFileRead { Ok, CannotOpen, NoMemory };

// Reads the whole file at `path` into `buffer` (one buffer of the file's length), as the
// quote import and the quotes-from-text dialog load their files. Only a regular file is
// read. CannotOpen when it cannot be opened or read; NoMemory when it is larger than
// `maxBytes` or the buffer cannot be had. `buffer` is empty after a failure.
QuoteFileRead ReadQuoteFile(const std::filesystem::path& path, std::string& buffer,
                            std::uintmax_t maxBytes = kMaxImportFileBytes);

}  // namespace pf
