// The map database: a PDB file with the map header record, the optional publisher and region records,
// the name index, one cell table per exported layer and the data records cut from the data area. All
// values big-endian.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_settings.h"
#include "export/export_state.h"
#include "model/file_commit.h"
#include "model/records.h"
#include "platform/progress_sink.h"

namespace plotwell {

inline constexpr int kPdbHeaderSize = 78;
inline constexpr int kPdbRecordEntrySize = 8;
inline constexpr uint32_t kPdbFixedDate = 0xAE44D106;
inline constexpr uint32_t kPdbFirstUniqueId = 0x6F8001;
inline constexpr uint8_t kPdbRecordAttributes = 0x40;

// Map header flags.
inline constexpr uint8_t kHeaderAlways = 0x01;
inline constexpr uint8_t kHeaderPublisher = 0x04;
inline constexpr uint8_t kHeaderScaleOnly = 0x10;
inline constexpr uint8_t kHeaderRegions = 0x40;
inline constexpr int kMapHeaderBaseSize = 46;
inline constexpr int kPreferencesBlockSize = 24;
inline constexpr int kLayerDescriptorSize = 8;
inline constexpr int kPublisherRecordNoticeSize = 32;
inline constexpr int kPublisherRecordContactSize = 128;

struct ExportDate {
    int day = 1;
    int month = 1;
    int year = 2000;
};
ExportDate local_export_date();

// What the file carries beyond the compiled data: the project's GeoInfo, the layers of the project (for
// their type and theme), the publisher texts and the date of the export.
struct DatabaseExtras {
    GeoInfo geo;
    const Project* project = nullptr;
    std::string publisher_notice;
    std::string contact;
    ExportDate date;
};

// Sum of the sixteen big-endian words of bytes 4..35 of the map header record, low 16 bits.
uint16_t header_checksum(std::span<const uint8_t> bytes_4_to_35);

// The whole file in memory.
std::vector<uint8_t> assemble_database(const ExportState& state, const ExportSettings& settings,
                                       const DatabaseExtras& extras);

// Logs "Writing PDB file...", assembles the file and writes it to `path` in one piece. False when the
// file system refused the bytes (the file that was there is then untouched).
[[nodiscard]] bool write_database(const ExportState& state, const ExportSettings& settings,
                                  const DatabaseExtras& extras, const std::string& path, ProgressSink& sink,
                                  const WriteFaults* faults = nullptr);

}  // namespace plotwell
