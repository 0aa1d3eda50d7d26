#include "shapefile/record_source.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "model/bytes.h"

namespace plotwell {

namespace {
double load_double(const uint8_t* p) {
    double v;
    std::memcpy(&v, p, sizeof v);  // the layout is little-endian, as is every machine this builds for
    return v;
}
void store_double(uint8_t* p, double v) {
    std::memcpy(p, &v, sizeof v);
}
void move_point(uint8_t* p, const PointTransform& transform) {
    double x = load_double(p), y = load_double(p + 8);
    if (!transform.apply(x, y)) x = y = std::numeric_limits<double>::quiet_NaN();
    store_double(p, x);
    store_double(p + 8, y);
}
}  // namespace

void transform_shape_content(std::vector<uint8_t>& content, const PointTransform& transform) {
    if (content.size() >= 20 && get_le32s(content.data()) == kShapePoint) {
        move_point(content.data() + 4, transform);
        return;
    }
    PolyShape shape;
    if (!read_poly_shape(content, shape)) return;
    uint8_t* points = content.data() + 44 + 4 * size_t(shape.part_count());
    for (int32_t j = 0; j < shape.point_count(); ++j) move_point(points + 16 * size_t(j), transform);
}

bool ShapefileRecordSource::next_record() {
    if (!next_shape_record(reader_)) return false;
    read_attribute_record(reader_);
    if (text_ && text_->converts()) convert_character_fields(reader_.record, reader_.fields, *text_);
    if (transform_) {
        moved_.assign(reader_.content.begin(), reader_.content.end());
        transform_shape_content(moved_, *transform_);
    }
    return true;
}

std::span<const uint8_t> ShapefileRecordSource::shape() const {
    return transform_ ? std::span<const uint8_t>(moved_) : reader_.content;
}

}  // namespace plotwell
