// Reading the object records of a project file layer by layer, shared by the project load and the
// project import.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/records.h"
#include "platform/progress_sink.h"
#include "project/project_file_layout.h"

namespace plotwell {

// Keeps a damaged file from making us allocate without bound. In a sound file every slot names its own
// record and the records do not overlap, so their sizes add up to less than the file. A record whose
// start was already taken by an earlier slot is refused, and so is one that would take the total past
// the file's size.
class RecordGuard {
  public:
    explicit RecordGuard(size_t file_size) : taken_(file_size), budget_(file_size) {}
    // True when a record at `offset` was taken already; asked before reading, so a repeated slot costs
    // no allocation.
    bool taken(size_t offset) const { return offset < taken_.size() && taken_[offset]; }
    bool admit(size_t offset, size_t size);

  private:
    std::vector<bool> taken_;
    size_t budget_;
};

// Counts handled objects and moves the progress bar every 16 of them.
class ObjectProgress {
  public:
    explicit ObjectProgress(ProgressSink& sink) : sink_(sink) {}
    void object_handled() {
        if (++count_ % 16 == 0) sink_.set_progress_pos(count_);
    }
    int count() const { return count_; }

  private:
    ProgressSink& sink_;
    int count_ = 0;
};

struct SlotReadStats {
    int64_t loaded = 0;   // records pushed onto the layer
    int64_t skipped = 0;  // non-empty slots whose record was unsound
};

// Reads the record of every non-empty slot of `entry` and pushes it at the head of `dest`, so the list
// ends in the reverse of the file's order; object_count grows by one per record. A slot whose record
// lies outside the file, whose size word disagrees with its dimension, type and point count, or which
// the guard refuses is skipped. Skips are summed up in one line of `problems` ("layer N: ...").
SlotReadStats read_layer_objects(std::span<const uint8_t> file, const LayerEntryInFile& entry,
                                 int layer_index, Layer& dest, RecordGuard& guard, ObjectProgress& progress,
                                 std::vector<std::string>* problems);

}  // namespace plotwell
