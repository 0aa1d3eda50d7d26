// "Project Properties": the project's name, parent map, bounds and the read-only projection, coordinate
// system and geographic mode. It changes the project without marking it modified.
#pragma once

#include <string>

#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

class ProjectPropertiesModel : public DialogModel {
  public:
    static constexpr const char* kTitle = "Project Properties";
    static constexpr const char* kLabels[10] = {"Name:",       "Parent map basename:",
                                                "Projection:", "Coord Sys:",
                                                "X - Min:",    "Max:",
                                                "Y - Min:",    "Max:",
                                                "Geo Info:",   "Notes:"};
    static constexpr const char* kBoundsGroup = "Bounds";
    static constexpr const char* kChangeButton = "Change...";
    static constexpr const char* kGeoModeButtons[3] = {"None", "Scale", "Scale && Pos"};

    ProjectPropertiesModel(Project& project, Host& host);
    std::string_view dialog_title() const override { return kTitle; }

    // The controls.
    std::string name;                        // "Name:"
    std::string parent_map_basename;         // "Parent map basename:"
    std::string projection;                  // "Projection:", read-only
    std::string coord_sys;                   // "Coord Sys:", read-only
    std::string x_min, x_max, y_min, y_max;  // "Bounds"
    int geo_mode = 0;                        // which of the disabled "Geo Info:" radio buttons is checked

    void load();
    void change();  // "Change...": not offered yet
    // OK: stores every field; nothing is validated, so it always closes.
    bool ok();

  private:
    Project& project_;
    Host& host_;
};

}  // namespace plotwell
