// What the shapefile and the vector source imports share: the file asked for once a project is open,
// the import dialog's setup, and the run under the progress dialog.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "editor/editor_context.h"
#include "shapefile/import_dialog.h"
#include "shapefile/shapefile_import.h"

namespace plotwell {

// The file chosen in the Open dialog; none when no project is open (said so) or it was cancelled.
std::optional<std::string> ask_import_file(EditorContext& ctx, const FileDialogOptions& options);

// Gives the dialog the records "Sample values..." counts and the profile folder, and opens it with
// the current layer as the destination.
void open_import_dialog(EditorContext& ctx, ImportShapefileDialog& dialog, RecordSource& records);

using ImportRun = std::function<ShapeImportResult(ProgressSink&, const std::atomic<bool>&)>;

// Runs the import under the progress dialog, whose Stop ends it after the record at hand; a run that
// could not start logs why. Ok once objects were added (and their layer is shown), Failed otherwise:
// such a run left the project as it was, there is nothing to fit or mark.
Outcome run_import(EditorContext& ctx, int dest_layer, const ImportRun& import);

}  // namespace plotwell
