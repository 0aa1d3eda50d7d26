#include "model/object_storage.h"

#include <cstdlib>

namespace plotwell {

namespace {
// A block holds the link pointer where the record holds its 4-byte size word.
constexpr int64_t kLinkGrowth = int64_t(sizeof(MapObject*)) - 4;

size_t block_size(int64_t record_size) {
    return size_t(record_size + kLinkGrowth);
}
}  // namespace

int64_t record_size_for(uint8_t dimension, uint8_t type, int64_t point_count) {
    if (dimension == kDimPoint) return type == kCatPntFeature ? 64 : 56;
    return 52 + 8 * (point_count < 0 ? 0 : point_count);
}

int64_t object_record_size(const MapObject* object) {
    return record_size_for(object->dimension, object->type,
                           has_points(object) ? object_point_count(object) : 0);
}

MapObject* allocate_object(int64_t record_size) {
    if (record_size < kObjectHeadSize + 4) return nullptr;  // the smallest record: a line without points
    void* block = std::calloc(1, block_size(record_size));
    return static_cast<MapObject*>(block);
}

MapObject* make_object(Layer& layer, const ObjectHead& head, const Point* points, int32_t point_count) {
    const bool lined = head.dimension == kDimLine || head.dimension == kDimPolygon;
    if (lined && point_count < 0) return nullptr;
    MapObject* o = allocate_object(record_size_for(head.dimension, head.type, lined ? point_count : 0));
    if (!o) return nullptr;
    o->dimension = head.dimension;
    o->type = head.type;
    std::memcpy(o->name, head.name, kObjectNameSize);
    if (lined) {
        set_object_point_count(o, point_count);
        if (points && point_count > 0)
            std::memcpy(object_points(o), points, size_t(point_count) * sizeof(Point));
    } else {
        if (head.type == kCatPntFeature) {
            set_object_category(o, head.category, head.sub_type);
        } else {
            set_icon_code(o, 0);
        }
        if (points) set_object_position(o, points[0]);
    }
    push_object(layer, o);
    return o;
}

void push_object(Layer& layer, MapObject* object) {
    object->next = layer.objects;
    layer.objects = object;
    ++layer.object_count;
}

void append_objects(Layer& layer, MapObject* chain) {
    MapObject** tail = &layer.objects;
    while (*tail) tail = &(*tail)->next;
    *tail = chain;
    for (MapObject* o = chain; o; o = o->next) ++layer.object_count;
}

MapObject* resize_object(Layer& layer, MapObject* object, int32_t point_count) {
    if (point_count < 0) return nullptr;
    // Find the link that points at the block before it moves; that link lives in the predecessor.
    MapObject** link = &layer.objects;
    while (*link && *link != object) link = &(*link)->next;
    const bool linked = *link == object;
    void* block = std::realloc(object, block_size(record_size_for(kDimLine, 0, point_count)));
    if (!block) return nullptr;
    MapObject* moved = static_cast<MapObject*>(block);
    if (linked) *link = moved;
    return moved;
}

void delete_object(Layer& layer, MapObject* object) {
    if (object->dimension == kDimDeleted) return;
    object->dimension = kDimDeleted;
    --layer.object_count;
}

void free_object(MapObject* object) {
    std::free(object);
}

void free_object_chain(MapObject* head) {
    while (head) {
        MapObject* next = head->next;
        free_object(head);
        head = next;
    }
}

void free_layer_objects(Layer& layer) {
    free_object_chain(layer.objects);
    layer.objects = nullptr;
    layer.object_count = 0;
}

MapObject* duplicate_object(const MapObject* object) {
    const int64_t size = object_record_size(object);
    MapObject* copy = allocate_object(size);
    if (!copy) return nullptr;
    std::memcpy(copy, object, block_size(size));
    copy->next = nullptr;
    return copy;
}

int64_t write_object_record(ByteBuffer& out, const MapObject* object) {
    const int64_t size = object_record_size(object);
    out.put_le32(uint32_t(size));
    out.put_bytes(&object->dimension, size_t(size - 4));
    return size - 4;
}

MapObject* read_object_record(ByteReader& in) {
    const size_t start = in.pos();
    uint32_t size = 0;
    const uint8_t* head = in.at(start, kObjectHeadSize + 4);
    if (!head || !in.le32(size)) return nullptr;
    const uint8_t dimension = head[4];
    const uint8_t type = head[5];
    if (dimension > kDimPolygon) return nullptr;
    const int64_t points = dimension == kDimPoint ? 0 : get_le32s(head + kObjectHeadSize);
    if (points < 0 || int64_t(size) != record_size_for(dimension, type, points)) return nullptr;
    if (!in.has(start, size)) return nullptr;
    MapObject* o = allocate_object(size);
    if (!o) return nullptr;
    in.read_bytes(&o->dimension, size - 4);
    return o;
}

}  // namespace plotwell
