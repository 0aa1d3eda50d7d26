// Any bytes as a categories file: refused, or every name and count it offers reads inside the file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dialogs/categories_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    CategoriesFile file;
    if (!read_categories(file, std::vector<uint8_t>(data, data + size))) return 0;
    size_t total = 0;
    for (int c = 0; c < category_count(file); ++c) {
        total += category_name(file, c).size();
        for (int s = 0; s < sub_type_count(file, c); ++s) total += sub_type_name(file, c, s).size();
    }
    for (const MonoIcon& icon : file.icons) total += icon_image(icon).pixels.size();
    return total == size_t(-1);
}
