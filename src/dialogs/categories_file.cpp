#include "dialogs/categories_file.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>

#include "model/bytes.h"
#include "model/text.h"

namespace plotwell {

namespace {

// Far beyond any real categories file (65535 icons of 24 bytes and 12 full categories stay below 2 MB).
constexpr size_t kMaxCategoriesFileSize = size_t(16) << 20;

size_t icon_bytes(uint8_t format) {
    return format == kIconFormat12 ? 24 : 16;
}

bool is_tpc(const std::filesystem::path& p) {
    return equal_ignoring_case(p.extension().string(), ".tpc");
}

// The file to open: `name`.tpc, or a file of that name differing only in letter case (files copied from
// systems that ignore case); with an empty name the alphabetically first *.tpc.
std::filesystem::path find_file(const std::filesystem::path& dir, const std::string& name) {
    std::error_code ec;
    if (!name.empty()) {
        const std::filesystem::path exact = dir / (name + ".tpc");
        if (std::filesystem::is_regular_file(exact, ec)) return exact;
    }
    std::vector<std::filesystem::path> matches;
    for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec) || !is_tpc(it->path())) continue;
        const std::string stem = it->path().stem().string();
        if (name.empty() || equal_ignoring_case(stem, name)) matches.push_back(it->path());
    }
    if (matches.empty()) return {};
    std::sort(matches.begin(), matches.end());
    return matches.front();
}

const uint8_t* category_record(const CategoriesFile& file, int category) {
    if (!file.view || category < 0 || category >= file.category_count) return nullptr;
    return file.view->data() + file.category_offsets[category];
}

}  // namespace

bool read_categories(CategoriesFile& file, std::vector<uint8_t> bytes) {
    file = CategoriesFile{};
    const ByteReader in(bytes.data(), bytes.size());
    const uint8_t* head = in.at(0, kCategoryOffsetTable);
    if (!head) return false;
    const uint8_t icon_format = head[1];
    const uint16_t count = get_le16(head + 4);
    const uint16_t icon_count = get_le16(head + 6);
    if (count > kMaxCategories) return false;

    CategoriesFile loaded;
    loaded.icon_format = icon_format;
    if (icon_count > 0) {
        if (icon_format != kIconFormat12 && icon_format != kIconFormat8) return false;
        const size_t size = icon_bytes(icon_format);
        const uint8_t* p = in.at(kCategoryIconsOffset, size * icon_count);
        if (!p) return false;
        loaded.icons.resize(icon_count);
        for (MonoIcon& icon : loaded.icons) {
            icon.size = icon_format == kIconFormat12 ? 12 : 8;
            for (int row = 0; row < icon.size; ++row, p += 2) icon.rows[row] = get_be16(p);
        }
    }

    const uint8_t* offsets = in.at(kCategoryOffsetTable, 4 * size_t(count));
    if (!offsets) return false;
    for (int i = 0; i < count; ++i) {
        const uint32_t offset = get_le32(offsets + 4 * i);
        const uint8_t* record = in.at(offset, kCategoryHeadSize);
        if (!record) return false;
        const uint16_t sub_types = get_le16(record + kCategoryNameSize);
        if (sub_types > kMaxSubTypes) return false;
        if (!in.has(size_t(offset) + kCategoryHeadSize, kSubTypeEntrySize * sub_types)) return false;
        loaded.category_offsets[i] = offset;
    }
    loaded.category_count = count;
    loaded.view = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
    file = std::move(loaded);
    return true;
}

bool load_categories(CategoriesFile& file, std::string& name, const std::string& directory) {
    file = CategoriesFile{};
    try {
        const std::filesystem::path path = find_file(directory, name);
        if (path.empty()) return false;
        std::vector<uint8_t> bytes;
        if (!read_whole_file(path.string(), bytes, kMaxCategoriesFileSize)) return false;
        if (!read_categories(file, std::move(bytes))) return false;
        file.file_name = path.filename().string();
        if (name.empty()) name = path.stem().string();
        return true;
    } catch (const std::exception&) {  // allocation or file system failures
        file = CategoriesFile{};
        return false;
    }
}

int category_count(const CategoriesFile& file) {
    return file.category_count;
}

std::string_view category_name(const CategoriesFile& file, int category) {
    const uint8_t* record = category_record(file, category);
    if (!record) return {};
    return field_text(reinterpret_cast<const char*>(record), kCategoryNameSize);
}

int sub_type_count(const CategoriesFile& file, int category) {
    const uint8_t* record = category_record(file, category);
    return record ? get_le16(record + kCategoryNameSize) : 0;
}

std::string_view sub_type_name(const CategoriesFile& file, int category, int sub_type) {
    const uint8_t* record = category_record(file, category);
    if (!record || sub_type < 0 || sub_type >= get_le16(record + kCategoryNameSize)) return {};
    const uint8_t* entry = record + kCategoryHeadSize + kSubTypeEntrySize * size_t(sub_type);
    return field_text(reinterpret_cast<const char*>(entry), kSubTypeEntrySize);
}

Image icon_image(const MonoIcon& icon) {
    Image image;
    image.width = image.height = icon.size;
    image.pixels.resize(size_t(icon.size) * size_t(icon.size));
    for (int y = 0; y < icon.size; ++y)
        for (int x = 0; x < icon.size; ++x)
            image.pixels[size_t(y) * size_t(icon.size) + size_t(x)] =
                icon.ink(x, y) ? 0xFF000000u : 0xFFFFFFFFu;
    return image;
}

}  // namespace plotwell
