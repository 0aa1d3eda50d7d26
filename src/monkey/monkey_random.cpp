#include "monkey/monkey_random.h"

namespace plotwell::monkey {

std::string random_text(Rng& rng, int max_plausible) {
    switch (rng.below(8)) {
        case 0:
            return "";
        case 1:
            return std::string(size_t(rng.between(max_plausible, max_plausible + 200)), 'W');
        case 2:
            return "\xE9t\xE9 \x80\xFF\x01\t\"\\";
        default: {
            static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz ABCXYZ0123456789-_.";
            std::string s(size_t(rng.between(1, max_plausible > 1 ? max_plausible : 1)), ' ');
            for (char& c : s) c = kLetters[rng.below(sizeof kLetters - 1)];
            return s;
        }
    }
}

std::string random_number_text(Rng& rng, int32_t lo, int32_t hi) {
    switch (rng.below(10)) {
        case 0:
            return "";
        case 1:
            return "abc";
        case 2:
            return "99999999999999999999";
        case 3:
            return "-2147483648";
        case 4:
            return "1e9";
        case 5:
            return " 12 ";
        default:
            return std::to_string(rng.between(lo, hi));
    }
}

}  // namespace plotwell::monkey
