#include "platform/file_bytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"

namespace pf {

namespace {

// Anonymous memory for `size` bytes with its pages already present. Both requests are
// hints: where the kernel lacks them the pages come on first touch as usual.
void* MapPopulated(size_t size) {
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
    ::madvise(p, size, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
    ::madvise(p, size, MADV_POPULATE_WRITE);
#endif
    return p;
}

}  // namespace

void PrefaultForWriting(void* begin, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    const auto pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto first = (reinterpret_cast<uintptr_t>(begin) + pageSize - 1) & ~(pageSize - 1);
    const auto last = (reinterpret_cast<uintptr_t>(begin) + bytes) & ~(pageSize - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)bytes;
#endif
}

FileBytes::~FileBytes() { Release(); }

void FileBytes::Release() {
    if (data_) ::munmap(data_, mapped_);
    data_ = nullptr;
    size_ = 0;
    mapped_ = 0;
}

bool FileBytes::Read(const std::filesystem::path& path, std::string& error) {
    Release();
    size_t size = 0;
    const int fd = OpenForReading(path, size, error);
    if (fd < 0) return false;
    if (size > 0) {
        data_ = static_cast<uint8_t*>(MapPopulated(size));
        if (!data_) {
            const int err = errno;
            ::close(fd);
            error = DescribeFileError("Kein Speicher zum Lesen von", path, err);
            return false;
        }
        mapped_ = size;
    }
    if (!ReadExactly(fd, reinterpret_cast<char*>(data_), size, path, error)) {
        Release();
        return false;
    }
    size_ = size;
    return true;
}

}  // namespace pf
