// Rewriting of record names: the substitution table and the word-wise downcasing.
#pragma once

#include <string>

namespace plotwell {

inline constexpr int kMaxRecordName = 121;  // a record name after joining, substitution and downcasing
inline constexpr int kMaxSubstitutions = 64;
inline constexpr int kSubstitutionTextSize = 40;  // 39 characters + NUL
// Tables whose entries feed each other would rewrite a name for ever; no real table needs this many.
inline constexpr int kMaxReplacementsPerName = 1000;

struct NameSubstitution {
    char from[kSubstitutionTextSize] = {};
    char to[kSubstitutionTextSize] = {};
};

// Repeatedly replaces the leftmost occurrence of the first entry (in table order) whose `from` text occurs
// in the name, starting over with the first entry after each replacement, until no entry occurs. An
// empty `from` text matches nothing. Stops after kMaxReplacementsPerName replacements; the name is kept
// to kMaxRecordName characters.
void apply_substitutions(std::string& name, const NameSubstitution* table, int count);

// Lowers every character that does not start a blank-separated word: ASCII capitals and the Latin-1
// capitals A, O and U with diaeresis. 'NEW YORK-CITY' becomes 'New York-city'.
void downcase_name(std::string& name);

}  // namespace plotwell
