// The monkey's random numbers: a small generator whose sequence is the same on every platform, so that
// a seed names one run everywhere.
#pragma once

#include <cstdint>
#include <string>

namespace plotwell::monkey {

struct Rng {
    uint64_t state = 0;

    explicit Rng(uint64_t seed = 0) : state(seed) {}
    uint64_t next() {  // splitmix64
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; 0 when n <= 0.
    int32_t below(int64_t n) { return n <= 0 ? 0 : int32_t(next() % uint64_t(n)); }
    int32_t between(int32_t lo, int32_t hi) { return lo + below(int64_t(hi) - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
};

// A field value a user might type: mostly plausible, sometimes too long, empty, non-ASCII or not a
// number at all.
std::string random_text(Rng& rng, int max_plausible);
std::string random_number_text(Rng& rng, int32_t lo, int32_t hi);

}  // namespace plotwell::monkey
