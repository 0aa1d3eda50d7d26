#include "dialogs/object_details_dialog.h"

#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell {

std::vector<std::string> type_list(uint8_t dimension) {
    const uint8_t d = dimension == kDimPoint || dimension == kDimLine ? dimension : kDimPolygon;
    std::vector<std::string> out;
    for (int i = 0; i < object_type_count(d); ++i) out.emplace_back(object_type_name(d, uint8_t(i)));
    return out;
}

ObjectDetailsModel::ObjectDetailsModel(MapObject& object) : object_(&object), dimension_(object.dimension) {
    load();
}

ObjectDetailsModel::ObjectDetailsModel(ObjectHead& new_object)
    : head_(&new_object), dimension_(new_object.dimension) {
    load();
}

std::string_view ObjectDetailsModel::dialog_title() const {
    return kDimensionDialogTitles[dimension_ < kDimensionCount ? dimension_ : kDimPolygon];
}

void ObjectDetailsModel::load() {
    types = type_list(dimension_);
    const uint8_t stored = object_ ? object_->type : head_->type;
    name = object_ ? field_text(object_->name) : field_text(head_->name);
    type = stored < types.size() ? stored : -1;
}

bool ObjectDetailsModel::ok() {
    const bool type_chosen = type >= 0 && type < int(types.size());
    if (head_) {
        if (type_chosen) head_->type = uint8_t(type);
        // A new PNTFEATURE keeps its last name byte for the icon code.
        const bool simple_point = head_->dimension == kDimPoint && head_->type == kPntFeature;
        set_field(head_->name, simple_point ? kObjectNameSize - 1 : kObjectNameSize, name);
        return true;
    }
    MapObject& o = *object_;
    // An existing point keeps its type when the new one needs a record of another size: the block
    // cannot grow in place.
    if (type_chosen && (o.dimension != kDimPoint || record_size_for(o.dimension, uint8_t(type), 0) ==
                                                        record_size_for(o.dimension, o.type, 0)))
        o.type = uint8_t(type);
    const bool simple_point = o.dimension == kDimPoint && o.type == kPntFeature;
    set_field(o.name, simple_point ? kObjectNameSize - 1 : kObjectNameSize, name);
    return true;
}

}  // namespace plotwell
