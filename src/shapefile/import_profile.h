// Import profiles: a whole set of import settings kept in a small text file, so that the same kind of
// shapefile can be imported again without choosing everything anew.
//
// Format: one setting per line, "key = value". Blank lines and lines starting with '#' are ignored;
// keys not given keep their current value. Attribute fields are given by name (looked up ignoring
// case), so one profile serves every file with those fields. Types are a type name of the file's
// dimension ("ROAD3", "WATER") or an index; icons an icon name ("PI_BANK") or a code 0..255. Text is
// written in double quotes, with \" and \\ inside.
//
//   name_fields = STREET, SUFFIX          up to 8 fields, in joining order (empty: none)
//   link_fields = ROAD_ID                 up to 8 fields
//   dest_layer = 2
//   default_type = ROAD3
//   default_icon = PI_BANK
//   downcase = 1                          flags are 0 or 1
//   filter_outside_range = 0
//   filter_untranslated = 1
//   multiply_x = 1000000                  non-zero integers
//   multiply_y = 1000000
//   add_x = 0.5
//   add_y = 0
//   multipart_policy = 1                  0 same type for each part, 1 ccw parts get ccw_type
//   ccw_type = LAND
//   substitution_mode = 1
//   substitution = "Street" "St"          one line per entry, in table order (up to 64)
//   type_translation = strings            none, strings or ranges; clears the entries
//   type_translation.field = CLASS
//   type_translation.match_mode = prefix  prefix or whole
//   type_translation.case_sensitive = 0
//   type_translation.entry = "Main" ROAD3 string tables: one line per entry (up to 64)
//   type_translation.range = 0 10 RIVER   numeric ranges: min max result (up to 234)
//   icon_translation... the same keys, with icons as results
#pragma once

#include <string>

#include "model/result.h"
#include "shapefile/import_settings.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

// Applies a profile to `settings` (whose `dimension` must already be the file's). On the first bad line
// fails with "line N: reason" and leaves `settings` as it was.
Result apply_import_profile(const std::string& text, const ShapefileReader& reader,
                            ShapeImportSettings& settings);
// Reads the file and applies it; an unreadable file is an error too.
Result load_import_profile(const std::string& path, const ShapefileReader& reader,
                           ShapeImportSettings& settings);
// The profile text for the settings, fields named from the reader's table.
std::string write_import_profile(const ShapeImportSettings& settings, const ShapefileReader& reader);

}  // namespace plotwell
