#include "shapefile/field_text.h"

#include <algorithm>

namespace plotwell {

namespace {
// Appends the field's text to `out` (not beyond `limit` characters) without trimming.
void append_field(std::string& out, std::span<const uint8_t> record, const DbfField& field, size_t limit) {
    if (field.offset < 0 || size_t(field.offset) >= record.size()) return;
    const size_t start = size_t(field.offset);
    const size_t end = start + std::min<size_t>(field.length, record.size() - start);
    const bool numeric = field.type == 'N';
    for (size_t i = start; i < end && out.size() < limit; ++i) {
        const char c = char(record[i]);
        if (c == '\0') break;
        if (numeric && c == ' ') continue;
        out.push_back(c);
    }
}

void trim_trailing_blanks(std::string& s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
}
}  // namespace

std::string field_text(std::span<const uint8_t> record, const DbfField& field, size_t capacity) {
    std::string out;
    if (capacity == 0) return out;
    append_field(out, record, field, capacity - 1);
    trim_trailing_blanks(out);
    return out;
}

std::string joined_field_text(std::span<const uint8_t> record, const FieldList& list, size_t capacity) {
    std::string out;
    if (capacity == 0) return out;
    const size_t limit = capacity - 1;
    for (int i = 0; i < list.count; ++i) {
        append_field(out, record, *list.entries[i], limit);
        trim_trailing_blanks(out);
        // No separator before the first text: an empty leading field must not leave a blank.
        if (!out.empty() && out.size() < limit) out.push_back(' ');
    }
    trim_trailing_blanks(out);
    return out;
}

}  // namespace plotwell
