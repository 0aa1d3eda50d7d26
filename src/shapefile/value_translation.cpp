#include "shapefile/value_translation.h"

#include <algorithm>
#include <string>

#include "model/number_text.h"
#include "model/text.h"
#include "shapefile/field_text.h"

namespace plotwell {

namespace {
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool text_matches(std::string_view value, std::string_view entry, const ValueTranslation& t) {
    if (t.match_mode == kMatchPrefix) {
        if (value.size() < entry.size()) return false;
        value = value.substr(0, entry.size());
    }
    return t.case_sensitive ? value == entry : equal_ignoring_case(value, entry);
}
}  // namespace

double parse_number_prefix(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    size_t end = i;
    // An exponent counts only when it has digits.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && is_digit(text[j])) {
            while (j < text.size() && is_digit(text[j])) ++j;
            end = j;
        }
    }
    double v = 0;
    read_number(text.substr(start, end - start), v);
    return v;
}

int translate_text(std::string_view value, const ValueTranslation& t) {
    const int count = std::max<int>(0, t.entry_count);
    if (t.kind == kNoTranslation) return -1;
    if (t.kind == kStringTable) {
        for (int i = 0; i < std::min(count, kMaxStringTranslations); ++i)
            if (text_matches(value, field_text(t.strings[i].text), t)) return t.strings[i].result;
        return -1;
    }
    const float v = float(parse_number_prefix(value));
    for (int i = 0; i < std::min(count, kMaxRangeTranslations); ++i)
        if (t.ranges[i].min <= v && v <= t.ranges[i].max) return t.ranges[i].result;
    return -1;
}

int translate_value(const ShapefileReader& reader, const ValueTranslation& t) {
    return translate_value(reader, reader.record, t);
}

int translate_value(const ShapefileReader& layout, std::span<const uint8_t> record,
                    const ValueTranslation& t) {
    if (t.field_index < 0 || t.field_index >= layout.field_count) return -1;
    const std::string value =
        field_text(record, layout.fields[size_t(t.field_index)], kTranslationValueCapacity);
    return translate_text(value, t);
}

}  // namespace plotwell
