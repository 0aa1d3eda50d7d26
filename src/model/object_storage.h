// Object records: creation, sizes, copies, resizing, deletion marks, freeing, and the record bytes as
// they stand in the project file. Each MapObject is one heap block; a layer owns its singly linked list.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "model/bytes.h"
#include "model/records.h"

namespace plotwell {

// --- geometry accessors -------------------------------------------------------------------------
inline uint8_t* object_geometry(MapObject* o) {
    return reinterpret_cast<uint8_t*>(o) + kObjectGeometryOffset;
}
inline const uint8_t* object_geometry(const MapObject* o) {
    return reinterpret_cast<const uint8_t*>(o) + kObjectGeometryOffset;
}
inline bool is_category_point(const MapObject* o) {
    return o->dimension == kDimPoint && o->type == kCatPntFeature;
}
inline bool has_points(const MapObject* o) {
    return o->dimension == kDimLine || o->dimension == kDimPolygon;
}

// Lines and polygons: point count and the contiguous 8-byte points after the 52-byte head.
inline int32_t object_point_count(const MapObject* o) {
    int32_t n;
    std::memcpy(&n, object_geometry(o), 4);
    return n;
}
inline void set_object_point_count(MapObject* o, int32_t n) {
    std::memcpy(object_geometry(o), &n, 4);
}
inline Point* object_points(MapObject* o) {
    return reinterpret_cast<Point*>(object_geometry(o) + 4);
}
inline const Point* object_points(const MapObject* o) {
    return reinterpret_cast<const Point*>(object_geometry(o) + 4);
}

// Points: the position sits at record bytes 52..59 for CATPNTFEATURE, 48..55 otherwise.
inline size_t position_offset(const MapObject* o) {
    return is_category_point(o) ? 4 : 0;
}
inline Point object_position(const MapObject* o) {
    Point p;
    std::memcpy(&p, object_geometry(o) + position_offset(o), sizeof p);
    return p;
}
inline void set_object_position(MapObject* o, Point p) {
    std::memcpy(object_geometry(o) + position_offset(o), &p, sizeof p);
}

// CATPNTFEATURE fields.
inline uint8_t object_category(const MapObject* o) {
    return object_geometry(o)[0];
}
inline uint8_t object_sub_type(const MapObject* o) {
    return object_geometry(o)[1];
}
inline void set_object_category(MapObject* o, uint8_t category, uint8_t sub_type) {
    object_geometry(o)[0] = category;
    object_geometry(o)[1] = sub_type;
}

// PNTFEATURE: the last name byte is the icon code.
inline uint8_t icon_code(const MapObject* o) {
    return uint8_t(o->name[kObjectNameSize - 1]);
}
inline void set_icon_code(MapObject* o, uint8_t code) {
    o->name[kObjectNameSize - 1] = char(code);
}

// --- sizes ---------------------------------------------------------------------------------------
// Record size on disk (with the size word): 56 for PNTFEATURE and LINK, 64 for CATPNTFEATURE,
// 52 + 8 * point_count for lines and polygons.
int64_t record_size_for(uint8_t dimension, uint8_t type, int64_t point_count);
int64_t object_record_size(const MapObject* object);

// --- storage operations --------------------------------------------------------------------------
// The 48-byte head of a new object: the link word is ignored, then dimension, type and name.
struct ObjectHead {
    uint8_t dimension = 0;
    uint8_t type = 0;
    char name[kObjectNameSize] = {};
    // CATPNTFEATURE template fields copied by make_object.
    uint8_t category = 0;
    uint8_t sub_type = 0;
};

// Creates a record of the right size, fills it and pushes it at the head of the layer's list. `points`
// may be null (the geometry is then zero, or for lines and polygons left for the caller to fill).
MapObject* make_object(Layer& layer, const ObjectHead& head, const Point* points, int32_t point_count);
// Allocates a record of the given size without linking it (link cleared, body zeroed).
MapObject* allocate_object(int64_t record_size);
void push_object(Layer& layer, MapObject* object);
// Links a chain after the list's last record; object_count grows by the chain's length.
void append_objects(Layer& layer, MapObject* chain);
// Reallocates a line or polygon for `point_count` points and relinks it in place; point_count field is
// left to the caller. Returns the new block, or null (old block untouched) when memory runs out.
MapObject* resize_object(Layer& layer, MapObject* object, int32_t point_count);
void delete_object(Layer& layer, MapObject* object);
void free_layer_objects(Layer& layer);
void free_object(MapObject* object);
// Frees every block of a chain linked through `next`.
void free_object_chain(MapObject* head);
MapObject* duplicate_object(const MapObject* object);

// Owners for blocks that no layer holds: one block, or a whole chain through its head.
struct FreeObject {
    void operator()(MapObject* object) const { free_object(object); }
};
struct FreeObjectChain {
    void operator()(MapObject* head) const { free_object_chain(head); }
};
using ObjectPtr = std::unique_ptr<MapObject, FreeObject>;
using ObjectChain = std::unique_ptr<MapObject, FreeObjectChain>;

// Appends the record as the project file holds it (size word, then the body); returns size - 4.
int64_t write_object_record(ByteBuffer& out, const MapObject* object);
// Reads one record at the reader's position. The size word must agree with the record's own dimension,
// type and point count and the record must lie inside the buffer; otherwise null (nothing allocated).
MapObject* read_object_record(ByteReader& in);

}  // namespace plotwell
