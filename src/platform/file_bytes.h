#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace pf {

// The bytes of a whole file, read into memory of their own that is mapped in one go (in
// large pages where the system offers them) instead of a page at a time on first touch. For
// a portfolio of several megabytes the page faults of an ordinary buffer cost more than the
// reading itself.
class FileBytes {
  public:
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    std::span<const uint8_t> Bytes() const { return {data_, size_}; }

    // Reads the file at `path`; on failure returns false and a German description in `error`
    // (the messages of ReadWholeFile) and holds no bytes.
    bool Read(const std::filesystem::path& path, std::string& error);

  private:
    void Release();

    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;
};

// Asks the system to back the whole pages inside [begin, begin + bytes) with memory now, in
// one call, instead of one page fault at a time when they are first written. Only a hint:
// where the system cannot, nothing changes.
void PrefaultForWriting(void* begin, size_t bytes);

}  // namespace pf
