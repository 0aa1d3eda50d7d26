// Numbers as text in the C format ('.' before the fraction, no grouping) whatever the user's locale is:
// from_chars and to_chars consult no locale, where strtod and printf follow the one Qt sets at start-up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plotwell {

struct NumberRead {
    size_t length = 0;          // characters the number took; 0 when the text does not start with one
    bool out_of_range = false;  // the value is then 0 for a negative exponent, else +-infinity
};

// The number at the start of `text`: one optional sign, then decimal digits with an optional fraction
// and exponent, or "inf" / "nan". No leading blanks are skipped. `value` is set only when one is read.
NumberRead read_number(std::string_view text, double& value);
NumberRead read_number(std::string_view text, float& value);

// The shortest text that reads back as the same value.
std::string number_text(double value);
std::string number_text(float value);

}  // namespace plotwell
