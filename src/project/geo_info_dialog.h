// "Geographic Info": no reference, a scale taken from the selection rectangle, or the longitudes and
// latitudes of the project's edges for GPS use.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

class GeoInfoModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Geographic Info";
    static constexpr const char* kModeButtons[3] = {"No Scale or Position", "Scale Only",
                                                    "Position and Scale (GPS enabled)"};
    static constexpr const char* kWidthLabel = "Selection rectangle width is:";
    static constexpr const char* kKmLabel = "Km";
    static constexpr const char* kEdgeLabels[4] = {
        "Longitude at the Left Edge:", "Longitude at the Right Edge:", "Latitude at the Bottom Edge:",
        "Latitude at the Top Edge:"};
    static constexpr const char* kEdgeHint = "(decimal degs OR [N|S|E|W] deg min sec)";
    static constexpr const char* kNoSelectionMessage =
        "Draw a selection rectangle first: its width is the distance given in Km.";

    // The edge fields in the order OK reads them.
    enum Edge { kWest = 0, kEast, kSouth, kNorth, kEdgeCount };

    // `selection_width` is the width (x2 - x1) of the editor's selection rectangle, in map units.
    GeoInfoModel(Project& project, Host& host, int64_t selection_width);
    std::string_view dialog_title() const override { return kTitle; }

    // The controls.
    int mode = kGeoNone;  // the checked radio button
    std::string km;       // "Km"
    std::string edges[kEdgeCount];
    int focused_edge = -1;  // the edge field given the focus (all its text selected) by a failed OK

    void load();
    void select_mode(int new_mode);  // a radio button clicked
    // OK: false keeps the dialog open (an edge that does not parse, or a scale without a rectangle).
    bool ok();

  private:
    void fill_edges();

    std::string shown_edges_[kEdgeCount];  // the texts fill_edges wrote, to tell which the user edited
    Project& project_;
    Host& host_;
    int64_t selection_width_;
};

}  // namespace plotwell
