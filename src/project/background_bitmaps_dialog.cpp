#include "project/background_bitmaps_dialog.h"

#include <utility>

#include "model/background_image.h"
#include "model/text.h"
#include "project/project_tasks.h"
#include "project/raster_placement.h"

namespace plotwell {

namespace {

constexpr const char* kLoadFailed = "Unable to load bitmap into memory!";

std::string list_line(const BackgroundBitmap& entry) {
    std::string line(field_text(entry.file_name));
    if (!entry.image && !(entry.flags & kBitmapHidden)) line += " (missing)";
    return line;
}

}  // namespace

BackgroundBitmapsModel::BackgroundBitmapsModel(Project& project, Host& host, std::string program_dir,
                                               BitmapPlacement placement)
    : project_(project), host_(host), program_dir_(std::move(program_dir)), placement_(placement) {
    refill();
}

void BackgroundBitmapsModel::refill() {
    BitmapTable& t = project_.bitmaps;
    if (t.count > kMaxBitmaps) t.count = kMaxBitmaps;
    lines.clear();
    for (int i = 0; i < t.count; ++i) lines.push_back(list_line(t.entries[i]));
    if (selected >= int(t.count)) selected = -1;
}

BitmapFolders BackgroundBitmapsModel::folders() const {
    return {project_dir_of(field_text(project_.file_base_name)), program_dir_};
}

bool BackgroundBitmapsModel::load_image(BackgroundBitmap& entry) {
    entry.image = bitmap_loader(folders())(std::string(field_text(entry.file_name)));
    if (entry.image) return true;
    host_.message_box(kLoadFailed, "Error", MessageIcon::Warning, MessageButtons::Ok);
    return false;
}

void BackgroundBitmapsModel::place_georeferenced(BackgroundBitmap& entry) {
    if (project_.coord_sys != kCoordDegrees) return;
    const std::string name(field_text(entry.file_name));
    const std::string path = resolve_bitmap_path(name, folders());
    int64_t w = 0, h = 0;
    // A bitmap file keeps its placement by hand; an unreadable file is refused by the load that follows.
    if (is_bmp_file(path) || !background_image_size(path, w, h)) return;
    if (const Result placed = place_by_georeference(path, entry); !placed.ok)
        host_.message_box(unplaced_message(name, placed.message), "Warning", MessageIcon::Warning,
                          MessageButtons::Ok);
}

void BackgroundBitmapsModel::new_bitmap() {
    BitmapTable& t = project_.bitmaps;
    if (t.count >= kMaxBitmaps) {
        host_.message_box("Bitmap table full!", "Error", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    BackgroundBitmap& entry = t.entries[t.count];
    entry = BackgroundBitmap{};
    const BackgroundBitmap* previous = t.count > 0 ? &t.entries[t.count - 1] : nullptr;
    BitmapPropertiesModel dialog(entry, previous, host_, folders(), placement_);
    if (host_.run_dialog(dialog) != 1) {
        entry = BackgroundBitmap{};
        return;
    }
    if (entry.width == 0 || entry.height == 0) {
        entry.width = entry.height = placement_.size;
        entry.x = placement_.x;
        entry.y = placement_.y;
        place_georeferenced(entry);
    }
    if (!(entry.flags & kBitmapHidden) && !load_image(entry)) {
        entry = BackgroundBitmap{};
        return;
    }
    ++t.count;
    lines.push_back(list_line(entry));
    project_.modified = 1;
}

void BackgroundBitmapsModel::properties() {
    BitmapTable& t = project_.bitmaps;
    if (selected < 0 || selected >= t.count) return;
    BackgroundBitmap& entry = t.entries[selected];
    const uint16_t hidden_before = entry.flags & kBitmapHidden;
    BitmapPropertiesModel dialog(entry, selected > 0 ? &t.entries[selected - 1] : nullptr, host_, folders(),
                                 placement_);
    if (host_.run_dialog(dialog) != 1) return;
    if ((entry.flags & kBitmapHidden) != hidden_before) {
        if (entry.flags & kBitmapHidden)
            entry.image.reset();
        else
            load_image(entry);  // a failure keeps the entry without an image
    }
    refill();
    project_.modified = 1;
}

void BackgroundBitmapsModel::remove() {
    BitmapTable& t = project_.bitmaps;
    if (selected < 0 || selected >= t.count) return;
    if (host_.message_box("Are you sure you want to remove this bitmap?", "Confirm", MessageIcon::Question,
                          MessageButtons::YesNo) != Answer::Yes)
        return;
    for (int i = selected; i + 1 < t.count; ++i) t.entries[i] = std::move(t.entries[i + 1]);
    t.entries[t.count - 1] = BackgroundBitmap{};  // releases the last image reference
    --t.count;
    lines.erase(lines.begin() + selected);
    selected = -1;
    project_.modified = 1;
}

void BackgroundBitmapsModel::move_up() {
    BitmapTable& t = project_.bitmaps;
    if (selected < 1 || selected >= t.count) return;
    std::swap(t.entries[selected - 1], t.entries[selected]);
    --selected;
    refill();
    project_.modified = 1;
}

void BackgroundBitmapsModel::move_down() {
    BitmapTable& t = project_.bitmaps;
    if (selected < 0 || selected + 1 >= t.count) return;
    std::swap(t.entries[selected], t.entries[selected + 1]);
    ++selected;
    refill();
    project_.modified = 1;
}

}  // namespace plotwell
