#include "project/bitmap_properties_dialog.h"

#include <cmath>

#include "model/background_image.h"
#include "model/geometry.h"
#include "model/text.h"
#include "project/bitmap_paths.h"
#include "project/dialog_fields.h"

namespace plotwell {

namespace {

struct PixelSize {
    int64_t width = 0;
    int64_t height = 0;
    bool known() const { return width > 0 && height > 0; }
};

PixelSize file_pixel_size(const std::string& path) {
    PixelSize s;
    if (!background_image_size(path, s.width, s.height)) return {};
    return s;
}

int32_t same_units_per_pixel(int32_t previous_units, int64_t previous_pixels, int64_t pixels) {
    const double v = std::trunc(double(previous_units) / double(previous_pixels) * double(pixels));
    if (!std::isfinite(v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return int32_t(v);
}

}  // namespace

BitmapPropertiesModel::BitmapPropertiesModel(BackgroundBitmap& entry, const BackgroundBitmap* previous,
                                             Host& host, BitmapFolders folders, BitmapPlacement placement)
    : entry_(entry), previous_(previous), host_(host), folders_(std::move(folders)), placement_(placement) {
    load();
}

void BitmapPropertiesModel::load() {
    const BackgroundBitmap& b = entry_;
    file_name = field_text(b.file_name);
    file_read_only = !file_name.empty();
    browse_visible = file_name.empty();
    locked = (b.flags & kBitmapLocked) != 0;
    visible = (b.flags & kBitmapHidden) == 0;
    x_min = int_field_text(b.x);
    x_max = int_field_text(int64_t(b.x) + b.width);
    y_min = int_field_text(b.y);
    y_max = int_field_text(int64_t(b.y) + b.height);
}

void BitmapPropertiesModel::browse() {
    if (file_read_only) return;
    FileDialogOptions options;
    options.title = kBrowseTitle;
    options.filter_name = "Bitmap";
    options.filter_pattern = "*.bmp";
    options.more_patterns = kRasterPatterns;
    options.default_extension = "bmp";
    options.flags = kFileMustExist | kPathMustExist | kHideReadOnly;
    const auto chosen = host_.open_file_dialog(options);
    if (chosen) file_name = relative_to_program_dir(*chosen, folders_.program_dir);
}

void BitmapPropertiesModel::set_from_prev() {
    if (!set_from_prev_enabled()) return;
    const PixelSize own = file_pixel_size(resolve_bitmap_path(file_name, folders_));
    // The previous entry's image gives its pixel size; when it has none (hidden, or it failed to
    // load) its file still does.
    PixelSize before;
    if (previous_->image && previous_->image->source)  // a reduced copy: the file's size counts
        before = {previous_->image->source->width(), previous_->image->source->height()};
    else if (previous_->image && previous_->image->width > 0 && previous_->image->height > 0)
        before = {previous_->image->width, previous_->image->height};
    else
        before = file_pixel_size(resolve_bitmap_path(field_text(previous_->file_name), folders_));
    if (!own.known() || !before.known()) {
        host_.message_box(kSizeUnreadable, "Error", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const int32_t width = same_units_per_pixel(previous_->width, before.width, own.width);
    const int32_t height = same_units_per_pixel(previous_->height, before.height, own.height);
    int32_t x = read_int_field(x_min);
    int32_t y = read_int_field(y_min);
    if (x == 0 && y == 0) {
        x = placement_.x;
        y = placement_.y;
    }
    x_min = int_field_text(x);
    x_max = int_field_text(int64_t(x) + width);
    y_min = int_field_text(y);
    y_max = int_field_text(int64_t(y) + height);
}

bool BitmapPropertiesModel::ok() {
    BackgroundBitmap& b = entry_;
    set_field(b.file_name, relative_to_program_dir(file_name, folders_.program_dir));
    uint16_t flags = uint16_t(b.flags & ~(kBitmapLocked | kBitmapHidden));
    if (locked) flags |= kBitmapLocked;
    if (!visible) flags |= kBitmapHidden;
    b.flags = flags;
    b.x = read_int_field(x_min);
    b.y = read_int_field(y_min);
    b.width = clamp_to_int32(int64_t(read_int_field(x_max)) - b.x);
    b.height = clamp_to_int32(int64_t(read_int_field(y_max)) - b.y);
    return true;
}

}  // namespace plotwell
