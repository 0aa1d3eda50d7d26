#include "project/project_file_objects.h"

#include "model/bytes.h"
#include "model/object_storage.h"

namespace plotwell {

bool RecordGuard::admit(size_t offset, size_t size) {
    if (offset >= taken_.size() || taken_[offset] || size > budget_) return false;
    taken_[offset] = true;
    budget_ -= size;
    return true;
}

SlotReadStats read_layer_objects(std::span<const uint8_t> file, const LayerEntryInFile& entry,
                                 int layer_index, Layer& dest, RecordGuard& guard, ObjectProgress& progress,
                                 std::vector<std::string>* problems) {
    SlotReadStats stats;
    size_t first_bad = 0;
    for (size_t k = 0; k < entry.slot_count; ++k) {
        const uint32_t slot = slot_value(file, entry, k);
        if (slot == 0) continue;
        progress.object_handled();
        MapObject* object = nullptr;
        ByteReader in(file);
        if (slot >= 4 && !guard.taken(slot - 4) && in.seek(slot - 4)) object = read_object_record(in);
        // Only a record that proved sound draws on the guard, so a garbage size word cannot use it up.
        if (object && !guard.admit(slot - 4, size_t(object_record_size(object)))) {
            free_object(object);
            object = nullptr;
        }
        if (!object) {
            if (stats.skipped++ == 0) first_bad = k;
            continue;
        }
        push_object(dest, object);
        ++stats.loaded;
    }
    if (stats.skipped > 0 && problems)
        problems->push_back("layer " + std::to_string(layer_index) + ": " + std::to_string(stats.skipped) +
                            " object record(s) skipped as unreadable (first at slot " +
                            std::to_string(first_bad) + ")");
    return stats;
}

}  // namespace plotwell
