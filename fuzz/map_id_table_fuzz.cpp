// Any bytes as "map-id.txt": at most 400 entries, every name terminated and found again by its own name.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "export/map_id_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plotwell;
    auto table = std::make_unique<MapIdTable>();
    parse_map_id_table(*table, std::string_view(reinterpret_cast<const char*>(data), size));
    if (table->count < 0 || table->count > kMaxMapIds) __builtin_trap();
    for (int i = 0; i < table->count; ++i) {
        const MapIdEntry& e = table->entries[i];
        const size_t n = strnlen(e.base_name, sizeof e.base_name);
        if (n == sizeof e.base_name) __builtin_trap();
        // The first entry of that name wins, so the lookup finds some entry of the same name.
        lookup_map_id(*table, std::string_view(e.base_name, n));
    }
    return 0;
}
