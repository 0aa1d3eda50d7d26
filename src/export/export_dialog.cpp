#include "export/export_dialog.h"

#include <charconv>
#include <cstdlib>
#include <string>
#include <utility>

#include "export/data_area_use.h"
#include "model/layer_lines.h"
#include "model/text.h"

namespace plotwell {

const char* const kExportTabLabels[kExportTabCount] = {"ID", "Layers", "Regions", "Misc"};

namespace {
// An amount of 0 is no choice at all: the field shows empty.
std::string fit_amount_text(double amount) {
    if (amount <= 0) return {};
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, amount).ptr;  // whatever the locale
    return std::string(text, end);
}

double fit_amount_of(const std::string& text) {
    double amount = 0;
    return parse_fit_amount(text, amount) ? amount : 0;
}

// The layer number at the start of a list entry ("3: Roads [ROADS]"), -1 when there is none.
int layer_of_entry(const std::string& entry) {
    int n = 0;
    size_t i = 0;
    for (; i < entry.size() && i < 4 && entry[i] >= '0' && entry[i] <= '9'; ++i)
        n = n * 10 + (entry[i] - '0');
    return i == 0 ? -1 : n;
}

int clamp_choice(int value, int count) {
    return value >= 0 && value < count ? value : 0;
}

}  // namespace

int16_t parse_map_id_text(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > 65535) return 0;  // not a 16-bit number
    }
    if (digits == 0) return 0;
    if (negative) value = -value;
    if (value < -32768) return 0;
    return int16_t(uint16_t(value & 0xFFFF));
}

// --- sub-dialogs -------------------------------------------------------------------------------

LayerPropertiesDialog open_layer_properties(const ExportSettings& settings, int layer) {
    LayerPropertiesDialog d;
    d.layer = layer;
    if (layer < 0 || layer >= kMaxExportLayers) return d;
    const LayerExportProps& p = settings.layer_props[layer];
    d.zoom_category = clamp_choice(p.min_zoom_category, kZoomCategoryCount);
    d.tree_depth = p.single_list ? 0 : 1;
    d.cache_searches = p.cache_searches != 0;
    return d;
}

void store_layer_properties(const LayerPropertiesDialog& d, ExportSettings& settings) {
    if (d.layer < 0 || d.layer >= kMaxExportLayers) return;
    LayerExportProps& p = settings.layer_props[d.layer];
    p.min_zoom_category = int16_t(clamp_choice(d.zoom_category, kZoomCategoryCount));
    p.single_list = d.tree_depth == 0 ? 1 : 0;
    p.cache_searches = d.cache_searches ? 1 : 0;
}

MapPreferencesDialog open_map_preferences(const ExportSettings& settings) {
    const MapPreferences& p = settings.preferences;
    MapPreferencesDialog d;
    d.initial_zoom = clamp_choice(p.initial_zoom, kZoomCount);
    for (int g = 0; g < kZoomGroupCount; ++g) d.group_zoom[g] = clamp_choice(p.group_zoom[g], kZoomCount);
    d.names_zoom = p.names_zoom < 0 ? 0 : clamp_choice(p.names_zoom, kZoomCount) + 1;
    d.add_zoom = clamp_choice(p.auto_detail & kAutoDetailAddZoomMask, kAddZoomCount);
    d.roads = p.auto_detail & kAutoDetailRoads;
    d.railways = p.auto_detail & kAutoDetailRailways;
    d.point_features = p.auto_detail & kAutoDetailPoints;
    return d;
}

void store_map_preferences(const MapPreferencesDialog& d, ExportSettings& settings) {
    MapPreferences& p = settings.preferences;
    p.initial_zoom = uint8_t(clamp_choice(d.initial_zoom, kZoomCount));
    for (int g = 0; g < kZoomGroupCount; ++g)
        p.group_zoom[g] = uint8_t(clamp_choice(d.group_zoom[g], kZoomCount));
    p.names_zoom = d.names_zoom <= 0 ? kNamesZoomNever : int8_t(clamp_choice(d.names_zoom - 1, kZoomCount));
    uint8_t detail = uint8_t(clamp_choice(d.add_zoom, kAddZoomCount));
    if (d.roads) detail |= kAutoDetailRoads;
    if (d.railways) detail |= kAutoDetailRailways;
    if (d.point_features) detail |= kAutoDetailPoints;
    p.auto_detail = detail;
}

// --- the dialog --------------------------------------------------------------------------------

void ExportDialog::open(MapIdTable& map_ids, const std::string& map_id_path) {
    read_map_id_table(map_ids, map_id_path);
    // The base name may carry the project file's directory; map IDs are listed by file name.
    map_id_ = lookup_map_id(map_ids, file_name_part(field_text(project_.file_base_name)));
    parent_map_id_ = lookup_map_id(map_ids, field_text(project_.parent_map_basename));
    accepted_ = false;
    for (int tab = 0; tab < kExportTabCount; ++tab) load_page(tab);
    current_tab = kExportTabId;
}

void ExportDialog::select_tab(int tab) {
    if (tab >= 0 && tab < kExportTabCount) current_tab = tab;
}

void ExportDialog::load_page(int tab) {
    switch (tab) {
        case kExportTabId:
            id.map_name = std::string(field_text(project_.name));
            id.map_id = std::to_string(uint16_t(map_id_));
            id.parent_id = std::to_string(uint16_t(parent_map_id_));
            break;
        case kExportTabLayers: {
            layers = ExportLayersPage{};
            bool shown[kMaxLayers] = {};
            const int count = settings_.visible_layer_count < 0 ? 0 : settings_.visible_layer_count;
            for (int i = 0; i < count && i < kMaxExportLayers; ++i) {
                const int layer = settings_.visible_layers[i];
                // A number left over from another layer table, or listed twice, is not offered.
                if (!exportable_layer(project_, layer) || shown[layer]) continue;
                shown[layer] = true;
                layers.visible.push_back(layer_list_line(layer, project_.layers[layer]));
            }
            for (int layer = 0; layer < project_.layer_count && layer < kMaxLayers; ++layer)
                if (!shown[layer]) layers.ignored.push_back(layer_list_line(layer, project_.layers[layer]));
            break;
        }
        case kExportTabRegions:
            regions = ExportRegionsPage{};
            for (int layer = 0; layer < project_.layer_count && layer < kMaxLayers; ++layer)
                regions.layers.push_back(layer_list_line(layer, project_.layers[layer]));
            regions.has_level = settings_.region_level_count > 0;
            regions.level_name = std::string(field_text(settings_.region_level_name));
            regions.source_layer = settings_.region_source_layer;
            break;
        case kExportTabMisc:
            misc = ExportMiscPage{};
            misc.publisher_info = settings_.flags & kExportPublisherInfo;
            misc.selection_only = settings_.flags & kExportSelectionOnly;
            misc.has_preferences = settings_.has_map_preferences != 0;
            misc.map_class = clamp_choice(settings_.map_class - kMapClassSmall, kMapClassCount);
            misc.simplify = fit_amount_text(settings_.fit.simplify);
            misc.split_long_lines = settings_.fit.split_long_lines;
            misc.min_area = fit_amount_text(settings_.fit.min_area);
            misc.fit_map_class = settings_.fit.fit_map_class;
            break;
        default:
            break;
    }
}

void ExportDialog::store_page(int tab) {
    switch (tab) {
        case kExportTabId:
            set_field(settings_.map_name, id.map_name);
            settings_.map_id = parse_map_id_text(id.map_id);
            settings_.parent_map_id = parse_map_id_text(id.parent_id);
            break;
        case kExportTabLayers: {
            int count = 0;
            for (const std::string& entry : layers.visible) {
                if (count == kMaxExportLayers) break;
                const int layer = layer_of_entry(entry);
                if (exportable_layer(project_, layer)) settings_.visible_layers[count++] = layer;
            }
            settings_.visible_layer_count = count;
            break;
        }
        case kExportTabRegions:
            settings_.region_level_count = regions.has_level ? 1 : 0;
            set_field(settings_.region_level_name, regions.level_name);
            settings_.region_source_layer = regions.source_layer;
            break;
        case kExportTabMisc:
            // The whole word is rewritten: only the two boxes reach it.
            settings_.flags =
                (misc.map_notes ? kExportMapNotes : 0) | (misc.publisher_info ? kExportPublisherInfo : 0);
            settings_.has_map_preferences = misc.has_preferences ? 1 : 0;
            settings_.map_class = int16_t(kMapClassSmall + clamp_choice(misc.map_class, kMapClassCount));
            // Text that is no amount was refused by "Export" and "Size..." before it gets here.
            settings_.fit.simplify = fit_amount_of(misc.simplify);
            settings_.fit.split_long_lines = misc.split_long_lines;
            settings_.fit.min_area = fit_amount_of(misc.min_area);
            settings_.fit.fit_map_class = misc.fit_map_class;
            break;
        default:
            break;
    }
}

void ExportDialog::add_layer(Host& host) {
    const int i = layers.selected_ignored;
    if (i < 0 || i >= int(layers.ignored.size())) return;
    if (int(layers.visible.size()) >= kMaxExportLayers) {
        host.message_box("Maximum visible layers reached", "Notice", MessageIcon::Warning,
                         MessageButtons::Ok);
        return;
    }
    layers.visible.push_back(layers.ignored[size_t(i)]);
    layers.ignored.erase(layers.ignored.begin() + i);
    layers.selected_ignored = -1;
}

void ExportDialog::remove_layer() {
    const int i = layers.selected_visible;
    if (i < 0 || i >= int(layers.visible.size())) return;
    layers.ignored.push_back(layers.visible[size_t(i)]);
    layers.visible.erase(layers.visible.begin() + i);
    layers.selected_visible = -1;
}

bool ExportDialog::layer_properties(Host& host) {
    const int i = layers.selected_visible;
    if (i < 0 || i >= int(layers.visible.size())) return false;
    const int layer = layer_of_entry(layers.visible[size_t(i)]);
    if (!exportable_layer(project_, layer)) return false;
    LayerPropertiesDialog dialog = open_layer_properties(settings_, layer);
    if (host.run_dialog(dialog) != 1) return false;
    store_layer_properties(dialog, settings_);
    return true;
}

void ExportDialog::more_regions(Host& host) {
    if (regions.has_level) {
        show_error(host, "Maximum Region Levels reached.");
        return;
    }
    regions.has_level = true;
    regions.level_name.clear();
    regions.source_layer = 0;
}

void ExportDialog::fewer_regions() {
    regions.has_level = false;
}

bool ExportDialog::preference_details(Host& host) {
    MapPreferencesDialog dialog = open_map_preferences(settings_);
    if (host.run_dialog(dialog) != 1) return false;
    store_map_preferences(dialog, settings_);
    return true;
}

namespace {

// The number the field starts with must lie in 0..65535: any other would be written as another ID.
bool map_id_text_fits(std::string_view text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return true;
    const bool negative = text[i] == '-';
    if (text[i] == '+' || negative) ++i;
    long value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value <= 65535; ++i, digits = true)
        value = value * 10 + (text[i] - '0');
    return !digits || (!negative && value <= 65535);
}

}  // namespace

bool ExportDialog::fit_amounts_sound(Host& host) {
    double amount = 0;
    for (const std::string* text : {&misc.simplify, &misc.min_area}) {
        if (text->empty() || parse_fit_amount(*text, amount)) continue;
        show_error(host, "The simplification and the minimum area must be numbers, 0 or more.");
        current_tab = kExportTabMisc;
        return false;
    }
    return true;
}

void ExportDialog::size_pressed(Host& host) {
    if (!fit_amounts_sound(host)) return;
    const ExportSettings kept = settings_;
    for (int tab = 0; tab < kExportTabCount; ++tab) store_page(tab);
    const ExportSettings chosen = settings_;
    settings_ = kept;
    if (const ExportChoiceCheck check = check_export_choices(chosen, project_); !check.ok) {
        misc.size_report = check.message;
        return;
    }
    std::string report;
    for (int c = 0; c < kMapClassCount; ++c)
        report +=
            format_data_area_use(measure_data_area(project_, chosen, int16_t(kMapClassSmall + c), Rect{}));
    std::erase(report, '\r');
    if (!report.empty() && report.back() == '\n') report.pop_back();
    misc.size_report = report;
}

bool ExportDialog::export_pressed(Host& host) {
    if (!fit_amounts_sound(host)) {
        accepted_ = false;
        return false;
    }
    const std::pair<const std::string*, const char*> ids[] = {{&id.map_id, "Map ID"},
                                                              {&id.parent_id, "Parent ID"}};
    for (const auto& [text, field] : ids) {
        if (map_id_text_fits(*text)) continue;
        show_error(host, std::string(field) + " must be a number from 0 to 65535.");
        current_tab = kExportTabId;
        accepted_ = false;
        return false;
    }
    for (int tab = 0; tab < kExportTabCount; ++tab) store_page(tab);
    take_position_from_range(project_);
    const ExportChoiceCheck check = check_export_choices(settings_, project_);
    if (!check.ok) {
        show_error(host, check.message);
        current_tab = check.tab;
    }
    accepted_ = check.ok;
    return check.ok;
}

}  // namespace plotwell
