// What must hold after every event, whatever the user did: sound object lists, current objects, hot
// item, drag and clipboard that point at live blocks of the right layer, object blocks that hold their
// records, and a sound range. The costlier checks (save and load back, the files written) run every
// few events.
#pragma once

#include <optional>
#include <string>

#include "editor/editor_state.h"
#include "model/records.h"

namespace plotwell::monkey {

// A broken invariant: `kind` names which (the shrinker keeps a sequence only while the same one
// breaks), `detail` says how.
struct Violation {
    std::string kind;
    std::string detail;
};

std::optional<Violation> check_state(const Project& project, const EditorState& editor);

// Builds the project file in memory, loads it back and compares the two dumps.
std::optional<Violation> check_round_trip(const Project& project);

}  // namespace plotwell::monkey
