#include "export/map_id_table.h"

#include <cstdlib>
#include <vector>

#include "model/bytes.h"
#include "model/text.h"

namespace plotwell {

namespace {
// The ID field as a decimal number: optional sign and the leading digits; anything else gives 0.
int16_t parse_id(std::string_view field) {
    size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
    uint32_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        value = value * 10 + uint32_t(field[i] - '0');
    if (negative) value = 0u - value;
    return int16_t(uint16_t(value));
}

void add_line(MapIdTable& table, std::string_view line) {
    std::string_view fields[2];
    int found = 0;
    size_t i = 0;
    while (i < line.size() && found < 2) {
        while (i < line.size() && line[i] == '\t') ++i;
        if (i == line.size()) break;
        const size_t start = i;
        while (i < line.size() && line[i] != '\t') ++i;
        fields[found++] = line.substr(start, i - start);
    }
    if (found < 2 || table.count >= kMaxMapIds) return;
    MapIdEntry& entry = table.entries[table.count++];
    set_field(entry.base_name, fields[0]);
    entry.map_id = parse_id(fields[1]);
}
}  // namespace

void parse_map_id_table(MapIdTable& table, std::string_view text) {
    table.count = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        // One piece: up to the line feed (inclusive) or 79 characters, whichever comes first.
        size_t end = pos;
        while (end < text.size() && end - pos < size_t(kMapIdLineLength)) {
            if (text[end++] == '\n') break;
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        add_line(table, line);
    }
}

void read_map_id_table(MapIdTable& table, const std::string& path) {
    table.count = 0;
    std::vector<uint8_t> bytes;
    // The table holds at most 400 short lines; a file far larger than that is not a map ID list.
    if (!read_whole_file(path, bytes, size_t(16) << 20)) return;
    parse_map_id_table(table, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int16_t lookup_map_id(const MapIdTable& table, std::string_view name) {
    for (int i = 0; i < table.count && i < kMaxMapIds; ++i)
        if (equal_ignoring_case(field_text(table.entries[i].base_name), name)) return table.entries[i].map_id;
    return 0;
}

}  // namespace plotwell
