// The view toggles and the layer panel's visibility, remembered between runs.
#pragma once

#include "editor/view_state.h"

namespace plotwell::qt {

void load_view_settings(ViewState& view);
void save_view_settings(const ViewState& view);
bool layer_panel_setting();
void save_layer_panel_setting(bool shown);

}  // namespace plotwell::qt
