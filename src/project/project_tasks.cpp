#include "project/project_tasks.h"

#include "model/bitmap_file.h"
#include "project/project_file.h"

namespace plotwell {

namespace {
// "/x", "\\server\x" and "C:\x" or "C:/x" name a file on their own.
bool is_absolute(const std::string& name) {
    if (name.empty()) return false;
    if (name[0] == '/' || name[0] == '\\') return true;
    return name.size() >= 3 && name[1] == ':' && (name[2] == '\\' || name[2] == '/');
}
}  // namespace

BitmapImageLoader bitmap_loader(const std::string& program_dir) {
    return [program_dir](const std::string& file_name) -> std::shared_ptr<const Image> {
        if (file_name.empty()) return nullptr;
        if (is_absolute(file_name)) return load_bitmap_file(file_name);
        // Names below the program directory are stored relative to it; a project kept elsewhere (a sample
        // beside its data, a folder copied from another machine) names its bitmaps from the working
        // directory instead, so that is tried next.
        if (auto image = load_bitmap_file(program_dir + file_name)) return image;
        return load_bitmap_file(file_name);
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
            if (!(bitmap.flags & kBitmapHidden) && load_image) bitmap.image = load_image(bitmap.file_name);
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
