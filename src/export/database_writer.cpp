#include "export/database_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "model/bytes.h"
#include "model/text.h"

namespace plotwell {

ExportDate local_export_date() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return ExportDate{tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900};
}

uint16_t header_checksum(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < bytes.size() && i < 32; i += 2) sum += get_be16(bytes.data() + i);
    return uint16_t(sum);
}

namespace {
// Big-endian appends byte by byte (the records are small; this keeps the optimiser's bounds
// analysis simple).
struct RecordBytes {
    std::vector<uint8_t> bytes;
    size_t size() const { return bytes.size(); }
    void put_u8(uint8_t v) { bytes.push_back(v); }
    void put_be16(uint16_t v) {
        bytes.push_back(uint8_t(v >> 8));
        bytes.push_back(uint8_t(v));
    }
    void put_be32(uint32_t v) {
        put_be16(uint16_t(v >> 16));
        put_be16(uint16_t(v));
    }
    void put_zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void put_bytes(const void* data, size_t n) {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + n);
    }
};

void put_text(RecordBytes& out, std::string_view text, size_t size) {
    const size_t n = std::min(text.size(), size - 1);
    out.put_bytes(text.data(), n);
    out.put_zeros(size - n);
}

std::vector<uint8_t> map_header_record(const ExportState& state, const ExportSettings& settings,
                                       const DatabaseExtras& extras, bool publisher, bool regions) {
    RecordBytes r;
    const int layers = settings.visible_layer_count;
    uint8_t flags = kHeaderAlways;
    if (publisher) flags |= kHeaderPublisher;
    if (extras.geo.mode == kGeoScale) flags |= kHeaderScaleOnly;
    if (regions) flags |= kHeaderRegions;
    // Bytes 4..35 first: the checksum in bytes 2..3 covers them.
    RecordBytes sum;
    sum.put_u8(settings.has_map_preferences ? 6 : 5);
    sum.put_u8(uint8_t(settings.map_class));
    sum.put_be16(state.output.x_min);
    sum.put_be16(state.output.y_min);
    sum.put_be16(state.output.x_max);
    sum.put_be16(state.output.y_max);
    sum.put_be16(uint16_t(extras.geo.scale));
    sum.put_be16(uint16_t(settings.map_id));
    sum.put_be16(uint16_t(settings.parent_map_id));
    for (int32_t v : state.header_geo) sum.put_be32(uint32_t(v));
    r.put_u8(flags);
    r.put_u8(0);
    r.put_be16(header_checksum(sum.bytes));
    r.put_bytes(sum.bytes.data(), sum.size());
    r.put_be32(0);
    r.put_be16(uint16_t(layers));
    r.put_be16(0);
    r.put_be16(uint16_t(layers));
    if (settings.has_map_preferences) {
        const MapPreferences& p = settings.preferences;
        r.put_zeros(3);
        r.put_u8(0);  // route networks
        r.put_be16(uint16_t((state.output.x_min + state.output.x_max) >> 1));
        r.put_be16(uint16_t((state.output.y_min + state.output.y_max) >> 1));
        r.put_u8(p.initial_zoom);
        r.put_bytes(p.group_zoom, kZoomGroupCount);
        r.put_u8(0xFF);
        r.put_u8(p.auto_detail);
        r.put_u8(uint8_t(p.names_zoom));
        r.put_zeros(4);
    }
    for (int i = 0; i < layers; ++i) {
        const int32_t number = settings.visible_layers[i];
        const Layer& layer = extras.project->layers[number];
        r.put_u8(layer.type);
        r.put_u8(uint8_t(1u << (layer.theme & 7)));
        r.put_u8(uint8_t(i + 1));
        r.put_u8(uint8_t(settings.layer_props[number].min_zoom_category));
        r.put_zeros(4);
    }
    return std::move(r.bytes);
}

std::vector<uint8_t> publisher_record(const DatabaseExtras& extras) {
    RecordBytes r;
    r.put_bytes("PV", 2);
    char date[32];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", extras.date.day, extras.date.month, extras.date.year);
    put_text(r, date, 11);  // ten characters and their end
    r.put_u8(0);
    put_text(r, extras.publisher_notice, kPublisherRecordNoticeSize);
    std::string contact(
        extras.contact.substr(0, std::min<size_t>(extras.contact.size(), kPublisherRecordContactSize - 1)));
    contact.erase(std::remove(contact.begin(), contact.end(), '\r'), contact.end());
    const size_t nul = contact.find('\0');
    if (nul != std::string::npos) contact.resize(nul);
    r.put_bytes(contact.data(), contact.size());
    r.put_u8(0);
    return std::move(r.bytes);
}

std::vector<uint8_t> region_record(const ExportState& state, const ExportSettings& settings) {
    RecordBytes r;
    r.put_u8(0);
    r.put_u8(uint8_t(settings.region_level_count));
    r.put_be16(state.region_root_offset);
    for (int k = 0; k < settings.region_level_count; ++k)
        put_text(r, field_text(settings.region_level_name), kRegionLevelNameSize);
    return std::move(r.bytes);
}
}  // namespace

std::vector<uint8_t> assemble_database(const ExportState& state, const ExportSettings& settings,
                                       const DatabaseExtras& extras) {
    const bool publisher = (settings.flags & kExportPublisherInfo) != 0;
    const bool regions = settings.region_level_count > 0;

    std::vector<std::vector<uint8_t>> records;
    records.push_back(map_header_record(state, settings, extras, publisher, regions));
    if (publisher) records.push_back(publisher_record(extras));
    if (regions) records.push_back(region_record(state, settings));
    RecordBytes index;
    for (int32_t position : state.name_index) index.put_be16(uint16_t(position >> state.unit_shift));
    records.push_back(std::move(index.bytes));
    for (const CellTable& table : state.layer_tables) {
        RecordBytes t;
        for (uint16_t e : table.entries) t.put_be16(e);
        records.push_back(std::move(t.bytes));
    }
    // Data records; the last one runs two bytes past the last Definition.
    const int32_t p = state.write_pos;
    const int32_t record_size = state.data_record_size;
    const int32_t data_records = (p + record_size - 1) / record_size;
    for (int32_t j = 0; j < data_records; ++j) {
        const int32_t begin = j * record_size;
        const int32_t end = j + 1 < data_records ? begin + record_size : p + 2;
        records.emplace_back(state.data_area.begin() + begin, state.data_area.begin() + end);
    }

    RecordBytes out;
    const size_t count = records.size();
    char name[kMapNameSize];
    set_field(name, field_text(settings.map_name));
    out.put_bytes(name, kMapNameSize);
    out.put_be16(0);  // attributes
    out.put_be16(0);  // version
    out.put_be32(kPdbFixedDate);
    out.put_be32(kPdbFixedDate);
    out.put_be32(0);  // last backup
    out.put_be32(0);  // modification number
    out.put_be32(0);  // application info
    out.put_be32(0);  // sort info
    out.put_bytes("DATa", 4);
    out.put_bytes("trk1", 4);
    out.put_be32(0);  // unique ID seed
    out.put_be32(0);  // next record list
    out.put_be16(uint16_t(count));
    uint32_t offset = uint32_t(kPdbHeaderSize + kPdbRecordEntrySize * count);
    for (size_t i = 0; i < count; ++i) {
        out.put_be32(offset);
        const uint32_t id = kPdbFirstUniqueId + uint32_t(i);
        out.put_u8(kPdbRecordAttributes);
        out.put_u8(uint8_t(id >> 16));
        out.put_u8(uint8_t(id >> 8));
        out.put_u8(uint8_t(id));
        offset += uint32_t(records[i].size());
    }
    for (const auto& record : records) out.put_bytes(record.data(), record.size());
    return std::move(out.bytes);
}

bool write_database(const ExportState& state, const ExportSettings& settings, const DatabaseExtras& extras,
                    const std::string& path, ProgressSink& sink, const WriteFaults* faults) {
    sink.log_line("Writing PDB file...\r\n");
    const std::vector<uint8_t> bytes = assemble_database(state, settings, extras);
    return commit_file(path, bytes, faults);
}

}  // namespace plotwell
