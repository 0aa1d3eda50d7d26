#include "shapefile/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/bytes.h"

namespace plotwell {

FileBytes::FileBytes(FileBytes&& other) noexcept { take(other); }

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
    ::close(fd);
    // Empty files, pipes and file systems that refuse mappings: read the bytes instead.
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes)) return false;
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
