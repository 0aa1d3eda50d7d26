// Definitions: the compact byte records of the objects and region nodes, assembled one at a time and
// appended to the data area, each linked at the head of a list of its cell table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_state.h"

namespace plotwell {

inline constexpr int kMaxDefinitionLength = 8000;
inline constexpr uint8_t kVertexListEnd = 0x80;
inline constexpr uint8_t kVertexAbsolute = 0x81;

// Region tree type codes.
inline constexpr uint8_t kRegionLeafCode = 0;
inline constexpr uint8_t kRegionParentCode = 5;

// Results of store_definition.
inline constexpr int kStoreOk = 0;
inline constexpr int kStoreAreaFull = 1;
inline constexpr int kStoreTooLong = 3;
inline constexpr int kStoreIndexFull = 4;

// A Definition in the making. It is kept in its parts (the bytes before the name, the folded name, the
// bytes after it, a region node's child table) so that it can be put together again for another
// position: the name's back-reference depends on where the Definition lands, and what follows the name
// (the even-length byte of a region node, the padding) depends on the name's length.
struct DefinitionBuilder {
    std::vector<uint8_t> head;  // bytes 0.. up to the name
    bool has_name = true;       // false for LINK: bytes 8-9 are the map ID
    std::string folded_name;
    std::vector<uint8_t> body;      // vertex list and its end byte
    bool even_before_tail = false;  // region nodes: one more 0x80 when the length is odd
    std::vector<uint8_t> tail;      // region node child table
    bool first_vertex = true;
    uint16_t last_x = 0;
    uint16_t last_y = 0;
    int min_x = 0x7FFF;
    int min_y = 0x7FFF;
    int max_x = 0;
    int max_y = 0;
    std::vector<uint8_t> bytes;  // the assembled, padded Definition
};

// Clears the builder for a new Definition of this type with the folded form of `name`.
void start_definition(DefinitionBuilder& builder, uint8_t type_code, std::string_view name);
void widen_box(DefinitionBuilder& builder, uint16_t x, uint16_t y);
// Appends a vertex to the vertex list: the first absolute, the others as steps.
void append_vertex(DefinitionBuilder& builder, uint16_t x, uint16_t y);
// Writes X, Y at bytes 4..7 (the head must hold 4 bytes) and widens the box.
void put_point(DefinitionBuilder& builder, uint16_t x, uint16_t y);

// Puts the parts together for a Definition stored at `position`, padded to the unit.
void assemble_definition(const ExportState& state, DefinitionBuilder& builder, int32_t position);

// Stores the Definition at the write position (or at the start of the next data record when it would
// reach the boundary) and makes it the head of its cell's list. Returns kStoreOk or the failure, with the
// build error set.
int store_definition(ExportState& state, CellTable& table, DefinitionBuilder& builder, bool named);

}  // namespace plotwell
