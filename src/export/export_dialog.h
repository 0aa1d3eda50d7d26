// The "Export - Trekpad Plus/Max" dialog without its toolkit: four pages ("ID", "Layers", "Regions",
// "Misc") that load from and store into the ExportSettings, the "Layer Properties" and "Map Preferences"
// sub-dialogs, and the "Export" button that stores every page and then checks them in tab order.
#pragma once

#include <string>
#include <vector>

#include "export/export_preparation.h"
#include "export/export_settings.h"
#include "export/map_id_table.h"
#include "model/records.h"
#include "platform/host.h"

namespace plotwell {

extern const char* const kExportTabLabels[kExportTabCount];  // "ID", "Layers", "Regions", "Misc"

struct ExportIdPage {
    std::string map_name;   // "Map &Name:"
    std::string map_id;     // "Map &ID:"
    std::string parent_id;  // "Pa&rent ID:"
};

struct ExportLayersPage {
    std::vector<std::string> ignored;  // "(ignored)": "%d: %s [%s]"
    std::vector<std::string> visible;  // "Visible layers:", in export order
    int selected_ignored = -1;
    int selected_visible = -1;
};

struct ExportRegionsPage {
    bool has_level = false;           // the row is shown only while a level exists
    std::string level_name;           // "Region level name"
    std::vector<std::string> layers;  // "Source layer  (polygons)": every project layer
    int source_layer = 0;             // selection in `layers`
};

struct ExportMiscPage {
    bool map_notes = false;         // "Export Map No&tes"
    bool publisher_info = false;    // "Export &Publisher Info"
    bool has_preferences = false;   // "Has map P&references"
    bool selection_only = false;    // "Export &Selection rectangle only": hidden, never stored
    std::string category_theme_id;  // "Category theme ID:", read-only and empty
    int map_class = 0;              // "Map Class:", position in kMapClassNames
    // Making a big map fit: for this export only, never stored with the project.
    std::string simplify;           // "Simplif&y by:" output units; empty or 0: none
    bool split_long_lines = false;  // "Split &long lines"
    std::string min_area;           // "Minimum polygon &area:" square output units; empty or 0: none
    bool fit_map_class = false;     // "F&it to the map class"
    std::string size_report;        // what "Si&ze..." found, a few lines per map class
};

// "Layer Properties" for one project layer.
struct LayerPropertiesDialog : DialogModel {
    std::string_view dialog_title() const override { return "Layer Properties"; }
    int layer = 0;
    int zoom_category = 0;  // "Minimum Zoom &Category:", position in kZoomCategoryNames
    int tree_depth = 1;     // "&Tree depth:": 0 for "1", 1 for "5"
    bool cache_searches = false;
};
LayerPropertiesDialog open_layer_properties(const ExportSettings& settings, int layer);
void store_layer_properties(const LayerPropertiesDialog& dialog, ExportSettings& settings);

// "Map Preferences".
struct MapPreferencesDialog : DialogModel {
    std::string_view dialog_title() const override { return "Map Preferences"; }
    int initial_zoom = 0;  // "&Zoom level:", position in kZoomNames
    int group_zoom[kZoomGroupCount] = {};
    int names_zoom = 1;                  // 0 "Never", then "x1".."x16"
    int add_zoom = 0;                    // "&Add Zoom:": "x1", "x2", "x4"
    bool roads = false;                  // "for Roads"
    bool railways = false;               // "for Railways"
    bool point_features = false;         // "for Point Features"
    std::string position_x, position_y;  // "&Position:": no function, the file carries the range centre
};
MapPreferencesDialog open_map_preferences(const ExportSettings& settings);
void store_map_preferences(const MapPreferencesDialog& dialog, ExportSettings& settings);

class ExportDialog : public DialogModel {
  public:
    // The dialog edits `settings`; "Export" also writes the project's GeoInfo edges for a decimal-degree
    // project.
    ExportDialog(Project& project, ExportSettings& settings) : project_(project), settings_(settings) {}
    std::string_view dialog_title() const override { return "Export - Trekpad Plus/Max"; }

    // Rereads the map ID table from `map_id_path`, fills every page from the settings and shows "ID".
    void open(MapIdTable& map_ids, const std::string& map_id_path = kMapIdFileName);

    ExportIdPage id;
    ExportLayersPage layers;
    ExportRegionsPage regions;
    ExportMiscPage misc;
    int current_tab = kExportTabId;

    void select_tab(int tab);

    // Layers page.
    void add_layer(Host& host);  // "Add ->"
    void remove_layer();         // "<- Remove"
    // "Properties.." or a double click on a visible layer: runs "Layer Properties" for it; true when the
    // dialog was confirmed and its values stored.
    bool layer_properties(Host& host);
    // Regions page.
    void more_regions(Host& host);  // "&More"
    void fewer_regions();           // "&Fewer"
    // Misc page: "Details..." runs "Map Preferences"; true when confirmed and stored.
    bool preference_details(Host& host);
    // Misc page: "Size..." fills misc.size_report with how full the data area of each map class would
    // be with the choices on the pages (the settings stay as they were).
    void size_pressed(Host& host);

    // "Export": stores all pages, then checks them (check_export_choices). False keeps the dialog open at
    // the page that failed (its message was shown); true closes it and the export may start.
    bool export_pressed(Host& host);
    bool accepted() const { return accepted_; }

    // The page protocol, in tab order.
    void load_page(int tab);
    void store_page(int tab);

  private:
    // The Misc page's fit amounts are numbers or empty; otherwise says so and shows the page.
    bool fit_amounts_sound(Host& host);

    Project& project_;
    ExportSettings& settings_;
    int16_t map_id_ = 0;
    int16_t parent_map_id_ = 0;
    bool accepted_ = false;
};

// A dialog's number text as the handheld's 16-bit ID: leading blanks, an optional sign and decimal
// digits; 0 for text that does not start with a number.
int16_t parse_map_id_text(std::string_view text);

}  // namespace plotwell
