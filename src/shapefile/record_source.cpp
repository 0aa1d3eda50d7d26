#include "shapefile/record_source.h"

#include <cstring>

#include "model/bytes.h"

namespace plotwell {

void transform_shape_content(std::vector<uint8_t>& content, const PointTransform& transform) {
    uint8_t* first = nullptr;
    size_t n = 0;
    PolyShape shape;
    if (content.size() >= 20 && get_le32s(content.data()) == kShapePoint) {
        first = content.data() + 4;
        n = 1;
    } else if (read_poly_shape(content, shape)) {
        first = content.data() + 44 + 4 * size_t(shape.part_count());
        n = size_t(shape.point_count());
    }
    if (n == 0) return;
    std::vector<double> x(n), y(n);
    for (size_t j = 0; j < n; ++j) {  // the layout is little-endian, as is every machine this builds for
        std::memcpy(&x[j], first + 16 * j, 8);
        std::memcpy(&y[j], first + 16 * j + 8, 8);
    }
    transform.apply(x, y);
    for (size_t j = 0; j < n; ++j) {
        std::memcpy(first + 16 * j, &x[j], 8);
        std::memcpy(first + 16 * j + 8, &y[j], 8);
    }
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
