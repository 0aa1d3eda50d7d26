// The "Import ShapeFile" dialog without its toolkit: the file, its dimension, the destination layer and
// five tabbed pages (Name, Type, Filter, Coordinates, and Linking / Points / Polygons by the file's
// dimension) that load from and store into one ShapeImportSettings.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"
#include "platform/host.h"
#include "shapefile/import_settings.h"
#include "shapefile/shapefile_reader.h"

namespace plotwell {

// The seven pages, in the order they are loaded and stored.
enum ImportPage {
    kPageName = 0,
    kPageType,
    kPageFilter,
    kPageCoordinates,
    kPageLinking,
    kPagePoints,
    kPagePolygons,
    kImportPageCount
};
inline constexpr int kImportTabCount = 5;
inline constexpr int kFactorTextLength = 15;  // the "Multiply" edits hold at most this many characters

// A page choosing up to 8 attribute fields: the chosen list keeps the order of choosing, the remaining
// list stays sorted by name.
struct FieldChoicePage {
    std::vector<std::string> chosen;
    std::vector<std::string> remaining;
    int selected_chosen = -1;
    int selected_remaining = -1;

    void load(const ShapefileReader& reader, const FieldSelection& selection);
    void store(const ShapefileReader& reader, FieldSelection& selection) const;
    void add(Host& host);  // "<- Add"
    void remove();         // "Remove ->"
};

// Controls laid out in the templates but hidden and without behaviour; kept so that a view can reproduce
// the layout and a later version can wire them to the settings named beside them.
struct ImportDormantControls {
    std::vector<std::string> profile_names;  // "&Profile Name:" with "&New..." and "&Delete"
    int substitution_choice = 0;             // Name page "&Substitution:" (substitution_mode)
    int type_translation_choice = 0;         // Type page "&Translation:" (type_translation)
    bool filter_untranslated = true;         // Filter page (filter_untranslated)
    std::string add_x = "0", add_y = "0";    // Coordinates page "Add to X:", "Add to Y:" (add_x, add_y)
    std::string point_reduction = "0";       // "Point &reduction factor:" (no setting)
    int icon_translation_choice = 0;         // Points page "Icon &Translation:" (icon_translation.kind)
    int notes_field = -1;                    // Points page "Notes field:" (no setting)
    int multipart_policy = 0;                // Polygons page radio buttons (multipart_policy)
    int ccw_type = 0;                        // Polygons page "Type:" (ccw_type)
};

class ImportShapefileDialog : public DialogModel {
  public:
    ImportShapefileDialog(const Project& project, const ShapefileReader& reader,
                          ShapeImportSettings& settings)
        : project_(project), reader_(reader), settings_(settings) {}
    std::string_view dialog_title() const override { return "Import ShapeFile"; }

    // Sets the settings' defaults (dimension from the file, `current_layer` or 0 as the destination, ...)
    // and loads every page; tab 0 is shown.
    void open(int current_layer);

    // Read-only "Filename:" and "Dimension type:".
    const std::string& filename() const { return settings_.base_path; }
    std::string dimension_text() const;
    // "Destination &Layer:" and its selection.
    std::vector<std::string> layer_lines;
    int dest_layer = 0;

    // The tab control: labels of the five tabs, the current tab, and the page each tab shows.
    std::vector<std::string> tab_labels() const;
    int current_tab = 0;
    void select_tab(int tab);
    int page_of_tab(int tab) const;
    int visible_page() const { return page_of_tab(current_tab); }

    // The pages' controls.
    FieldChoicePage name_page;            // "Name Field(s):"
    bool downcase = true;                 // "Downcase"
    std::vector<std::string> type_names;  // "Default &Object type:"
    int type_choice = 0;
    bool filter_box = false;              // "&Filter out objects outside current coord &Range"
    std::string multiply_x, multiply_y;   // "Multiply X by:", "Multiply Y by:"
    FieldChoicePage link_page;            // "Link fields:"
    std::vector<std::string> icon_names;  // "Default &Icon:"
    int icon_choice = 0;
    ImportDormantControls dormant;
    // Coordinates page, for a source whose coordinate system is known (empty: neither control shows):
    // "Coordinate system:" and "&Reproject to decimal degrees", usable into a decimal-degree project.
    std::string source_system;
    bool reproject_box = false;
    bool reproject_usable = false;

    // The one wired dormant control: a new choice in "Icon &Translation:" while the icon translation has
    // entries asks before those entries are dropped; No puts the choice back.
    void icon_translation_changed(int choice, Host& host);

    // The page protocol.
    void load_page(int page);
    void store_page(int page);
    bool validate_page(int page, Host& host);

    // "OK": stores the destination and every page, checks Name, Type, Filter, Coordinates and the
    // dimension's own page in that order; false keeps the dialog open at the first page that failed.
    bool ok(Host& host);
    bool accepted() const { return accepted_; }

  private:
    const Project& project_;
    const ShapefileReader& reader_;
    ShapeImportSettings& settings_;
    bool accepted_ = false;
};

// "%d" factor text as the engine's factor: leading blanks, an optional sign, decimal digits; 0 when there
// are no digits or the number does not fit 32 bits. Only the first 15 characters count.
int32_t parse_factor_text(std::string_view text);

}  // namespace plotwell
