#include "shapefile/name_building.h"

#include <cstring>
#include <string_view>

#include "model/text.h"

namespace plotwell {

void apply_substitutions(std::string& name, const NameSubstitution* table, int count) {
    for (int replacements = 0; replacements < kMaxReplacementsPerName; ++replacements) {
        bool replaced = false;
        for (int i = 0; i < count && !replaced; ++i) {
            const std::string_view from = field_text(table[i].from);
            if (from.empty()) continue;
            const size_t at = name.find(from);
            if (at == std::string::npos) continue;
            name.replace(at, from.size(), field_text(table[i].to));
            if (name.size() > size_t(kMaxRecordName)) name.resize(kMaxRecordName);
            replaced = true;
        }
        if (!replaced) return;
    }
}

void downcase_name(std::string& name) {
    char previous = ' ';
    for (char& c : name) {
        const char input = c;
        if (previous != ' ') {
            const unsigned char u = static_cast<unsigned char>(c);
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
            else if (u == 0xC4 || u == 0xD6 || u == 0xDC)
                c = char(u + 0x20);
        }
        previous = input;
    }
}

}  // namespace plotwell
