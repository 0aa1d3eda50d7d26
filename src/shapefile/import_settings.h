// The settings of one shapefile import: what the import dialog, a profile or the command line fill in
// and the engine reads.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"
#include "model/result.h"
#include "shapefile/name_building.h"
#include "shapefile/shapefile_reader.h"
#include "shapefile/value_translation.h"

namespace plotwell {

inline constexpr int kBasePathSize = 128;             // 127 characters + NUL
inline constexpr int32_t kDefaultMultiply = 1000000;  // decimal degrees to millionths of a degree

// Up to 8 attribute field indices, in the order chosen.
struct FieldSelection {
    int indices[kMaxListedFields] = {};
    int count = 0;
};

enum MultipartPolicy : int16_t { kSameTypeForEachPart = 0, kCcwPartsGetCcwType = 1 };

struct ShapeImportSettings {
    std::string base_path;  // the chosen file without its extension
    int dimension = -1;     // 0 POINT, 1 LINE, 2 POLYGON, -1 unsupported
    int dest_layer = 0;
    FieldSelection name_fields;
    FieldSelection link_fields;  // lines only: the link key
    int default_type = 0;
    int default_icon = 0;
    int substitution_mode = 0;  // 1: apply `substitutions` to every name
    NameSubstitution substitutions[kMaxSubstitutions];
    int substitution_count = 0;
    ValueTranslation type_translation;
    ValueTranslation icon_translation;
    int filter_outside_range = 0;
    int filter_untranslated = 1;
    int downcase = 1;
    int16_t multipart_policy = kSameTypeForEachPart;
    int16_t ccw_type = 0;
    float add_x = 0;
    float add_y = 0;
    int32_t multiply_x = kDefaultMultiply;
    int32_t multiply_y = kDefaultMultiply;
};

// The values the import dialog starts from: the file's dimension, the current layer (0 when there is
// none), the range filter on only when the project's range has extent, no fields chosen.
ShapeImportSettings default_import_settings(const Project& project, const ShapefileReader& reader,
                                            const std::string& base_path, int current_layer);

// The checks the dialog makes when OK is pressed, for every way of starting an import: fails with the
// first failing check's message ("You need to select at least one name field", "'Multiply' factors must
// be non-zero"). On success the range filter is switched off when the project's range is empty.
Result check_import_settings(ShapeImportSettings& settings, const Project& project);

// Fails, saying why, when an import cannot start at all: no layer to import into, an unsupported shape
// type, or settings that point outside the file's fields or the type lists.
Result import_refusal(const Project& project, const ShapefileReader& reader,
                      const ShapeImportSettings& settings);

}  // namespace plotwell
