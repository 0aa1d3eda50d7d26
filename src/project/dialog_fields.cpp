#include "project/dialog_fields.h"

#include <cmath>

#include "model/geometry.h"
#include "model/number_text.h"

namespace plotwell {

std::string_view cut_text(std::string_view text, size_t max_chars) {
    return text.substr(0, max_chars);
}

int32_t read_int_field(std::string_view text, size_t max_chars) {
    text = cut_text(text, max_chars);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(1) << 32) break;  // already beyond every int32; the clamp takes over
    }
    return clamp_to_int32(negative ? -value : value);
}

double read_float_field(std::string_view text, size_t max_chars) {
    text = cut_text(text, max_chars);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    double v = 0;
    read_number(text.substr(i), v);
    return std::isfinite(v) ? v : 0.0;
}

std::string int_field_text(int64_t value) {
    return std::to_string(value);
}

}  // namespace plotwell
