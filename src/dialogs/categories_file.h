// The categories file: the categories and sub-types a CATPNTFEATURE point can be given, with their
// monochrome icons. Loaded once at start-up and held read-only for the whole run; a point stores only
// the two indices into it.
//
// Layout (little-endian): byte 1 icon format (0: 12 x 12, 1: 8 x 8), uint16 category count at 4 and icon
// count at 6, the category record offsets (uint32 each) from 8, the icons from 60 (rows top first, each
// padded to 16 bits, leftmost pixel in the high bit). A category record: 32-byte name, uint16 sub-type
// count at 32, then 36-byte sub-type entries from 36, each starting with its name.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image.h"

namespace plotwell {

inline constexpr int kMaxCategories = 12;
inline constexpr int kMaxSubTypes = 32;
inline constexpr size_t kCategoryNameSize = 32;
inline constexpr size_t kCategoryHeadSize = 36;
inline constexpr size_t kSubTypeEntrySize = 36;
inline constexpr size_t kCategoryOffsetTable = 8;
inline constexpr size_t kCategoryIconsOffset = 60;
inline constexpr uint8_t kIconFormat12 = 0;  // 12 x 12 pixels, 24 bytes
inline constexpr uint8_t kIconFormat8 = 1;   // 8 x 8 pixels, 16 bytes

// A monochrome icon, one 16-bit word per row with the leftmost pixel in bit 15.
struct MonoIcon {
    int size = 0;  // 8 or 12
    uint16_t rows[12] = {};

    bool ink(int x, int y) const { return (rows[y] >> (15 - x)) & 1; }
    friend bool operator==(const MonoIcon&, const MonoIcon&) = default;
};

struct CategoriesFile {
    std::string file_name;                             // as opened, e.g. "categories.tpc"
    std::shared_ptr<const std::vector<uint8_t>> view;  // the whole file, never changed
    uint8_t icon_format = 0;
    std::vector<MonoIcon> icons;
    int category_count = 0;
    uint32_t category_offsets[kMaxCategories] = {};  // validated: every record lies inside the view
};

// Opens `name` + ".tpc" in `directory` (the current directory when empty); with an empty name, the
// first "*.tpc" there, and `name` receives its name without the extension. False when the file
// cannot be read or is not sound (more than 12 categories, more than 32 sub-types, a record or
// the icons past the end of the file, icons in an unknown format); `file` is then left empty.
[[nodiscard]] bool load_categories(CategoriesFile& file, std::string& name,
                                   const std::string& directory = "");

// The checks and set-up of load_categories over bytes already read.
[[nodiscard]] bool read_categories(CategoriesFile& file, std::vector<uint8_t> bytes);

// Category access; indices out of range give 0 or an empty name. Names are shown exactly as stored,
// up to their terminator, never past their field.
int category_count(const CategoriesFile& file);
std::string_view category_name(const CategoriesFile& file, int category);
int sub_type_count(const CategoriesFile& file, int category);
std::string_view sub_type_name(const CategoriesFile& file, int category, int sub_type);

// The icon as a picture: ink black, the rest white.
Image icon_image(const MonoIcon& icon);

}  // namespace plotwell
