// Reads a map database back: every record, every cell table, every Definition with its name and
// vertices, and the region tree. It checks what the handheld relies on and never trusts an offset, a
// count or a length of the file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "export/export_state.h"

namespace plotwell {

struct InspectedDefinition {
    int32_t position = 0;
    int32_t length = 0;
    std::string owner;  // "layer 1", "region root", "region"
    int cell = 0;
    uint8_t type = 0;
    uint8_t field3 = 0;    // icon code, sub-type, route network
    uint8_t category = 0;  // CATPNTFEATURE
    uint16_t map_id = 0;   // LINK
    bool is_point = false;
    ScaledPoint point;
    bool has_name = false;
    std::string name;  // as stored (a BORDER keeps its name here)
    std::vector<ScaledPoint> vertices;
};

struct InspectedLayer {
    uint8_t type = 0;
    uint8_t theme_bits = 0;
    uint8_t number = 0;
    uint8_t min_zoom_category = 0;
    int table_kind = 0;
};

struct InspectReport {
    std::vector<std::string> violations;
    // PDB
    std::string map_name;
    int record_count = 0;
    // Map header
    uint8_t header_flags = 0;
    uint8_t format = 0;
    uint8_t map_class = 0;
    OutputRange output;
    int16_t geo_scale = 0;
    int16_t map_id = 0;
    int16_t parent_map_id = 0;
    int32_t geo_bounds[4] = {};
    std::vector<uint8_t> preferences;  // the 24-byte block, when present
    std::vector<InspectedLayer> layers;
    // Publisher
    bool has_publisher = false;
    std::string publisher_date;
    std::string publisher_notice;
    std::string contact;
    // Regions
    bool has_regions = false;
    std::string region_level_name;
    uint16_t region_root_offset = 0;
    // Name index, in file order, decoded
    std::vector<std::string> index_names;
    // Data
    int data_record_count = 0;
    int32_t data_length = 0;  // P: the data bytes without the two closing zero bytes
    std::vector<InspectedDefinition>
        definitions;  // layers in order, cells ascending, list order; then regions

    bool ok() const { return violations.empty(); }
};

InspectReport inspect_database(std::span<const uint8_t> file);

// Canonical text: a few lines on the records, one line per Definition (with `dump`), then "OK" or the
// violations, one per line.
std::string format_inspect_report(const InspectReport& report, bool dump);

}  // namespace plotwell
