#include "model/number_text.h"

#include <charconv>
#include <limits>

namespace plotwell {

namespace {

template <class T>
NumberRead read_as(std::string_view text, T& value) {
    size_t from = 0;
    if (!text.empty() && text[0] == '+') {
        // from_chars takes no '+'; after one, a second sign is not a number.
        if (text.size() > 1 && text[1] == '-') return {};
        from = 1;
    }
    const char* const first = text.data() + from;
    T v{};
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), v);
    if (ec == std::errc::invalid_argument) return {};
    const NumberRead read{size_t(end - text.data()), ec == std::errc::result_out_of_range};
    if (read.out_of_range) {
        // Saturate like the C library: a negative exponent underflows to 0, anything else overflows.
        const std::string_view number(first, size_t(end - first));
        const size_t e = number.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-')
            v = T(0);
        else
            v = number[0] == '-' ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
    }
    value = v;
    return read;
}

template <class T>
std::string text_of(T value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

}  // namespace

NumberRead read_number(std::string_view text, double& value) {
    return read_as(text, value);
}

NumberRead read_number(std::string_view text, float& value) {
    return read_as(text, value);
}

std::string number_text(double value) {
    return text_of(value);
}

std::string number_text(float value) {
    return text_of(value);
}

}  // namespace plotwell
