// Short ways to put objects into a layer in tests.
#pragma once

#include <initializer_list>
#include <string_view>

#include "model/object_storage.h"
#include "model/records.h"
#include "model/text.h"

namespace plotwell::test {

inline MapObject* add_line(Layer& layer, std::string_view name, std::initializer_list<Point> points,
                           uint8_t dimension = kDimLine, uint8_t type = 0) {
    ObjectHead head;
    head.dimension = dimension;
    head.type = type;
    set_field(head.name, name);
    return make_object(layer, head, points.begin(), int32_t(points.size()));
}

inline MapObject* add_point(Layer& layer, std::string_view name, Point at, uint8_t type = kPntFeature,
                            uint8_t category = 0, uint8_t sub_type = 0) {
    ObjectHead head;
    head.dimension = kDimPoint;
    head.type = type;
    head.category = category;
    head.sub_type = sub_type;
    set_field(head.name, name);
    return make_object(layer, head, &at, 1);
}

// Adds a layer to the project and returns it.
inline Layer& add_layer(Project& project, std::string_view name, uint8_t theme = kThemeRoads,
                        uint8_t type = kSngTypedObjs) {
    Layer& layer = project.layers[project.layer_count++];
    layer.type = type;
    layer.theme = theme;
    set_field(layer.name, name);
    return layer;
}

}  // namespace plotwell::test
