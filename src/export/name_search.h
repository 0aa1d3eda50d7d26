// The back-reference search of the name encoder: the longest run of 4..19 leading name bytes that
// already stands in the window, the lowest position among equally long ones. The plain form compares
// every window position for every length; the fast form walks a hash chain of the 4-byte sequences
// stored so far and gives the same answer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace plotwell {

inline constexpr int kMinBackReference = 4;
inline constexpr int kMaxBackReference = 19;
inline constexpr int kMaxBackDistance = 2047;

struct BackReference {
    int32_t position = -1;  // -1: no match
    int length = 0;
};

struct NameSearchIndex {
    std::vector<int32_t> head;  // per hash of 4 bytes: the latest position holding them, or -1
    std::vector<int32_t> prev;  // per position: the previous position with the same hash, or -1
    int32_t indexed_end = 0;    // positions s with s + 4 <= indexed_end are in the chains
};

// Empties the index for a data area of `size` bytes.
void reset_name_search(NameSearchIndex& index, int32_t size);
// Adds the positions whose four bytes now all lie before `end` (bytes before `end` never change again).
void index_stored_bytes(NameSearchIndex& index, const uint8_t* data, int32_t end);

// Both search the window data[start .. end) for the leading bytes of `name` (at most 19 of them): the
// longest n (4 <= n, n < end - start) with data[s .. s + n) equal to them and s + n <= end, then the lowest
// such s.
BackReference find_back_reference_plain(const uint8_t* data, int32_t start, int32_t end,
                                        std::string_view name);
BackReference find_back_reference_fast(const NameSearchIndex& index, const uint8_t* data, int32_t start,
                                       int32_t end, std::string_view name);

}  // namespace plotwell
