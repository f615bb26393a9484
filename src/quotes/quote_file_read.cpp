#include "quotes/quote_file_read.h"

#include <new>
#include <system_error>

#include "platform/file_io.h"

namespace pf {

QuoteFileRead ReadQuoteFile(const std::filesystem::path& path, std::string& buffer,
                            std::uintmax_t maxBytes) {
    buffer.clear();
    std::error_code ec;
    // Only regular files: opening a pipe or device could block or never end.
    if (!std::filesystem::is_regular_file(path, ec)) return QuoteFileRead::CannotOpen;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return QuoteFileRead::CannotOpen;
    if (size > maxBytes) return QuoteFileRead::NoMemory;
    try {
        buffer.reserve(static_cast<size_t>(size));
        std::string error;
        if (!ReadWholeFile(path, buffer, error)) {
            buffer.clear();
            return QuoteFileRead::CannotOpen;
        }
    } catch (const std::bad_alloc&) {
        std::string().swap(buffer);
        return QuoteFileRead::NoMemory;
    }
    // The file may have grown between the size check and the read.
    if (buffer.size() > maxBytes) {
        std::string().swap(buffer);
        return QuoteFileRead::NoMemory;
    }
    return QuoteFileRead::Ok;
}

}  // namespace pf
