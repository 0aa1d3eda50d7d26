// The undo history. Each finished change to the project is one step that holds what the change
// replaced: the project's header fields, the layer table, and for each layer list only the run of
// objects that differs, found by comparing the project with a copy of it as the last step left it.
// Undo and redo are the same exchange: applying a step swaps its contents with the project's, which
// turns an undo step into the redo step of the same change.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "export/export_settings.h"
#include "model/object_storage.h"
#include "model/records.h"

namespace plotwell {

// At most this many steps are kept, and at most this many bytes of objects in all steps together; the
// oldest steps go first. The copy of the project the history compares with is not counted here: it
// is as large as the project's object lists.
inline constexpr size_t kMaxUndoSteps = 100;
inline constexpr int64_t kMaxUndoBytes = int64_t(256) << 20;

// Everything of a project the history restores besides the object lists.
struct ProjectHeader {
    char name[kProjectNameSize] = {};
    char parent_map_basename[kParentMapBasenameSize] = {};
    uint8_t projection = 0;
    uint8_t coord_sys = 0;
    CoordRange range;
    GeoInfo geo;
    int32_t layer_count = 0;
    Layer layers[kMaxLayers];  // `objects` is always null here
    BitmapTable bitmaps;
};

// One layer list's differing run: `count` objects after the first `prefix` are taken out of the list
// and `objects` goes in their place.
struct ListSplice {
    int layer = 0;
    int32_t prefix = 0;
    int32_t count = 0;
    ObjectChain objects;
};

struct UndoStep {
    std::string label;      // what the change was, e.g. "Delete"
    uint64_t id = 0;        // the state the project is in once this step's change is applied
    uint64_t other_id = 0;  // and once it is undone
    ProjectHeader header;
    std::vector<ListSplice> splices;
    std::optional<ExportSettings> export_settings;  // the Layers dialog's changes move them
    int64_t bytes = 0;
};

struct History {
    std::deque<UndoStep> undo;  // oldest first
    std::deque<UndoStep> redo;  // the next redo last
    int64_t bytes = 0;
    uint64_t current_id = 0;  // the state the project is in
    uint64_t saved_id = 0;    // the state last saved or loaded
    uint64_t next_id = 1;
    bool change_pending = false;  // something may have changed the project since the last step
    // The project as the last step left it.
    ProjectHeader shadow;
    ObjectChain shadow_lists[kMaxLayers];
    bool shadow_valid = false;  // false when memory ran out copying; the history stays empty then
    // Set by a change that also moves the export settings, before it makes the change.
    std::optional<ExportSettings> export_before;

    History() = default;
    History(const History&) = delete;
    History& operator=(const History&) = delete;
};

// Forgets every step and takes the project as it stands as the starting state (New, Open, Close).
void reset_history(History& history, const Project& project);
// Makes the changes since the last step one step named `label`. Nothing happens when no change was
// noted or the project equals its state after the last step. Returns whether a step was made.
bool commit_change(History& history, Project& project, std::string label);
// Undo and redo: false when there is nothing to do. `project.modified` says afterwards whether the
// project differs from the state last saved.
bool undo_change(History& history, Project& project, ExportSettings& export_settings);
bool redo_change(History& history, Project& project, ExportSettings& export_settings);
// The project as it stands was saved.
void mark_saved(History& history);

// The label of what undo or redo would do, or none.
std::optional<std::string> next_undo_label(const History& history);
std::optional<std::string> next_redo_label(const History& history);

}  // namespace plotwell
