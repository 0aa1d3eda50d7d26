// Translation of an attribute value into an object type or an icon code, by a table of strings or of
// numeric ranges, first match wins.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "shapefile/shapefile_reader.h"

namespace plotwell {

inline constexpr int kMaxStringTranslations = 64;
inline constexpr int kMaxRangeTranslations = 234;
inline constexpr int kTranslationTextSize = 40;        // 39 characters + NUL
inline constexpr int kTranslationValueCapacity = 160;  // value text: 159 characters + NUL

enum TranslationTarget : int16_t { kTranslateType = 0, kTranslateIcon = 1 };
enum TranslationKind : int16_t { kNoTranslation = 0, kStringTable = 1, kNumericRanges = 2 };
inline constexpr int16_t kMatchPrefix = 1;  // any other match mode compares whole values

struct StringTranslationEntry {
    char text[kTranslationTextSize] = {};
    int32_t result = 0;
};

struct RangeTranslationEntry {
    float min = 0;
    float max = 0;
    int32_t result = 0;
};

struct ValueTranslation {
    int16_t target = kTranslateType;
    int16_t kind = kNoTranslation;  // 0 none, 1 string table, any other value numeric ranges
    int16_t match_mode = 0;
    int16_t case_sensitive = 0;
    int16_t field_index = 0;
    int16_t entry_count = 0;
    StringTranslationEntry strings[kMaxStringTranslations];
    RangeTranslationEntry ranges[kMaxRangeTranslations];
};

// The result of the first entry matching the value of `field_index` in the current attribute record,
// or -1 (also for a field index outside the table).
int translate_value(const ShapefileReader& reader, const ValueTranslation& translation);
// The same over an attribute record laid out by `layout`'s fields.
int translate_value(const ShapefileReader& layout, std::span<const uint8_t> record,
                    const ValueTranslation& translation);
// The same for a value text already extracted.
int translate_text(std::string_view value, const ValueTranslation& translation);

// The longest prefix of `text` that reads as a decimal number (leading blanks, optional sign, digits with
// an optional point and exponent), 0 when there is none.
double parse_number_prefix(std::string_view text);

}  // namespace plotwell
