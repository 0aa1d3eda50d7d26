#include "project/degree_text.h"

#include <limits>

namespace plotwell {

namespace {

constexpr int64_t kMicro = 1000000;
constexpr int64_t kSecondStep = 278;
constexpr int64_t kMinuteStep = 60 * kSecondStep;  // 16680

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits from `i` up to one of `ends` (or the end of the text when `end_ok`). Any other
// character inside the run fails: a mistyped field must be refused, not read as a strange number.
std::optional<int64_t> digit_run(std::string_view t, size_t& i, std::string_view ends, bool end_ok) {
    int64_t v = 0;
    for (;; ++i) {
        if (i == t.size()) {
            if (!end_ok) return std::nullopt;
            return v;
        }
        const char c = t[i];
        if (ends.find(c) != std::string_view::npos) return v;
        if (!is_digit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
}

std::optional<int32_t> checked(int64_t v) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(v);
}

std::optional<int32_t> parse_dms(std::string_view t, size_t i) {
    const bool negative = t[i] == 'S' || t[i] == 'W';
    ++i;
    while (i < t.size() && t[i] == ' ') ++i;
    const auto degrees = digit_run(t, i, " ", false);
    if (!degrees) return std::nullopt;
    ++i;  // the single space
    const auto minutes = digit_run(t, i, " '", false);
    if (!minutes) return std::nullopt;
    ++i;  // the space or apostrophe
    const auto seconds = digit_run(t, i, " \",", true);
    if (!seconds) return std::nullopt;
    const int64_t v = *degrees * kMicro + *minutes * kMinuteStep + *seconds * kSecondStep;
    return checked(negative ? -v : v);
}

std::optional<int32_t> parse_decimal(std::string_view t, size_t i) {
    bool negative = false;
    if (i < t.size() && t[i] == '-') {
        negative = true;
        ++i;
    }
    int64_t whole = 0;
    int64_t fraction = 0;
    int places = 0;
    bool point = false;
    for (; i < t.size() && t[i] != ' ' && t[i] != ','; ++i) {
        const char c = t[i];
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (!is_digit(c)) {
            return std::nullopt;
        } else if (!point) {
            whole = whole * 10 + (c - '0');
            if (whole > std::numeric_limits<int32_t>::max()) return std::nullopt;
        } else if (places < 6) {  // places beyond the sixth are dropped
            fraction = fraction * 10 + (c - '0');
            ++places;
        }
    }
    for (; places < 6; ++places) fraction *= 10;
    const int64_t v = whole * kMicro + fraction;
    return checked(negative ? -v : v);
}

}  // namespace

std::string format_degrees(int32_t value, EdgeAxis axis) {
    int64_t v = value;
    char letter = axis == EdgeAxis::Longitude ? 'E' : 'N';
    if (v < 0) {
        letter = axis == EdgeAxis::Longitude ? 'W' : 'S';
        v = -v;
    }
    const int64_t s = (v % kMicro) / kSecondStep;
    std::string out(1, letter);
    out +=
        ' ' + std::to_string(v / kMicro) + ' ' + std::to_string(s / 60) + '\'' + std::to_string(s % 60) + '"';
    return out;
}

std::optional<int32_t> parse_edge_field(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'N' || text[i] == 'S' || text[i] == 'W'))
        return parse_dms(text, i);
    return parse_decimal(text, i);
}

}  // namespace plotwell
