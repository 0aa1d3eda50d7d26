// What the editor's handlers work on: the project, the editor and view state, the host, and the
// commands that other parts of the program provide.
#pragma once

#include <functional>
#include <string>

#include "editor/editor_state.h"
#include "editor/view_state.h"
#include "export/export_settings.h"
#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

// How an operation ended. NotAvailable: the operation is not part of this build yet; nothing changed.
enum class Outcome { Ok, Cancelled, Failed, NotAvailable };

struct EditorContext;

// Commands whose dialogs and engines live above the editor (project dialogs, layers, export, imports,
// publisher details, about box). The application fills in what it has; an empty slot reports
// NotAvailable. Each returns Ok when its dialog was confirmed, Cancelled otherwise.
struct CommandHooks {
    std::function<Outcome(EditorContext&)> project_properties;  // "Project Properties"
    std::function<Outcome(EditorContext&)> geo_info;            // "Geographic Info"
    std::function<Outcome(EditorContext&)> publisher_settings;  // "Publisher Details"
    std::function<Outcome(EditorContext&)> export_map;          // the export command and its dialog
    // Ok when the import dialog was confirmed (whatever the task's outcome).
    std::function<Outcome(EditorContext&)> import_shapefile;
    std::function<Outcome(EditorContext&)> import_project;
    std::function<Outcome(EditorContext&)> about;
    // Ok when the Layers dialog was confirmed.
    std::function<Outcome(EditorContext&)> edit_layers;
    std::function<Outcome(EditorContext&)> background_bitmaps;  // "Background Bitmaps"
};

struct EditorContext {
    Project& project;
    EditorState& editor;
    ViewState& view;
    Host& host;
    const CommandHooks* hooks = nullptr;
    // The export's choices, which a new layer table invalidates; none where no export exists (tests).
    ExportSettings* export_settings = nullptr;
    // Where bitmap files named relative to the program are found (ends in a separator); empty: the
    // working directory.
    std::string program_dir{};
    // The publisher texts a reset of the export settings starts from (the fields of the run's publisher
    // details, read when the reset happens); none counts as empty.
    const char* publisher_notice = nullptr;
    const char* publisher_contact = nullptr;
};

}  // namespace plotwell
