#include "export/database_preview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "export/export_settings.h"
#include "model/bytes.h"

namespace plotwell {

namespace {
constexpr size_t kMaxDatabaseSize = size_t(64) << 20;
}

Result open_preview(DatabasePreviewModel& model, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes, kMaxDatabaseSize)) return failure("Unable to read " + path + "!");
    model.path = path;
    model.report = inspect_database(bytes);
    const DisplaySettings display = display_settings(model.report);
    model.view.zoom = display.initial_zoom;
    model.view.centre = display.centre;
    return success();
}

void set_preview_zoom(DatabasePreviewModel& model, int zoom) {
    model.view.zoom = std::clamp(zoom, 0, kRenderZoomCount - 1);
}

void set_preview_size(DatabasePreviewModel& model, int width, int height) {
    model.view.width = std::clamp(width, 1, kMaxRenderSide);
    model.view.height = std::clamp(height, 1, kMaxRenderSide);
}

void pan_preview(DatabasePreviewModel& model, int dx, int dy) {
    const double units = units_per_pixel(model.report, model.view);
    const ScaledPoint c = model.view.centre.value_or(display_settings(model.report).centre);
    auto moved = [&](uint16_t v, int d) {
        return uint16_t(std::clamp(std::lround(v - d * units), 0L, 65535L));
    };
    model.view.centre = ScaledPoint{moved(c.x, dx), moved(c.y, dy)};
}

Image preview_picture(const DatabasePreviewModel& model) {
    return render_database(model.report, model.view);
}

std::string preview_status(const DatabasePreviewModel& model) {
    const ScaledPoint c = model.view.centre.value_or(display_settings(model.report).centre);
    char text[160];
    std::snprintf(text, sizeof text, "%s  centre %u,%u  %zu objects", kZoomNames[model.view.zoom],
                  unsigned(c.x), unsigned(c.y), model.report.definitions.size());
    std::string out = text;
    if (!model.report.ok())
        out += "  - " + std::to_string(model.report.violations.size()) +
               " faults, not shown: " + model.report.violations.front();
    return out;
}

}  // namespace plotwell
