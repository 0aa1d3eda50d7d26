#include "dialogs/group_properties_dialog.h"

#include "dialogs/object_details_dialog.h"
#include "model/records.h"

namespace plotwell {

GroupPropertiesModel::GroupPropertiesModel(uint8_t dimension, uint8_t& type) : type_(type) {
    const uint8_t d = dimension == kDimLine ? kDimLine : kDimPolygon;
    dimension_text = d == kDimLine ? "LINE" : "POLYGON";
    types = type_list(d);
    type_selection = type < types.size() ? type : -1;
}

bool GroupPropertiesModel::ok() {
    if (type_selection >= 0 && type_selection < int(types.size())) type_ = uint8_t(type_selection);
    return true;
}

}  // namespace plotwell
