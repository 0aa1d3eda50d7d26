// How the dialogs show numbers and read back what the user typed: "%d" out, a plain decimal
// conversion in (leading white space and a sign allowed, it stops at the first non-digit, empty is 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plotwell {

// The first `max_chars` characters of a control's text, as a fixed-size read of the control gives them.
std::string_view cut_text(std::string_view text, size_t max_chars);

// A decimal integer field. Values beyond the int32 range are clamped: a typo must not wrap around.
int32_t read_int_field(std::string_view text, size_t max_chars = 15);
// A floating-point field (the Km field), '.' before the fraction whatever the locale; text that does not
// start with a number reads as 0.
double read_float_field(std::string_view text, size_t max_chars);

std::string int_field_text(int64_t value);

}  // namespace plotwell
