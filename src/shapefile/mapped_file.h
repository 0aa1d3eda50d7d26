// The read-only bytes of one whole file: mapped when the system allows it, else read into memory.
// Readers above it see a bounded span and never a file position, so nothing can read past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plotwell {

class FileBytes {
  public:
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    FileBytes(FileBytes&& other) noexcept;
    FileBytes& operator=(FileBytes&& other) noexcept;
    ~FileBytes() { close(); }

    // False when the file cannot be opened or read; the object is then closed.
    bool open(const std::string& path);
    // Takes bytes already in memory (tests, generated data).
    void assign(std::vector<uint8_t> bytes);
    void close();

    bool is_open() const { return open_; }
    std::span<const uint8_t> bytes() const { return {data_, size_}; }
    size_t size() const { return size_; }

  private:
    void take(FileBytes& other);

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    void* mapping_ = nullptr;  // non-null while a mapping is held
    std::vector<uint8_t> owned_;
    bool open_ = false;
};

}  // namespace plotwell
