// The readable source of a categories file and its encoder, used to make the categories file that
// ships beside the program ("plotwell-tool make-categories").
//
// Source text, one statement per line ('#' starts a comment line, blank lines are ignored):
//   icons 8          icon size of the whole file, 8 or 12; before any icon
//   category NAME    starts a category (at most 12; a name holds at most 31 characters)
//   sub-type NAME    adds a sub-type to the category above (at most 32; at most 35 characters)
//   icon             the next 8 (or 12) lines draw one icon, '#' for ink and '.' for paper; icons are
//                    numbered in the order they appear
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/categories_file.h"
#include "model/result.h"

namespace plotwell {

struct CategorySource {
    std::string name;
    std::vector<std::string> sub_types;
};

struct CategoriesSource {
    uint8_t icon_format = kIconFormat8;
    std::vector<CategorySource> categories;
    std::vector<MonoIcon> icons;
};

// Reads the source text; fails with "line N: what is wrong" when it is not sound.
Result parse_categories_source(std::string_view text, CategoriesSource& source);

// The categories file's bytes: header, icons, then the category records in order. Fails with a message
// when the source breaks a limit of the file.
Result encode_categories(const CategoriesSource& source, std::vector<uint8_t>& out);

}  // namespace plotwell
