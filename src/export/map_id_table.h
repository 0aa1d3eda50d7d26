// Map IDs by map base name, read from "map-id.txt": the IDs of this map, of its parent map and of the
// maps that LINK points lead to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plotwell {

inline constexpr int kMaxMapIds = 400;
inline constexpr int kMapIdLineLength = 79;  // a longer line is read in pieces of this many characters
inline constexpr const char* kMapIdFileName = "map-id.txt";

struct MapIdEntry {
    char base_name[kMapIdLineLength + 1] = {};
    int16_t map_id = 0;
};

struct MapIdTable {
    int count = 0;
    MapIdEntry entries[kMaxMapIds];
};

// Empties the table and fills it from the text (the file's contents). Lines hold tab-separated fields:
// the base name, then the ID in decimal; a line with no ID field is skipped, entries past 400 are not
// stored.
void parse_map_id_table(MapIdTable& table, std::string_view text);
// Empties the table and reads the file (default "map-id.txt" in the current directory); a missing file
// leaves the table empty, which gives every map ID 0.
void read_map_id_table(MapIdTable& table, const std::string& path = kMapIdFileName);
// The first entry whose name equals `name` ignoring ASCII case, or 0.
int16_t lookup_map_id(const MapIdTable& table, std::string_view name);

}  // namespace plotwell
