// The project load and save as long tasks: what the worker behind the progress dialog runs.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "model/file_commit.h"
#include "model/records.h"
#include "platform/image.h"
#include "platform/progress_sink.h"
#include "project/bitmap_paths.h"

namespace plotwell {

// Loads the image of one background bitmap from its stored file name; none when it cannot be loaded.
using BitmapImageLoader = std::function<std::shared_ptr<const Image>(const std::string& file_name)>;

// Loads pictures with load_background_image from where resolve_bitmap_path finds them.
BitmapImageLoader bitmap_loader(const BitmapFolders& folders);

// Logs "Loading layer objects...", loads the project file, then logs "Loading background bitmaps..." and
// loads the image of every visible bitmap (a hidden one gets none; an empty loader loads none). A
// visible one that cannot be loaded gets none and a warning line with its name in the log. Ends with
// close_progress(1 or 0) and returns whether it loaded; when not, the project is unchanged.
[[nodiscard]] bool load_project_task(Project& project, const std::string& base_name, ProgressSink& progress,
                                     const BitmapImageLoader& load_image);

// Saves the project and ends with close_progress(1 or 0). Success clears `modified`; on failure it stays
// set and the old file is kept.
[[nodiscard]] bool save_project_task(Project& project, const std::string& base_name, ProgressSink& progress,
                                     const WriteFaults* faults = nullptr);

}  // namespace plotwell
