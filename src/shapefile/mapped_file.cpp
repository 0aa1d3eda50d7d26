#include "shapefile/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace plotwell {

namespace {
constexpr size_t kMaxReadSize = size_t(1) << 31;

bool read_descriptor(int fd, std::vector<uint8_t>& out) {
    uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (out.size() + size_t(n) > kMaxReadSize) return false;
        out.insert(out.end(), chunk, chunk + n);
    }
}
}  // namespace

FileBytes::FileBytes(FileBytes&& other) noexcept {
    take(other);
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
    if (this != &other) {
        close();
        take(other);
    }
    return *this;
}

void FileBytes::take(FileBytes& other) {
    owned_ = std::move(other.owned_);
    mapping_ = other.mapping_;
    size_ = other.size_;
    open_ = other.open_;
    data_ = mapping_ ? other.data_ : owned_.data();
    other.mapping_ = nullptr;
    other.data_ = nullptr;
    other.size_ = 0;
    other.open_ = false;
}

bool FileBytes::open(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        void* p = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (p != MAP_FAILED) {
            ::close(fd);
            mapping_ = p;
            data_ = static_cast<const uint8_t*>(p);
            size_ = size_t(st.st_size);
            open_ = true;
            return true;
        }
    }
    // Empty files, pipes and file systems that refuse mappings: read the bytes from the same descriptor.
    std::vector<uint8_t> bytes;
    const bool read_all = read_descriptor(fd, bytes);
    ::close(fd);
    if (!read_all) return false;
    assign(std::move(bytes));
    return true;
}

void FileBytes::assign(std::vector<uint8_t> bytes) {
    close();
    owned_ = std::move(bytes);
    data_ = owned_.data();
    size_ = owned_.size();
    open_ = true;
}

void FileBytes::close() {
    if (mapping_) ::munmap(mapping_, size_);
    mapping_ = nullptr;
    owned_.clear();
    owned_.shrink_to_fit();
    data_ = nullptr;
    size_ = 0;
    open_ = false;
}

}  // namespace plotwell
