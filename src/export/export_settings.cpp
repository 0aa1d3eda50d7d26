#include "export/export_settings.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace plotwell {

const char* const kMapClassNames[kMapClassCount] = {"Small  (max 128K)", "Medium (max 256K)",
                                                    "Large  (max 512K)"};
const char* const kZoomNames[kZoomCount] = {"x1", "x2", "x4", "x8", "x16"};
const char* const kZoomCategoryNames[kZoomCategoryCount] = {
    "Major Roads", "Roads", "Minor Roads", "Water", "Railways", "Parks", "Point features", "Links"};
const char* const kZoomGroupNames[kZoomGroupCount] = {
    "FREEWAY,HIGHWAY", "ROAD3,ROAD4",        "ROAD5,ROAD6",          "WATER,RIVER",
    "RAILROAD",        "OPENSP...,BUILDING", "PNTFEAT...,CATPNT...", "LINK,LABEL"};

int16_t default_zoom_category(uint8_t theme) {
    switch (theme) {
        case kThemeLand:
        case kThemeParks:
            return 5;
        case kThemeWater:
            return 3;
        case kThemeRailways:
            return 4;
        case kThemePlaces:
            return 6;
        default:
            return 0;  // ROADS, ROUTES
    }
}

void reset_export_settings(ExportSettings& settings, const Project& project,
                           std::string_view publisher_notice, std::string_view contact) {
    settings = ExportSettings{};
    int count = project.layer_count;
    if (count < 0) count = 0;
    if (count > kMaxLayers) count = kMaxLayers;
    settings.visible_layer_count = count;
    for (int i = 0; i < count; ++i) {
        settings.visible_layers[i] = i;
        settings.layer_props[i].min_zoom_category = default_zoom_category(project.layers[i].theme);
    }
    settings.map_class = kMapClassLarge;
    settings.preferences.reserved = 0xFF;
    settings.preferences.auto_detail = kAutoDetailPoints;
    if (!publisher_notice.empty() || !contact.empty()) settings.flags |= kExportPublisherInfo;
}

void follow_layer_table(ExportSettings& settings, const Project& project, const std::vector<int>& origin) {
    const int count = std::min({int(origin.size()), int(project.layer_count), kMaxLayers});
    int now[kMaxExportLayers];  // the new number of each old layer, -1 when deleted
    std::fill(std::begin(now), std::end(now), -1);
    LayerExportProps props[kMaxExportLayers];
    for (int i = 0; i < count; ++i) {
        if (origin[i] >= 0 && origin[i] < kMaxExportLayers) {
            now[origin[i]] = i;
            props[i] = settings.layer_props[origin[i]];
        } else {
            props[i].min_zoom_category = default_zoom_category(project.layers[i].theme);
        }
    }
    std::copy(std::begin(props), std::end(props), std::begin(settings.layer_props));
    int kept = 0;
    for (int v = 0; v < settings.visible_layer_count && v < kMaxExportLayers; ++v) {
        const int32_t old = settings.visible_layers[v];
        if (old >= 0 && old < kMaxExportLayers && now[old] >= 0) settings.visible_layers[kept++] = now[old];
    }
    for (int i = 0; i < count && kept < kMaxExportLayers; ++i)
        if (origin[i] < 0) settings.visible_layers[kept++] = i;
    settings.visible_layer_count = kept;
    if (settings.region_level_count > 0) {
        const int32_t old = settings.region_source_layer;
        if (old >= 0 && old < kMaxExportLayers && now[old] >= 0)
            settings.region_source_layer = now[old];
        else
            settings.region_level_count = 0;
    }
}

Result check_export_settings(const ExportSettings& settings, const Project& project) {
    char line[128];
    if (!valid_map_class(settings.map_class)) {
        std::snprintf(line, sizeof line, "Error: unknown map class 0x%X!\r\n",
                      unsigned(uint16_t(settings.map_class)));
        return failure(line);
    }
    if (settings.visible_layer_count < 0 || settings.visible_layer_count > kMaxExportLayers)
        return failure("Error: too many visible layers!\r\n");
    for (int i = 0; i < settings.visible_layer_count; ++i) {
        const int32_t layer = settings.visible_layers[i];
        if (layer < 0 || layer >= project.layer_count || layer >= kMaxLayers) {
            std::snprintf(line, sizeof line, "Error: layer %d does not exist!\r\n", int(layer));
            return failure(line);
        }
    }
    if (settings.region_level_count < 0 || settings.region_level_count > kMaxRegionLevels)
        return failure("Error: too many region levels!\r\n");
    if (settings.region_level_count > 0) {
        const int32_t layer = settings.region_source_layer;
        if (layer < 0 || layer >= project.layer_count || layer >= kMaxLayers) {
            std::snprintf(line, sizeof line, "Error: region layer %d does not exist!\r\n", int(layer));
            return failure(line);
        }
    }
    return success();
}

}  // namespace plotwell
