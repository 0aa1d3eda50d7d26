// The "Import ShapeFile" dialog without its toolkit: the file, its dimension, the destination layer and
// five tabbed pages (Name, Type, Filter, Coordinates, and Linking / Points / Polygons by the file's
// dimension) that load from and store into one ShapeImportSettings.
#pragma once

#include <string>
#include <vector>

#include "model/records.h"
#include "platform/host.h"
#include "shapefile/import_settings.h"
#include "shapefile/record_source.h"
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

// The second row of controls on the pages, each editing the setting named beside it; the point
// reduction factor and the notes field have no setting and stay hidden.
struct ImportDormantControls {
    std::vector<std::string> profile_names;  // "&Profile Name:" with "&New..." and "&Delete"
    int profile_choice = -1;
    int substitution_choice = 0;           // Name page "&Substitution:" (substitution_mode)
    int type_translation_choice = 0;       // Type page "&Translation:" (type_translation.kind)
    bool filter_untranslated = true;       // Filter page (filter_untranslated)
    std::string add_x = "0", add_y = "0";  // Coordinates page "Add to X:", "Add to Y:" (add_x, add_y)
    std::string point_reduction = "0";     // "Point &reduction factor:" (no setting)
    int icon_translation_choice = 0;       // Points page "Icon &Translation:" (icon_translation.kind)
    int notes_field = -1;                  // Points page "Notes field:" (no setting)
    int multipart_policy = 0;              // Polygons page radio buttons (multipart_policy)
    int ccw_type = 0;                      // Polygons page "Type:" (ccw_type)
};

// An entry of the "Text &encoding:" list: the encoding's name, "Windows-1252" for the bytes kept.
std::string encoding_caption(const std::string& encoding);

// Entries of the "&Substitution:", "&Translation:" and "&Match mode:" lists, in the engine's numbering.
inline const std::vector<std::string> kSubstitutionChoices = {"None", "Use substitution table"};
inline const std::vector<std::string> kTranslationChoices = {"None", "String table", "Numeric ranges"};
inline const std::vector<std::string> kMatchModeChoices = {"Whole value", "Starts with"};

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
    // Name page "Text &encoding:" for vector sources (no entries: it does not show): what the source's
    // texts are read as, canonical names ("" keeps the bytes, Windows-1252). See offer_encodings.
    std::vector<std::string> encodings;
    int encoding_choice = -1;
    // Offers the usual encodings with `found` (the source's own) first and chosen.
    void offer_encodings(const std::string& found);
    std::string chosen_encoding() const;

    // A new choice in "Icon &Translation:" (or "&Translation:") while that translation has entries asks
    // before those entries are dropped; No puts the choice back.
    void icon_translation_changed(int choice, Host& host);
    void type_translation_changed(int choice, Host& host);

    // Where profiles are kept ("" when the host has no configuration folder: profiles are not offered),
    // and the records "&Sample values..." counts (none: it says there is nothing to sample).
    std::string profile_folder;
    RecordSource* records = nullptr;
    // "&Profile Name:": a choice fills every page from that profile; "&New..." asks for a name and saves
    // the pages as they stand; "&Delete" removes the chosen profile.
    void refresh_profiles();
    void profile_chosen(int choice, Host& host);
    void new_profile(Host& host);
    void delete_profile(Host& host);
    // The "&Details..." buttons: "Substitution Details" and "Translation Details" edit the settings'
    // tables in place.
    void substitution_details(Host& host);
    void type_translation_details(Host& host);
    void icon_translation_details(Host& host);

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
    bool add_ok_ = true;  // both "Add to" texts read as numbers at the last store

    void translation_changed(ValueTranslation& t, int& choice, int new_choice, Host& host);
    void translation_details(ValueTranslation& t, int choice, Host& host);
};

// "%d" factor text as the engine's factor: leading blanks, an optional sign, decimal digits; 0 when there
// are no digits or the number does not fit 32 bits. Only the first 15 characters count.
int32_t parse_factor_text(std::string_view text);

}  // namespace plotwell
