// Projects and project files for tests: a sample project that uses every kind of record, and a way to
// assemble file bytes by hand for files our own writer never makes (older versions, damaged tables).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

namespace plotwell::test {

// Fills an empty project with three layers (points of all three kinds, lines, polygons, a deleted
// placeholder), a parent map basename, two bitmaps (one hidden) and a positioned GeoInfo.
void fill_sample_project(Project& project);

// Saves a small project (one layer, one line) as `base` + ".mpr", the good file a failing save must
// leave alone, and returns that file's bytes; empty when it could not be written.
std::vector<uint8_t> save_small_project(const std::string& base);

// The objects of a layer in list order as comparable text ("LINE 0 name (1,2) (3,4)"), deleted
// placeholders left out.
std::vector<std::string> layer_object_texts(const Layer& layer);

// Little-endian byte assembly for hand-made files.
struct RawFile {
    std::vector<uint8_t> bytes;

    size_t size() const { return bytes.size(); }
    void put_le32_at(size_t at, uint32_t v);
    void put_le16_at(size_t at, uint16_t v);
    uint32_t le32_at(size_t at) const;
    void append_le32(uint32_t v);
    void append_bytes(const void* data, size_t n);
    void append_zeros(size_t n);
};

// A 224-byte header with the magic, the version and the layer count; the rest zero.
RawFile raw_project_header(int32_t version, int32_t layer_count);

// Writes bytes to a file; false on failure.
bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace plotwell::test
