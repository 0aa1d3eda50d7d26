// "Background Bitmaps": the project's bitmap table in drawing order, with new, properties, remove and
// the moves. Every change marks the project modified.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"
#include "platform/host.h"
#include "project/bitmap_properties_dialog.h"

namespace plotwell {

class BackgroundBitmapsModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Background Bitmaps";
    static constexpr const char* kButtons[6] = {"&New...",  "&Properties...", "&Remove...",
                                                "Move &Up", "Move Do&wn",     "Done"};

    BackgroundBitmapsModel(Project& project, Host& host, std::string program_dir, BitmapPlacement placement);
    std::string_view dialog_title() const override { return kTitle; }

    // The list: one file name per entry, marked when a visible one has no image, and its selection
    // (-1: none).
    std::vector<std::string> lines;
    int selected = -1;

    void new_bitmap();
    void properties();  // also a double click on a line
    void remove();
    void move_up();
    void move_down();

  private:
    void refill();
    BitmapFolders folders() const;
    bool load_image(BackgroundBitmap& entry);
    void place_georeferenced(BackgroundBitmap& entry);

    Project& project_;
    Host& host_;
    std::string program_dir_;
    BitmapPlacement placement_;
};

}  // namespace plotwell
