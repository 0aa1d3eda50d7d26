#include "dialogs/select_objects_dialog.h"

#include "dialogs/object_details_dialog.h"
#include "model/vocabulary.h"

namespace plotwell {

SelectObjectsModel::SelectObjectsModel(uint8_t& dimension, int& type) : dimension_(dimension), type_(type) {
    dimensions.assign(std::begin(kDimensionNames), std::end(kDimensionNames));
    const int d = dimension < kDimensionCount ? dimension : 0;
    select_dimension(d);
    if (type >= 0 && type + 1 < int(types.size())) type_selection = type + 1;
}

void SelectObjectsModel::select_dimension(int index) {
    if (index < 0 || index >= int(dimensions.size())) return;
    dimension_selection = index;
    types = type_list(uint8_t(index));
    types.insert(types.begin(), kAnyType);
    type_selection = 0;
}

void SelectObjectsModel::select_type(int index) {
    if (index >= 0 && index < int(types.size())) type_selection = index;
}

bool SelectObjectsModel::ok() {
    dimension_ = uint8_t(dimension_selection);
    type_ = type_selection - 1;
    return true;
}

}  // namespace plotwell
