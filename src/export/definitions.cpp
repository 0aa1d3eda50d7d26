#include "export/definitions.h"

#include <algorithm>
#include <cstring>

#include "export/cell_tree.h"
#include "export/name_index.h"
#include "model/bytes.h"

namespace plotwell {

namespace {
void put_part(std::vector<uint8_t>& out, uint16_t previous, uint16_t value) {
    const int step = int(value) - int(previous);
    if (step >= -126 && step <= 127) {
        out.push_back(uint8_t(int8_t(step)));
    } else {
        out.push_back(kVertexAbsolute);
        out.push_back(uint8_t(value >> 8));
        out.push_back(uint8_t(value));
    }
}

void pad_to_unit(std::vector<uint8_t>& bytes, int unit) {
    while (bytes.size() % 2 != 0) bytes.push_back(0);
    if (unit >= 4)
        while (bytes.size() % 4 != 0) bytes.push_back(0);
    if (unit >= 8)
        while (bytes.size() % 8 != 0) bytes.push_back(0);
}
}  // namespace

void start_definition(DefinitionBuilder& b, uint8_t type_code, std::string_view name) {
    b.head.assign({0, 0, type_code});
    b.has_name = true;
    b.folded_name = fold_name(name);
    b.body.clear();
    b.even_before_tail = false;
    b.tail.clear();
    b.first_vertex = true;
    b.last_x = b.last_y = 0;
    b.min_x = b.min_y = 0x7FFF;
    b.max_x = b.max_y = 0;
    b.bytes.clear();
}

void widen_box(DefinitionBuilder& b, uint16_t x, uint16_t y) {
    b.min_x = std::min<int>(b.min_x, x);
    b.min_y = std::min<int>(b.min_y, y);
    b.max_x = std::max<int>(b.max_x, x);
    b.max_y = std::max<int>(b.max_y, y);
}

void append_vertex(DefinitionBuilder& b, uint16_t x, uint16_t y) {
    widen_box(b, x, y);
    if (b.first_vertex) {
        b.body.push_back(uint8_t(x >> 8));
        b.body.push_back(uint8_t(x));
        b.body.push_back(uint8_t(y >> 8));
        b.body.push_back(uint8_t(y));
        b.first_vertex = false;
    } else {
        put_part(b.body, b.last_x, x);
        put_part(b.body, b.last_y, y);
    }
    b.last_x = x;
    b.last_y = y;
}

void put_point(DefinitionBuilder& b, uint16_t x, uint16_t y) {
    if (b.head.size() < 8) b.head.resize(8, 0);
    put_be16(&b.head[4], x);
    put_be16(&b.head[6], y);
    widen_box(b, x, y);
}

void assemble_definition(const ExportState& state, DefinitionBuilder& b, int32_t position) {
    b.bytes = b.head;
    if (b.has_name) {
        uint8_t name[kMaxEncodedName];
        const size_t n = encode_name(state, position + int32_t(b.head.size()), b.folded_name, name);
        b.bytes.insert(b.bytes.end(), name, name + n);
    }
    b.bytes.insert(b.bytes.end(), b.body.begin(), b.body.end());
    if (b.even_before_tail && b.bytes.size() % 2 != 0) b.bytes.push_back(kVertexListEnd);
    b.bytes.insert(b.bytes.end(), b.tail.begin(), b.tail.end());
    pad_to_unit(b.bytes, unit_size(state));
}

int store_definition(ExportState& state, CellTable& table, DefinitionBuilder& b, bool named) {
    const int cell = table.kind == 1 ? 0 : cell_index(state.output, b.min_x, b.min_y, b.max_x, b.max_y);
    int32_t at = state.write_pos;
    assemble_definition(state, b, at);
    put_be16(b.bytes.data(), table.entries[size_t(cell)]);
    if (b.bytes.size() > size_t(kMaxDefinitionLength)) {
        state.build_error = "Error: individual definition too long!";
        return kStoreTooLong;
    }
    const int32_t record = state.data_record_size;
    if ((at + int32_t(b.bytes.size())) / record != at / record) {
        // It would reach the next data record: it starts that record instead, with its name encoded
        // for there (a back-reference never reaches into another data record).
        at = (at / record + 1) * record;
        assemble_definition(state, b, at);
        put_be16(b.bytes.data(), table.entries[size_t(cell)]);
        if (b.bytes.size() > size_t(kMaxDefinitionLength)) {
            state.build_error = "Error: individual definition too long!";
            return kStoreTooLong;
        }
    }
    const int32_t length = int32_t(b.bytes.size());
    if (int64_t(at) + length >= state.capacity) {
        state.build_error = "Error: data area is full!";
        return kStoreAreaFull;
    }
    std::memcpy(state.data_area.data() + at, b.bytes.data(), size_t(length));
    state.write_pos = at + length;
    if (state.name_search == NameSearchMode::fast)
        index_stored_bytes(state.search_index, state.data_area.data(), state.write_pos);
    if (named) {
        if (state.name_index.size() >= size_t(kMaxNameIndexEntries)) {
            state.build_error = "Error: name index full!";
            return kStoreIndexFull;
        }
        state.name_index.push_back(at);
    }
    table.entries[size_t(cell)] = uint16_t(at >> state.unit_shift);
    return kStoreOk;
}

}  // namespace plotwell
