// Explicit byte-order helpers and a bounds-checked reader. File code never relies on the host's byte order
// implicitly; every read through ByteReader is checked against what is there.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace plotwell {

static_assert(std::endian::native == std::endian::little, "the in-memory records assume a little-endian host");

inline uint16_t get_le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t get_le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline int32_t get_le32s(const uint8_t* p) { return int32_t(get_le32(p)); }
inline uint16_t get_be16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint32_t get_be32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline void put_le16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void put_le32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void put_be16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}
inline void put_be32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// Growing little/big-endian byte buffer for writers that assemble a block before it goes to a file.
struct ByteBuffer {
    std::vector<uint8_t> bytes;

    size_t size() const { return bytes.size(); }
    void put_u8(uint8_t v) { bytes.push_back(v); }
    void put_zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void put_bytes(const void* data, size_t n) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + n);
    }
    void put_le16(uint16_t v) { grow(2, [&](uint8_t* p) { plotwell::put_le16(p, v); }); }
    void put_le32(uint32_t v) { grow(4, [&](uint8_t* p) { plotwell::put_le32(p, v); }); }
    void put_be16(uint16_t v) { grow(2, [&](uint8_t* p) { plotwell::put_be16(p, v); }); }
    void put_be32(uint32_t v) { grow(4, [&](uint8_t* p) { plotwell::put_be32(p, v); }); }

private:
    template <class F>
    void grow(size_t n, F&& f) {
        bytes.resize(bytes.size() + n);
        f(bytes.data() + bytes.size() - n);
    }
};

// A view over bytes that refuses every access past its end. Each getter returns false (and leaves the
// output alone) instead of reading outside; `ok()` stays false after the first refused read.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit ByteReader(std::span<const uint8_t> s) : data_(s.data()), size_(s.size()) {}

    size_t size() const { return size_; }
    size_t pos() const { return pos_; }
    bool ok() const { return ok_; }
    const uint8_t* data() const { return data_; }

    // True when [offset, offset + n) lies inside the buffer (overflow-safe).
    bool has(size_t offset, size_t n) const { return offset <= size_ && n <= size_ - offset; }

    bool seek(size_t offset) {
        if (offset > size_) return fail();
        pos_ = offset;
        return true;
    }
    bool skip(size_t n) { return has(pos_, n) ? (pos_ += n, true) : fail(); }

    const uint8_t* at(size_t offset, size_t n) const { return has(offset, n) ? data_ + offset : nullptr; }

    bool read_bytes(void* out, size_t n) {
        if (!has(pos_, n)) return fail();
        if (n) std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    bool u8(uint8_t& v) { return fixed(1, [&](const uint8_t* p) { v = p[0]; }); }
    bool le16(uint16_t& v) { return fixed(2, [&](const uint8_t* p) { v = get_le16(p); }); }
    bool le32(uint32_t& v) { return fixed(4, [&](const uint8_t* p) { v = get_le32(p); }); }
    bool le32s(int32_t& v) { return fixed(4, [&](const uint8_t* p) { v = get_le32s(p); }); }
    bool be16(uint16_t& v) { return fixed(2, [&](const uint8_t* p) { v = get_be16(p); }); }
    bool be32(uint32_t& v) { return fixed(4, [&](const uint8_t* p) { v = get_be32(p); }); }

private:
    template <class F>
    bool fixed(size_t n, F&& f) {
        if (!has(pos_, n)) return fail();
        f(data_ + pos_);
        pos_ += n;
        return true;
    }
    bool fail() {
        ok_ = false;
        return false;
    }

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Reads a whole file into memory; false when it cannot be opened or read. `max_size` bounds what a
// hostile or mistaken path (a device, a huge file) can make us allocate.
[[nodiscard]] bool read_whole_file(const std::string& path, std::vector<uint8_t>& out,
                                   size_t max_size = size_t(1) << 31);

}  // namespace plotwell
