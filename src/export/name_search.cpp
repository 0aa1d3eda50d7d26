#include "export/name_search.h"

#include <algorithm>
#include <cstring>

namespace plotwell {

namespace {
constexpr int kHashBits = 16;

uint32_t hash4(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return (v * 2654435761u) >> (32 - kHashBits);
}

int match_length(const uint8_t* data, int32_t s, int32_t end, std::string_view name, int limit) {
    const int bound = int(std::min<int64_t>(limit, int64_t(end) - s));
    int m = 0;
    while (m < bound && data[s + m] == uint8_t(name[m])) ++m;
    return m;
}
}  // namespace

void reset_name_search(NameSearchIndex& index, int32_t size) {
    index.head.assign(size_t(1) << kHashBits, -1);
    index.prev.resize(size_t(size));
    index.indexed_end = 0;
}

void index_stored_bytes(NameSearchIndex& index, const uint8_t* data, int32_t end) {
    if (end > int32_t(index.prev.size())) end = int32_t(index.prev.size());
    for (int32_t s = std::max(index.indexed_end - 3, 0); s + 4 <= end; ++s) {
        const uint32_t h = hash4(data + s);
        index.prev[size_t(s)] = index.head[h];
        index.head[h] = s;
    }
    if (end > index.indexed_end) index.indexed_end = end;
}

BackReference find_back_reference_plain(const uint8_t* data, int32_t start, int32_t end,
                                        std::string_view name) {
    const int longest = int(std::min<size_t>(name.size(), kMaxBackReference));
    if (longest < kMinBackReference) return {};
    for (int n = longest; n >= kMinBackReference; --n) {
        if (end - start <= n) continue;
        for (int32_t s = start; s + n <= end; ++s)
            if (std::memcmp(data + s, name.data(), size_t(n)) == 0) return {s, n};
    }
    return {};
}

BackReference find_back_reference_fast(const NameSearchIndex& index, const uint8_t* data, int32_t start,
                                       int32_t end, std::string_view name) {
    const int longest = int(std::min<size_t>(name.size(), kMaxBackReference));
    if (longest < kMinBackReference || end - start <= kMinBackReference) return {};

    // Every candidate starts with the name's first four bytes. Candidates come from the chain (positions
    // already indexed, newest first) and from the few positions near the end that are not indexed yet.
    int best = 0;
    int32_t best_pos = -1;
    auto consider = [&](int32_t s) {
        const int m = match_length(data, s, end, name, longest);
        if (m >= kMinBackReference && m >= best) {  // walking downwards: an equal length at a lower s wins
            best = m;
            best_pos = s;
        }
    };
    const int32_t unindexed_from = std::max(start, index.indexed_end - 3);
    for (int32_t s = end - kMinBackReference; s >= unindexed_from; --s) consider(s);
    if (!index.head.empty()) {
        const uint8_t* key = reinterpret_cast<const uint8_t*>(name.data());
        for (int32_t s = index.head[hash4(key)]; s >= start; s = index.prev[size_t(s)])
            if (s < unindexed_from) consider(s);
    }
    if (best_pos < 0) return {};

    // The window must be longer than the match. Only a match running from the window's first byte to
    // its last can break that rule; the next shorter length is then taken at its lowest position.
    const int allowed = int(std::min<int64_t>(best, int64_t(end) - start - 1));
    if (allowed < kMinBackReference) return {};
    if (allowed == best) return {best_pos, best};
    for (int32_t s = start; s + allowed <= end; ++s)
        if (std::memcmp(data + s, name.data(), size_t(allowed)) == 0) return {s, allowed};
    return {};
}

}  // namespace plotwell
