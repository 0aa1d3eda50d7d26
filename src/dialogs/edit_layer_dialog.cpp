#include "dialogs/edit_layer_dialog.h"

#include "model/text.h"

namespace plotwell {

EditLayerModel::EditLayerModel(Layer& layer) : layer_(layer) {
    load();
}

void EditLayerModel::load() {
    name = field_text(layer_.name);
    // A value from a damaged file selects nothing better than the first entry.
    type = layer_.type < kLayerTypeCount ? layer_.type : 0;
    theme = layer_.theme < kThemeCount ? layer_.theme : 0;
}

bool EditLayerModel::ok() {
    if (type >= 0 && type < kLayerTypeCount) layer_.type = uint8_t(type);
    if (theme >= 0 && theme < kThemeCount) layer_.theme = uint8_t(theme);
    set_field(layer_.name, name);
    return true;
}

}  // namespace plotwell
