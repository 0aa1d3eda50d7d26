#include "project/project_tasks.h"

#include "model/background_image.h"
#include "model/text.h"
#include "project/project_file.h"

namespace plotwell {

BitmapImageLoader bitmap_loader(const BitmapFolders& folders) {
    return [folders](const std::string& file_name) -> std::shared_ptr<const Image> {
        if (file_name.empty()) return nullptr;
        return load_background_image(resolve_bitmap_path(file_name, folders));
    };
}

bool load_project_task(Project& project, const std::string& base_name, ProgressSink& progress,
                       const BitmapImageLoader& load_image) {
    progress.log_line("Loading layer objects...\r\n");
    const bool result = load_project_file(project, base_name, progress);
    if (result) {
        progress.log_line("Loading background bitmaps...\r\n");
        BitmapTable& table = project.bitmaps;
        progress.set_progress_range(table.count);
        for (int i = 0; i < table.count; ++i) {
            BackgroundBitmap& bitmap = table.entries[i];
            bitmap.image.reset();
            if (!(bitmap.flags & kBitmapHidden) && load_image) {
                bitmap.image = load_image(std::string(field_text(bitmap.file_name)));
                // The map still opens; the log says which picture is not behind it.
                if (!bitmap.image)
                    progress.log_line("Warning: background bitmap not found: " +
                                      std::string(field_text(bitmap.file_name)) + "\r\n");
            }
            progress.set_progress_pos(i + 1);
        }
    }
    progress.close_progress(result);
    return result;
}

bool save_project_task(Project& project, const std::string& base_name, ProgressSink& progress,
                       const WriteFaults* faults) {
    const bool result = save_project(project, base_name, progress, faults);
    if (result) project.modified = 0;
    progress.close_progress(result);
    return result;
}

}  // namespace plotwell
