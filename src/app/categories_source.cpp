#include "app/categories_source.h"

#include "model/bytes.h"

namespace plotwell {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

// Splits "keyword rest" at the first blank.
void split(std::string_view line, std::string_view& keyword, std::string_view& rest) {
    const size_t blank = line.find_first_of(" \t");
    keyword = line.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view{} : trim(line.substr(blank));
}

}  // namespace

Result parse_categories_source(std::string_view text, CategoriesSource& source) {
    source = CategoriesSource{};
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    auto fail = [](size_t index, const std::string& message) {
        return failure("line " + std::to_string(index + 1) + ": " + message);
    };

    int icon_size = 8;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trim(lines[i]);
        if (line.empty() || line.front() == '#') continue;
        std::string_view keyword, rest;
        split(line, keyword, rest);
        if (keyword == "icons") {
            if (!source.icons.empty()) return fail(i, "the icon size must come before the first icon");
            if (rest == "8") {
                icon_size = 8;
                source.icon_format = kIconFormat8;
            } else if (rest == "12") {
                icon_size = 12;
                source.icon_format = kIconFormat12;
            } else {
                return fail(i, "icon size must be 8 or 12");
            }
        } else if (keyword == "category") {
            if (rest.empty()) return fail(i, "category without a name");
            source.categories.push_back({std::string(rest), {}});
        } else if (keyword == "sub-type") {
            if (source.categories.empty()) return fail(i, "sub-type before the first category");
            if (rest.empty()) return fail(i, "sub-type without a name");
            source.categories.back().sub_types.emplace_back(rest);
        } else if (keyword == "icon") {
            if (!rest.empty()) return fail(i, "nothing may follow \"icon\"");
            MonoIcon icon;
            icon.size = icon_size;
            for (int row = 0; row < icon_size; ++row) {
                const size_t at = i + 1 + size_t(row);
                if (at >= lines.size())
                    return fail(at, "the icon needs " + std::to_string(icon_size) + " rows");
                const std::string_view pixels = trim(lines[at]);
                if (pixels.size() != size_t(icon_size) ||
                    pixels.find_first_not_of("#.") != std::string_view::npos)
                    return fail(at,
                                "an icon row is " + std::to_string(icon_size) + " characters of '#' or '.'");
                for (int x = 0; x < icon_size; ++x)
                    if (pixels[size_t(x)] == '#') icon.rows[row] |= uint16_t(0x8000u >> x);
            }
            source.icons.push_back(icon);
            i += size_t(icon_size);
        } else {
            return fail(i, "unknown statement \"" + std::string(keyword) + "\"");
        }
    }
    return success();
}

Result encode_categories(const CategoriesSource& source, std::vector<uint8_t>& out) {
    out.clear();
    if (source.categories.size() > size_t(kMaxCategories)) {
        return failure("more than " + std::to_string(kMaxCategories) + " categories");
    }
    if (source.icons.size() > 0xFFFF) return failure("too many icons");
    const int icon_size = source.icon_format == kIconFormat12 ? 12 : 8;
    for (const MonoIcon& icon : source.icons) {
        if (icon.size != icon_size) {
            return failure("every icon must be " + std::to_string(icon_size) + " pixels square");
        }
    }
    for (const CategorySource& category : source.categories) {
        if (category.name.size() >= kCategoryNameSize) {
            return failure("category name longer than 31 characters: " + category.name);
        }
        if (category.sub_types.size() > size_t(kMaxSubTypes)) {
            return failure("more than 32 sub-types in " + category.name);
        }
        for (const std::string& sub_type : category.sub_types) {
            if (sub_type.size() >= kSubTypeEntrySize) {
                return failure("sub-type name longer than 35 characters: " + sub_type);
            }
        }
    }

    ByteBuffer b;
    b.put_u8(0);
    b.put_u8(source.icon_format);
    b.put_le16(0);
    b.put_le16(uint16_t(source.categories.size()));
    b.put_le16(uint16_t(source.icons.size()));
    b.put_zeros(kCategoryIconsOffset - b.size());  // the offsets are filled in below
    for (const MonoIcon& icon : source.icons)
        for (int row = 0; row < icon_size; ++row) b.put_be16(icon.rows[row]);
    for (size_t i = 0; i < source.categories.size(); ++i) {
        const CategorySource& category = source.categories[i];
        put_le32(b.bytes.data() + kCategoryOffsetTable + 4 * i, uint32_t(b.size()));
        b.put_bytes(category.name.data(), category.name.size());
        b.put_zeros(kCategoryNameSize - category.name.size());
        b.put_le16(uint16_t(category.sub_types.size()));
        b.put_le16(0);
        for (const std::string& sub_type : category.sub_types) {
            b.put_bytes(sub_type.data(), sub_type.size());
            b.put_zeros(kSubTypeEntrySize - sub_type.size());
        }
    }
    out = std::move(b.bytes);
    return success();
}

}  // namespace plotwell
