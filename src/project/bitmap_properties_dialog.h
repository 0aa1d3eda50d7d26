// "Bitmap Properties": one background bitmap's file, position, lock and visibility.
#pragma once

#include <string>

#include "model/records.h"
#include "platform/host.h"
#include "project/bitmap_paths.h"

namespace plotwell {

// Where a bitmap without a size goes: `size` map units (100 screen pixels at the current zoom) square,
// its minimum corner at the map area's top-left (bottom-left with decimal degrees).
struct BitmapPlacement {
    int32_t size = 0;
    int32_t x = 0;
    int32_t y = 0;
};

class BitmapPropertiesModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Bitmap Properties";
    static constexpr const char* kLabels[6] = {"Filename:", "Position", "X  min:", "max:", "Y min:", "max:"};
    static constexpr const char* kButtons[4] = {"&Browse...", "&Set from prev.", "&Locked", "&Visible"};
    static constexpr const char* kBrowseTitle = "Select backgound bitmap";
    static constexpr const char* kSizeUnreadable = "Unable to read bitmap size!";

    // `previous` is the entry before this one in the table (none for the first).
    BitmapPropertiesModel(BackgroundBitmap& entry, const BackgroundBitmap* previous, Host& host,
                          BitmapFolders folders, BitmapPlacement placement);
    std::string_view dialog_title() const override { return kTitle; }

    // The controls.
    std::string file_name;                   // "Filename:"
    bool file_read_only = false;             // an entry's file cannot be changed once set
    bool browse_visible = true;              // "&Browse..."
    std::string x_min, x_max, y_min, y_max;  // "Position"
    bool locked = false;                     // "&Locked"
    bool visible = true;                     // "&Visible"

    void load();
    void browse();
    bool set_from_prev_enabled() const { return previous_ && !file_name.empty(); }
    void set_from_prev();
    bool ok();  // always closes

  private:
    BackgroundBitmap& entry_;
    const BackgroundBitmap* previous_;
    Host& host_;
    BitmapFolders folders_;
    BitmapPlacement placement_;
};

}  // namespace plotwell
