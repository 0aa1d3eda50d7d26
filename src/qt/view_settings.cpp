#include "qt/view_settings.h"

#include <QSettings>

namespace plotwell::qt {

namespace {
constexpr const char* kShowNames = "view/showNames";
constexpr const char* kFillPolygons = "view/fillPolygons";
constexpr const char* kLayerPanel = "view/layerPanel";
}  // namespace

void load_view_settings(ViewState& view) {
    QSettings settings;
    view.show_names = settings.value(kShowNames, false).toBool();
    view.fill_polygons = settings.value(kFillPolygons, false).toBool();
}

void save_view_settings(const ViewState& view) {
    QSettings settings;
    settings.setValue(kShowNames, view.show_names);
    settings.setValue(kFillPolygons, view.fill_polygons);
}

bool layer_panel_setting() {
    return QSettings().value(kLayerPanel, true).toBool();
}

void save_layer_panel_setting(bool shown) {
    QSettings().setValue(kLayerPanel, shown);
}

}  // namespace plotwell::qt
