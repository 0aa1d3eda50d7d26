// Names inside Definitions: folded to 7-bit text, compressed with one back-reference into the bytes of
// the same data record and a suffix code, and listed in the name index sorted by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "export/export_state.h"
#include "platform/progress_sink.h"

namespace plotwell {

inline constexpr int kSuffixCount = 23;
extern const char* const kSuffixTable[kSuffixCount + 1];  // entry 0 unused; " St", " Hwy", ...
// Longest encoded name: a 42-byte folded name written literally plus its terminator.
inline constexpr size_t kMaxEncodedName = 64;

// Each byte of 0x80 or more becomes its 7-bit stand-in, or "*" when it has none.
std::string fold_name(std::string_view name);

// Encodes the folded name whose first byte will lie at data area offset `at` once its Definition is
// stored; the window is the data area as stored so far. Writes the bytes to `out` (at least
// kMaxEncodedName bytes) and returns their number.
size_t encode_name(const ExportState& state, int32_t at, std::string_view folded, uint8_t* out);

struct DecodedName {
    bool ok = false;
    std::string text;
    size_t end = 0;                 // position behind the encoded name
    const char* problem = nullptr;  // why it could not be decoded
};
// Decodes the name that begins at `pos`. A back-reference may copy only bytes of [floor, pos): bytes
// of the same data record that stand before it. The text stops at a NUL byte (the empty name).
DecodedName decode_name(std::span<const uint8_t> data, size_t pos, size_t floor);
// Position behind the encoded name at `pos` (including the bytes that the 0x40 and 0x20 bits of the
// terminator announce); 0 when it runs past the data.
size_t skip_name(std::span<const uint8_t> data, size_t pos);

// Where the encoded name of a Definition of this type code begins, or -1 for LINK and BORDER, whose
// names count as empty.
int name_position(uint8_t type_code);

// The decoded name of the stored Definition at `position` ("" for LINK and BORDER).
DecodedName definition_name(const ExportState& state, int32_t position);

// The order of the name index: byte by byte with A-Z read as a-z.
int compare_index_names(std::string_view a, std::string_view b);
// True when every character lies in 0x20..0x7E.
bool printable_name(std::string_view name);

// Logs "Sorting name index...", sorts the index by decoded name and tests every name. False with the
// build error "Name corrupted!".
[[nodiscard]] bool sort_name_index(ExportState& state, ProgressSink& sink);

}  // namespace plotwell
