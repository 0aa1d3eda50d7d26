#include "export/database_check.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "export/cell_tree.h"
#include "export/database_writer.h"
#include "export/definitions.h"
#include "export/name_index.h"
#include "model/bytes.h"

namespace plotwell {

namespace {

struct Span {
    size_t begin = 0;
    size_t size = 0;
};

enum class Context { object, region_root, region_node };

std::string format(const char* fmt, auto... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, fmt, args...);
    return buffer;
}

const char* type_code_name(uint8_t code, Context context) {
    if (context != Context::object) return code == kRegionParentCode ? "REGION_NODE" : "REGION_LEAF";
    switch (code) {
        case 1:
            return "FREEWAY";
        case 2:
            return "HIGHWAY";
        case 3:
            return "ROAD3";
        case 4:
            return "ROAD4";
        case 5:
            return "ROAD5";
        case 6:
            return "ROAD6";
        case 7:
            return "WATER";
        case 8:
            return "OPENSPACE";
        case 9:
            return "PNTFEATURE";
        case 10:
            return "RIVER";
        case 11:
            return "WATERLINE";
        case 12:
            return "RAILROAD";
        case 14:
            return "LINK";
        case 15:
            return "BORDER";
        case 16:
            return "INVISAREA";
        case 17:
            return "LAND";
        case 18:
            return "CATPNTFEATURE";
        case 19:
            return "SUBWAY";
        case 20:
            return "BUILDING";
        case 21:
            return "SIMPLEROUTE";
        case 255:
            return "UNKNOWN";
        default:
            return nullptr;
    }
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const uint8_t u = uint8_t(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || u > 0x7E) {
            out += format("\\x%02X", unsigned(u));
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Text of a fixed, NUL-terminated field; a missing terminator is a violation.
std::string fixed_text(const uint8_t* p, size_t size, const char* what,
                       std::vector<std::string>& violations) {
    const void* nul = std::memchr(p, 0, size);
    if (!nul) {
        violations.push_back(format("%s is not NUL-terminated", what));
        return std::string(reinterpret_cast<const char*>(p), size);
    }
    return std::string(reinterpret_cast<const char*>(p), size_t(static_cast<const uint8_t*>(nul) - p));
}

class Inspector {
  public:
    explicit Inspector(std::span<const uint8_t> file) : file_(file) {}

    InspectReport run() {
        if (read_pdb()) read_records();
        return std::move(report_);
    }

  private:
    void violation(std::string text) {
        // A hostile file can repeat one fault thousands of times; the first few tell the story.
        if (report_.violations.size() < 200)
            report_.violations.push_back(std::move(text));
        else if (report_.violations.size() == 200)
            report_.violations.push_back("further violations left out");
    }

    const uint8_t* record_bytes(size_t i) const { return file_.data() + records_[i].begin; }

    bool read_pdb() {
        if (file_.size() < size_t(kPdbHeaderSize)) {
            violation(format("file of %zu bytes is shorter than the PDB header", file_.size()));
            return false;
        }
        const uint8_t* h = file_.data();
        report_.map_name = fixed_text(h, kMapNameSize, "database name", report_.violations);
        if (get_be16(h + 32) != 0 || get_be16(h + 34) != 0) violation("attributes or version not 0");
        if (get_be32(h + 36) != kPdbFixedDate || get_be32(h + 40) != kPdbFixedDate)
            violation("unexpected dates");
        for (int off : {44, 48, 52, 56, 68, 72})
            if (get_be32(h + off) != 0) violation(format("PDB header field at %d not 0", off));
        if (std::memcmp(h + 60, "DATa", 4) != 0 || std::memcmp(h + 64, "trk1", 4) != 0)
            violation("type or creator is not DATa/trk1");
        const size_t count = get_be16(h + 76);
        report_.record_count = int(count);
        ByteReader list(file_.data(), file_.size());
        if (!list.has(kPdbHeaderSize, count * kPdbRecordEntrySize)) {
            violation(format("record list of %zu entries runs past the end of the file", count));
            return false;
        }
        std::vector<uint32_t> offsets(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = h + kPdbHeaderSize + i * kPdbRecordEntrySize;
            offsets[i] = get_be32(e);
            if (e[4] != kPdbRecordAttributes)
                violation(format("record %zu: attributes 0x%02X", i, unsigned(e[4])));
            const uint32_t id = (uint32_t(e[5]) << 16) | (uint32_t(e[6]) << 8) | e[7];
            if (id != kPdbFirstUniqueId + i)
                violation(format("record %zu: unique ID 0x%06X", i, unsigned(id)));
        }
        const size_t list_end = kPdbHeaderSize + count * kPdbRecordEntrySize;
        if (count == 0) {
            violation("database without records");
            return false;
        }
        if (offsets[0] != list_end) violation("first record does not follow the record list");
        for (size_t i = 0; i < count; ++i) {
            const size_t begin = offsets[i];
            const size_t end = i + 1 < count ? offsets[i + 1] : file_.size();
            if (begin < list_end || begin > end || end > file_.size()) {
                violation(format("record %zu: offset %zu outside the file or out of order", i, begin));
                return false;
            }
            records_.push_back({begin, end - begin});
        }
        return true;
    }

    void read_records() {
        if (!read_map_header()) return;
        // Number the records the header announces first: a header may announce more than the list holds.
        size_t next = 1;
        const size_t publisher_record = report_.has_publisher ? next++ : 0;
        const size_t region_record = report_.has_regions ? next++ : 0;
        const size_t index_record = next++;
        std::vector<size_t> table_records;
        for (size_t i = 0; i < report_.layers.size(); ++i) table_records.push_back(next++);
        if (next >= records_.size()) {
            violation(format("%zu records: no data record after the %zu cell tables", records_.size(),
                             report_.layers.size()));
            return;
        }
        if (report_.has_publisher) read_publisher(publisher_record);
        if (report_.has_regions) read_region_record(region_record);
        if (!read_data(next)) return;
        for (size_t i = 0; i < table_records.size(); ++i) read_layer_table(i, table_records[i]);
        if (report_.has_regions && report_.region_root_offset != 0) read_region_tree();
        read_name_index(index_record);
        check_overlaps();
    }

    bool read_map_header() {
        const Span& r = records_[0];
        const uint8_t* p = record_bytes(0);
        if (r.size < size_t(kMapHeaderBaseSize)) {
            violation(format("map header record of %zu bytes is too short", r.size));
            return false;
        }
        report_.header_flags = p[0];
        if (!(p[0] & kHeaderAlways) ||
            (p[0] & ~(kHeaderAlways | kHeaderPublisher | kHeaderScaleOnly | kHeaderRegions)))
            violation(format("map header flags 0x%02X", unsigned(p[0])));
        if (p[1] != 0) violation("map header byte 1 not 0");
        const uint16_t sum = header_checksum(std::span<const uint8_t>(p + 4, 32));
        if (get_be16(p + 2) != sum)
            violation(format("header checksum 0x%04X, bytes 4..35 sum to 0x%04X", unsigned(get_be16(p + 2)),
                             unsigned(sum)));
        report_.format = p[4];
        report_.map_class = p[5];
        if (p[4] != 5 && p[4] != 6) violation(format("map format %u", unsigned(p[4])));
        if (!valid_map_class(p[5])) {
            violation(format("map class 0x%02X", unsigned(p[5])));
            return false;
        }
        shift_ = unit_shift_of(p[5]);
        record_size_ = data_record_size_of(p[5]);
        report_.output.x_min = get_be16(p + 6);
        report_.output.y_min = get_be16(p + 8);
        report_.output.x_max = get_be16(p + 10);
        report_.output.y_max = get_be16(p + 12);
        if (report_.output.x_min != 1 || report_.output.y_min != 1)
            violation("output range does not start at (1, 1)");
        if (report_.output.x_max < 1 || report_.output.y_max < 1) violation("output range without extent");
        report_.geo_scale = int16_t(get_be16(p + 14));
        report_.map_id = int16_t(get_be16(p + 16));
        report_.parent_map_id = int16_t(get_be16(p + 18));
        for (int i = 0; i < 4; ++i) report_.geo_bounds[i] = int32_t(get_be32(p + 20 + 4 * i));
        if (get_be32(p + 36) != 0 || get_be16(p + 42) != 0) violation("reserved map header bytes not 0");
        const size_t layers = get_be16(p + 40);
        if (get_be16(p + 44) != layers) violation("the two layer counts differ");
        if (layers > size_t(kMaxExportLayers)) violation(format("%zu layers", layers));
        report_.has_publisher = p[0] & kHeaderPublisher;
        report_.has_regions = p[0] & kHeaderRegions;
        const size_t prefs = p[4] == 6 ? kPreferencesBlockSize : 0;
        const size_t expected = kMapHeaderBaseSize + prefs + kLayerDescriptorSize * layers;
        if (r.size != expected) {
            violation(format("map header record has %zu bytes, its contents %zu", r.size, expected));
            if (r.size < expected) return false;
        }
        if (prefs) read_preferences(p + kMapHeaderBaseSize);
        for (size_t i = 0; i < layers; ++i) {
            const uint8_t* d = p + kMapHeaderBaseSize + prefs + kLayerDescriptorSize * i;
            InspectedLayer layer{d[0], d[1], d[2], d[3], 0};
            if (d[0] > 2) violation(format("layer %zu: layer type %u", i + 1, unsigned(d[0])));
            if (d[1] == 0 || (d[1] & (d[1] - 1)) || d[1] > 0x40)
                violation(format("layer %zu: theme bits 0x%02X", i + 1, unsigned(d[1])));
            if (d[2] != i + 1) violation(format("layer %zu: numbered %u", i + 1, unsigned(d[2])));
            if (d[3] > 7) violation(format("layer %zu: zoom category %u", i + 1, unsigned(d[3])));
            if (get_be32(d + 4) != 0) violation(format("layer %zu: reserved bytes not 0", i + 1));
            report_.layers.push_back(layer);
        }
        return true;
    }

    void read_preferences(const uint8_t* q) {
        report_.preferences.assign(q, q + kPreferencesBlockSize);
        if (q[0] || q[1] || q[2] || q[3]) violation("preferences: leading bytes not 0");
        if (get_be16(q + 4) != ((report_.output.x_min + report_.output.x_max) >> 1) ||
            get_be16(q + 6) != ((report_.output.y_min + report_.output.y_max) >> 1))
            violation("preferences: centre is not the centre of the output range");
        for (int i = 8; i <= 16; ++i)
            if (q[i] > 4) violation(format("preferences: zoom %u at byte %d", unsigned(q[i]), i));
        if (q[17] != 0xFF) violation("preferences: byte 17 not 0xFF");
        if ((q[18] & 0x0F) > 2 || (q[18] & 0x80))
            violation(format("preferences: auto details 0x%02X", unsigned(q[18])));
        if (q[19] > 4 && q[19] != 0xFF) violation(format("preferences: names zoom %u", unsigned(q[19])));
        if (get_be32(q + 20) != 0) violation("preferences: trailing bytes not 0");
    }

    void read_publisher(size_t index) {
        const Span& r = records_[index];
        const uint8_t* p = record_bytes(index);
        if (r.size < 47) {
            violation(format("publisher record of %zu bytes is too short", r.size));
            return;
        }
        if (p[0] != 'P' || p[1] != 'V') violation("publisher record does not start with PV");
        report_.publisher_date.assign(reinterpret_cast<const char*>(p + 2), 10);
        for (int i = 0; i < 10; ++i) {
            const bool dash = i == 2 || i == 5;
            const char c = char(p[2 + i]);
            if (dash ? c != '-' : (c < '0' || c > '9')) {
                violation("publisher date is not DD-MM-YYYY");
                break;
            }
        }
        if (p[12] != 0 || p[13] != 0) violation("publisher date not followed by two zero bytes");
        report_.publisher_notice =
            fixed_text(p + 14, kPublisherRecordNoticeSize, "publisher notice", report_.violations);
        const size_t n = r.size - 46;
        if (p[r.size - 1] != 0) violation("contact text does not end the record with 0");
        report_.contact = fixed_text(p + 46, n, "contact text", report_.violations);
        if (report_.contact.size() + 1 != n) violation("bytes after the contact text");
        if (report_.contact.find('\r') != std::string::npos)
            violation("contact text holds a carriage return");
    }

    void read_region_record(size_t index) {
        const Span& r = records_[index];
        const uint8_t* p = record_bytes(index);
        if (r.size < 4) {
            violation("region record too short");
            return;
        }
        const size_t levels = p[1];
        if (p[0] != 0 || levels != 1) violation(format("region record: %zu levels", levels));
        if (r.size != 4 + 16 * levels) {
            violation(format("region record of %zu bytes for %zu levels", r.size, levels));
            if (r.size < 4 + 16 * levels) return;
        }
        report_.region_root_offset = get_be16(p + 2);
        if (levels > 0)
            report_.region_level_name = fixed_text(p + 4, 16, "region level name", report_.violations);
    }

    bool read_data(size_t first) {
        const size_t count = records_.size() - first;
        report_.data_record_count = int(count);
        for (size_t j = 0; j < count; ++j) {
            const Span& r = records_[first + j];
            const bool last = j + 1 == count;
            if (!last && r.size != size_t(record_size_)) {
                violation(format("data record %zu has %zu bytes, not %d", j, r.size, int(record_size_)));
                return false;
            }
            if (last && (r.size < 2 || r.size > size_t(record_size_))) {
                violation(format("last data record has %zu bytes", r.size));
                return false;
            }
            area_.insert(area_.end(), record_bytes(first + j), record_bytes(first + j) + r.size);
        }
        const size_t p = area_.size() - 2;
        if (area_[p] != 0 || area_[p + 1] != 0) violation("data does not end in two zero bytes");
        if (p < (size_t(1) << shift_)) violation("data shorter than one unit");
        if (p > (size_t(131072) << (shift_ - 1))) violation("data larger than the map class allows");
        report_.data_length = int32_t(p);
        return true;
    }

    void read_layer_table(size_t layer, size_t index) {
        const Span& r = records_[index];
        const int kind = r.size == 2 ? 1 : r.size == 2 * kCellTreeEntries ? 5 : 0;
        report_.layers[layer].table_kind = kind;
        if (!kind) {
            violation(format("layer %zu: cell table of %zu bytes", layer + 1, r.size));
            return;
        }
        const std::string owner = format("layer %zu", layer + 1);
        const uint8_t* p = record_bytes(index);
        walk_table(p, kind, owner, Context::object);
    }

    void walk_table(const uint8_t* entries, int kind, const std::string& owner, Context context) {
        const int cells = kind == 1 ? 1 : kCellTreeEntries;
        for (int cell = 0; cell < cells; ++cell) {
            uint16_t offset = get_be16(entries + 2 * cell);
            while (offset != 0) {
                const int32_t position = int32_t(offset) << shift_;
                if (position >= report_.data_length) {
                    violation(format("%s cell %d: offset %u points past the data", owner.c_str(), cell,
                                     unsigned(offset)));
                    break;
                }
                if (!visited_.insert(position).second) {
                    violation(format("%s cell %d: Definition at %d reached twice", owner.c_str(), cell,
                                     int(position)));
                    break;
                }
                InspectedDefinition d;
                d.position = position;
                d.owner = owner;
                d.cell = cell;
                if (!parse_definition(d, context)) break;
                if (kind == 5 && context != Context::region_root) {
                    const int expected = cell_index(report_.output, box_[0], box_[1], box_[2], box_[3]);
                    if (expected != cell)
                        violation(format("%s: Definition at %d sits in cell %d, its box belongs in cell %d",
                                         owner.c_str(), int(position), cell, expected));
                }
                const uint16_t next = get_be16(area_.data() + position);
                report_.definitions.push_back(std::move(d));
                if (child_table_ >= 0) {
                    const size_t at = size_t(child_table_);
                    child_table_ = -1;
                    walk_table(area_.data() + at, 5, "region", Context::region_node);
                }
                offset = next;
            }
        }
    }

    void read_region_tree() {
        const uint8_t entry[2] = {uint8_t(report_.region_root_offset >> 8),
                                  uint8_t(report_.region_root_offset)};
        walk_table(entry, 1, "region root", Context::region_root);
    }

    // Where a Definition may lie: from its first byte to the end of its own data record, or of the data.
    struct DefinitionBytes {
        size_t begin = 0;
        size_t record_begin = 0;
        size_t limit = 0;
    };

    // Records a fault of the Definition; false, for the faults that end its decoding.
    bool fault(const InspectedDefinition& d, const char* what) {
        violation(format("%s: Definition at %d: %s", d.owner.c_str(), d.position, what));
        return false;
    }

    // Decodes one Definition inside its own data record; false when it cannot be decoded at all.
    bool parse_definition(InspectedDefinition& d, Context context) {
        DefinitionBytes at;
        at.begin = size_t(d.position);
        at.record_begin = at.begin / size_t(record_size_) * size_t(record_size_);
        at.limit = std::min(at.record_begin + size_t(record_size_), size_t(report_.data_length));
        if (at.begin + 3 > at.limit) return fault(d, "runs past its data record");
        d.type = area_[at.begin + 2];
        const bool known = context == Context::object
                               ? type_code_name(d.type, context) != nullptr
                               : d.type == kRegionLeafCode || d.type == kRegionParentCode;
        if (!known) return fault(d, "unknown type code");
        box_[0] = box_[1] = 0x7FFF;
        box_[2] = box_[3] = 0;
        size_t p = at.begin + 3;
        if (context == Context::object && !read_object_fields(d, at, p)) return false;
        const bool named = context != Context::object || d.type != 14;  // a LINK has no name
        if (named) {
            const DecodedName name = decode_name(std::span(area_.data(), at.limit), p, at.record_begin);
            if (!name.ok) return fault(d, name.problem);
            d.has_name = true;
            d.name = name.text;
            p = name.end;
        }
        if (!d.is_point && !read_outline(d, context, at, p)) return false;
        return read_padding(d, context, at, p);
    }

    // The fields between the type code and the name of a point, LINK, CATPNTFEATURE or route.
    bool read_object_fields(InspectedDefinition& d, const DefinitionBytes& at, size_t& p) {
        const size_t begin = at.begin, limit = at.limit;
        if (d.type == 9 || d.type == 14 || d.type == 18) {
            if (begin + 8 > limit) return fault(d, "point runs past its data record");
            d.is_point = true;
            d.field3 = area_[begin + 3];
            d.point = {get_be16(&area_[begin + 4]), get_be16(&area_[begin + 6])};
            widen(d.point);
            p = begin + 8;
            if (d.type == 14) {
                if (d.field3 != 0) fault(d, "LINK byte 3 not 0");
                if (begin + 10 > limit) return fault(d, "LINK runs past its data record");
                d.map_id = get_be16(&area_[begin + 8]);
                p = begin + 10;
            } else if (d.type == 18) {
                if (begin + 10 > limit) return fault(d, "CATPNTFEATURE runs past its data record");
                d.category = area_[begin + 8];
                if (area_[begin + 9] != 0) fault(d, "CATPNTFEATURE byte 9 not 0");
                p = begin + 10;
            }
        } else if (d.type == 21) {
            if (begin + 5 > limit) return fault(d, "route runs past its data record");
            d.field3 = area_[begin + 3];
            if (area_[begin + 3] != 0xFF || area_[begin + 4] != 0) fault(d, "route network bytes not FF 00");
            p = begin + 5;
        }
        return true;
    }

    // The vertex list and, for a region node, its child table.
    bool read_outline(InspectedDefinition& d, Context context, const DefinitionBytes& at, size_t& p) {
        if (!read_vertices(d, std::span(area_.data(), at.limit), p)) return false;
        if (d.vertices.empty()) return fault(d, "empty vertex list");
        if (context == Context::object) return true;
        if ((p - at.begin) % 2 != 0) {
            if (p >= at.limit || area_[p] != kVertexListEnd)
                return fault(d, "region node of odd length before its table");
            ++p;
        }
        if (context == Context::region_root) {
            if (d.name != "world" || d.vertices.size() != 1 || d.vertices[0] != ScaledPoint{0, 0})
                fault(d, "region root is not \"world\" at (0, 0)");
            box_[0] = box_[1] = box_[2] = box_[3] = 1;
        }
        if (d.type == kRegionParentCode) {
            if (p + 2 * kCellTreeEntries > at.limit) return fault(d, "child table runs past its data record");
            child_table_ = int64_t(p);
            p += 2 * kCellTreeEntries;
        } else if (context == Context::region_root) {
            child_table_ = -1;
        }
        return true;
    }

    // Zero bytes up to the next unit, then the checks on the whole Definition.
    bool read_padding(InspectedDefinition& d, Context context, const DefinitionBytes& at, size_t p) {
        const size_t unit = size_t(1) << shift_;
        while ((p - at.begin) % unit != 0) {
            if (p >= at.limit) return fault(d, "padding runs past its data record");
            if (area_[p] != 0) fault(d, "padding bytes not 0");
            ++p;
        }
        d.length = int32_t(p - at.begin);
        if (d.length > kMaxDefinitionLength) fault(d, "longer than 8000 bytes");
        if (context == Context::region_node && d.type == kRegionParentCode)
            fault(d, "region node below the root has children");
        return true;
    }

    void widen(ScaledPoint v) {
        box_[0] = std::min<int>(box_[0], v.x);
        box_[1] = std::min<int>(box_[1], v.y);
        box_[2] = std::max<int>(box_[2], v.x);
        box_[3] = std::max<int>(box_[3], v.y);
    }

    // One coordinate part: a step byte, or 0x81 and the absolute value. False at the end of the data.
    bool read_part(std::span<const uint8_t> data, size_t& p, uint16_t previous, uint16_t& value,
                   bool& canonical) {
        if (p >= data.size()) return false;
        const uint8_t b = data[p++];
        if (b == kVertexAbsolute) {
            if (p + 2 > data.size()) return false;
            value = get_be16(&data[p]);
            p += 2;
            const int step = int(value) - int(previous);
            canonical = !(step >= -126 && step <= 127);
            return true;
        }
        const int v = int(previous) + int(int8_t(b));
        canonical = b != kVertexListEnd && v >= 0 && v <= 0xFFFF;
        value = uint16_t(v);
        return true;
    }

    bool read_vertices(InspectedDefinition& d, std::span<const uint8_t> data, size_t& p) {
        if (p + 4 > data.size()) return fault(d, "vertex list runs past its data record");
        ScaledPoint v{get_be16(&data[p]), get_be16(&data[p + 2])};
        p += 4;
        d.vertices.push_back(v);
        widen(v);
        for (;;) {
            if (p >= data.size()) return fault(d, "vertex list without end");
            if (data[p] == kVertexListEnd) {
                ++p;
                return true;
            }
            bool good_x = true, good_y = true;
            ScaledPoint next;
            if (!read_part(data, p, v.x, next.x, good_x) || !read_part(data, p, v.y, next.y, good_y))
                return fault(d, "vertex list runs past its data record");
            if (!good_x || !good_y) fault(d, "vertex step not written the way the encoder writes it");
            v = next;
            d.vertices.push_back(v);
            widen(v);
        }
    }

    void read_name_index(size_t index) {
        const Span& r = records_[index];
        if (r.size % 2 != 0) violation("name index record of odd length");
        std::set<int32_t> listed;
        const uint8_t* p = record_bytes(index);
        std::string previous;
        const std::span<const uint8_t> data(area_.data(), size_t(report_.data_length));
        for (size_t i = 0; i + 1 < r.size; i += 2) {
            const int32_t position = int32_t(get_be16(p + i)) << shift_;
            const InspectedDefinition* d = find_object(position);
            if (!d) {
                violation(format("name index entry %zu: no object Definition at %d", i / 2, int(position)));
                continue;
            }
            if (!listed.insert(position).second)
                violation(format("name index entry %zu: listed twice", i / 2));
            if (d->type == 14) violation(format("name index entry %zu: a LINK point", i / 2));
            const std::string name = name_position(d->type) < 0 ? std::string() : d->name;
            if (!printable_name(name))
                violation(format("name index entry %zu: name %s not printable", i / 2, quoted(name).c_str()));
            if (i > 0 && compare_index_names(previous, name) > 0)
                violation(format("name index entry %zu: %s sorts before %s", i / 2, quoted(name).c_str(),
                                 quoted(previous).c_str()));
            report_.index_names.push_back(name);
            previous = name;
        }
        (void)data;
        for (const InspectedDefinition& d : report_.definitions) {
            if (d.owner.rfind("layer", 0) != 0 || d.type == 14 || d.name.empty()) continue;
            if (!listed.count(d.position))
                violation(format("%s: named Definition at %d missing from the name index", d.owner.c_str(),
                                 d.position));
        }
    }

    const InspectedDefinition* find_object(int32_t position) {
        if (objects_.empty())
            for (const InspectedDefinition& d : report_.definitions)
                if (d.owner.rfind("layer", 0) == 0) objects_.emplace(d.position, &d);
        const auto it = objects_.find(position);
        return it == objects_.end() ? nullptr : it->second;
    }

    void check_overlaps() {
        std::vector<std::pair<int32_t, int32_t>> spans;
        for (const InspectedDefinition& d : report_.definitions)
            spans.emplace_back(d.position, d.position + d.length);
        std::sort(spans.begin(), spans.end());
        for (size_t i = 1; i < spans.size(); ++i)
            if (spans[i].first < spans[i - 1].second)
                violation(
                    format("Definitions at %d and %d overlap", int(spans[i - 1].first), int(spans[i].first)));
    }

    std::span<const uint8_t> file_;
    InspectReport report_;
    std::vector<Span> records_;
    std::vector<uint8_t> area_;
    std::set<int32_t> visited_;
    std::map<int32_t, const InspectedDefinition*> objects_;
    int shift_ = 3;
    int32_t record_size_ = 16384;
    int box_[4] = {};
    int64_t child_table_ = -1;
};

}  // namespace

InspectReport inspect_database(std::span<const uint8_t> file) {
    return Inspector(file).run();
}

std::string format_inspect_report(const InspectReport& r, bool dump) {
    std::string out;
    auto line = [&](const std::string& text) { out += text + "\n"; };
    if (dump) {
        line(format("database %s: %d records", quoted(r.map_name).c_str(), r.record_count));
        line(format(
            "header: flags 0x%02X format %u class 0x%02X range %u,%u..%u,%u scale %d map-id %d parent-id %d "
            "geo %d %d %d %d layers %zu",
            unsigned(r.header_flags), unsigned(r.format), unsigned(r.map_class), unsigned(r.output.x_min),
            unsigned(r.output.y_min), unsigned(r.output.x_max), unsigned(r.output.y_max), int(r.geo_scale),
            int(r.map_id), int(r.parent_map_id), int(r.geo_bounds[0]), int(r.geo_bounds[1]),
            int(r.geo_bounds[2]), int(r.geo_bounds[3]), r.layers.size()));
        if (r.preferences.size() == size_t(kPreferencesBlockSize)) {
            const auto& q = r.preferences;
            line(format(
                "preferences: centre %u,%u zoom %u groups %u,%u,%u,%u,%u,%u,%u,%u auto 0x%02X names %d",
                unsigned(get_be16(&q[4])), unsigned(get_be16(&q[6])), q[8], q[9], q[10], q[11], q[12], q[13],
                q[14], q[15], q[16], unsigned(q[18]), q[19] == 0xFF ? -1 : int(q[19])));
        }
        for (size_t i = 0; i < r.layers.size(); ++i) {
            const InspectedLayer& l = r.layers[i];
            line(format("layer %zu: type %u theme-bits 0x%02X zoom-category %u cell-table kind %d", i + 1,
                        unsigned(l.type), unsigned(l.theme_bits), unsigned(l.min_zoom_category),
                        l.table_kind));
        }
        if (r.has_publisher)
            line(format("publisher: date %s notice %s contact %s", quoted(r.publisher_date).c_str(),
                        quoted(r.publisher_notice).c_str(), quoted(r.contact).c_str()));
        if (r.has_regions)
            line(format("regions: level %s root offset %u", quoted(r.region_level_name).c_str(),
                        unsigned(r.region_root_offset)));
        line(format("data: %d records, %d bytes", r.data_record_count, int(r.data_length)));
        line(format("name index: %zu entries", r.index_names.size()));
        for (size_t i = 0; i < r.index_names.size(); ++i)
            line(format("  %zu %s", i, quoted(r.index_names[i]).c_str()));
        for (const InspectedDefinition& d : r.definitions) {
            const Context context = d.owner == "region root" ? Context::region_root
                                    : d.owner == "region"    ? Context::region_node
                                                             : Context::object;
            const char* name = type_code_name(d.type, context);
            std::string text = format("%s cell %d @%d len %d type %u %s", d.owner.c_str(), d.cell,
                                      int(d.position), int(d.length), unsigned(d.type), name ? name : "?");
            if (d.type == 9) text += format(" icon %u", unsigned(d.field3));
            if (d.type == 18)
                text += format(" category %u sub-type %u", unsigned(d.category), unsigned(d.field3));
            if (d.type == 14) text += format(" map-id %u", unsigned(d.map_id));
            if (d.has_name) text += " name " + quoted(d.name);
            if (d.is_point) text += format(" at %u,%u", unsigned(d.point.x), unsigned(d.point.y));
            if (!d.vertices.empty()) {
                text += format(" vertices %zu:", d.vertices.size());
                for (const ScaledPoint& v : d.vertices)
                    text += format(" %u,%u", unsigned(v.x), unsigned(v.y));
            }
            line(text);
        }
    }
    if (r.ok()) {
        line("OK");
    } else {
        for (const std::string& v : r.violations) line("violation: " + v);
    }
    return out;
}

}  // namespace plotwell
