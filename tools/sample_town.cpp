#include "sample_town.h"

#include <cmath>
#include <vector>

#include "model/object_storage.h"
#include "model/text.h"
#include "model/vocabulary.h"

namespace plotwell::tool {

namespace {
// Town centre, in millionths of a degree.
constexpr int32_t kCx = 8500000;
constexpr int32_t kCy = 47300000;

Layer& new_layer(Project& p, const char* name, uint8_t type, uint8_t theme) {
    Layer& layer = p.layers[p.layer_count++];
    layer.type = type;
    layer.theme = theme;
    layer.display_flags = kLayerShowAlways;
    set_field(layer.name, name);
    return layer;
}

void shape(Layer& layer, uint8_t dimension, uint8_t type, const char* name, const std::vector<Point>& pts) {
    ObjectHead head;
    head.dimension = dimension;
    head.type = type;
    set_field(head.name, name);
    make_object(layer, head, pts.data(), int32_t(pts.size()));
}

// A street cut into segments of `pieces` parts, each its own object with the same name, as digitised data
// and imported road networks usually are.
void street(Layer& layer, uint8_t type, const char* name, Point from, Point to, int pieces) {
    for (int i = 0; i < pieces; ++i) {
        auto at = [&](int k) {
            return Point{from.x + int32_t(int64_t(to.x - from.x) * k / pieces),
                         from.y + int32_t(int64_t(to.y - from.y) * k / pieces)};
        };
        const Point a = at(i), b = at(i + 1);
        shape(layer, kDimLine, type, name, {a, {(a.x + b.x) / 2, (a.y + b.y) / 2}, b});
    }
}

std::vector<Point> ring(Point centre, int32_t rx, int32_t ry, int n) {
    std::vector<Point> pts;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        pts.push_back({centre.x + int32_t(std::lround(rx * std::cos(a))), centre.y + int32_t(std::lround(ry * std::sin(a)))});
    }
    return pts;
}

std::vector<Point> box(int32_t x0, int32_t y0, int32_t x1, int32_t y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

void point(Layer& layer, const char* name, Point at, uint8_t icon) {
    ObjectHead head;
    head.dimension = kDimPoint;
    head.type = kPntFeature;
    set_field(head.name, name);
    MapObject* o = make_object(layer, head, &at, 1);
    set_icon_code(o, icon);
}

void category_point(Layer& layer, const char* name, Point at, uint8_t category, uint8_t sub_type) {
    ObjectHead head;
    head.dimension = kDimPoint;
    head.type = kCatPntFeature;
    head.category = category;
    head.sub_type = sub_type;
    set_field(head.name, name);
    make_object(layer, head, &at, 1);
}
}  // namespace

void build_sample_town(Project& p) {
    set_field(p.name, "Millbrook");
    p.projection = 0;
    p.coord_sys = kCoordDegrees;
    p.range = {kCx - 20000, kCy - 15000, 40000, 30000};
    // The town is placed on the globe, so the handheld can show a position.
    p.geo.mode = kGeoScaleAndPos;
    p.geo.west = p.range.x_min;
    p.geo.east = p.range.x_min + p.range.width;
    p.geo.south = p.range.y_min;
    p.geo.north = p.range.y_min + p.range.height;

    Layer& land = new_layer(p, "Land", kEraseBkg, kThemeLand);
    shape(land, kDimPolygon, kLandArea, "Millbrook", box(kCx - 20000, kCy - 15000, kCx + 20000, kCy + 15000));

    Layer& water = new_layer(p, "Water", kSngTypedObjs, kThemeWater);
    std::vector<Point> river;
    for (int i = 0; i <= 40; ++i)
        river.push_back({kCx - 20000 + i * 1000, kCy - 9000 + int32_t(std::lround(2500 * std::sin(i * 0.35)))});
    shape(water, kDimLine, kRiver, "Mill River", river);
    shape(water, kDimLine, kWaterline, "Mill Race", {{kCx - 6000, kCy - 9500}, {kCx - 5000, kCy - 5000}, {kCx - 3000, kCy - 2500}});
    shape(water, kDimPolygon, kWaterArea, "Swan Lake", ring({kCx + 11000, kCy + 8000}, 3500, 2200, 12));
    shape(water, kDimPolygon, kWaterArea, "Mill Pond", ring({kCx - 12000, kCy - 4000}, 1200, 900, 8));

    Layer& parks = new_layer(p, "Parks", kSngTypedObjs, kThemeParks);
    shape(parks, kDimPolygon, kOpenSpace, "Town Park", box(kCx + 2000, kCy + 2000, kCx + 6000, kCy + 5500));
    shape(parks, kDimPolygon, kOpenSpace, "Riverside Meadow",
          {{kCx - 16000, kCy - 12500}, {kCx - 8000, kCy - 13000}, {kCx - 7000, kCy - 10500}, {kCx - 15000, kCy - 10000}});
    shape(parks, kDimPolygon, kOpenSpace, "Swan Lake Park", ring({kCx + 11000, kCy + 8000}, 5500, 3800, 16));

    Layer& rail = new_layer(p, "Rail", kSngTypedObjs, kThemeRailways);
    street(rail, kRailroad, "Valley Line", {kCx - 20000, kCy + 6000}, {kCx + 20000, kCy + 1000}, 4);

    Layer& roads = new_layer(p, "Roads", kMiscTypedObjs, kThemeRoads);
    street(roads, kFreeway, "A7 Bypass", {kCx - 20000, kCy + 12500}, {kCx + 20000, kCy + 11000}, 5);
    street(roads, kHighway, "Main Street", {kCx - 18000, kCy}, {kCx + 18000, kCy}, 6);
    street(roads, kRoad3, "Station Road", {kCx, kCy - 14000}, {kCx, kCy + 12500}, 5);
    street(roads, kRoad4, "Mill Lane", {kCx - 12000, kCy - 8000}, {kCx - 12000, kCy + 6000}, 3);
    street(roads, kRoad4, "Lake Road", {kCx + 6000, kCy}, {kCx + 15000, kCy + 11000}, 3);
    for (int i = 1; i <= 4; ++i) {
        static const char* const names[] = {"", "Church Street", "School Street", "Baker Street", "Elm Street"};
        const int32_t y = kCy - 6000 + i * 2500;
        street(roads, kRoad5, names[i], {kCx - 8000, y}, {kCx + 8000, y}, 2);
    }
    street(roads, kRoad6, "Old Quarry Track", {kCx + 8000, kCy - 3000}, {kCx + 18000, kCy - 13000}, 2);
    street(roads, kBorder, "Parish Boundary", {kCx - 20000, kCy - 14500}, {kCx + 20000, kCy - 14500}, 1);
    shape(roads, kDimPolygon, kBuilding, "Town Hall", box(kCx + 500, kCy + 500, kCx + 1500, kCy + 1300));
    shape(roads, kDimPolygon, kBuilding, "Millbrook Station", box(kCx - 700, kCy + 4000, kCx + 700, kCy + 4700));

    Layer& places = new_layer(p, "Places", kMiscTypedObjs, kThemePlaces);
    point(places, "Millbrook", {kCx, kCy + 500}, kIconPopulationBit + 3);  // Town
    point(places, "Swan Lake", {kCx + 11000, kCy + 8000}, kIconLabelMajor);
    point(places, "Mill Quarter", {kCx - 12000, kCy - 2000}, kIconLabelMinor);
    point(places, "Station Hotel", {kCx + 400, kCy + 3600}, 0);
    point(places, "The Old Mill", {kCx - 12300, kCy - 4800}, 1);
    point(places, "Millbrook Police", {kCx + 2500, kCy - 800}, 3);
    point(places, "St Mary's Hospital", {kCx - 5000, kCy + 2600}, 4);
    point(places, "Town Bank", {kCx + 1200, kCy - 600}, 5);
    point(places, "Post Office", {kCx - 900, kCy - 700}, 8);
    point(places, "Millbrook Station", {kCx, kCy + 4300}, 9);
    point(places, "St Mary's Church", {kCx - 4000, kCy - 1000}, 17);
    point(places, "Lakeside Camping", {kCx + 15500, kCy + 9500}, 16);
    point(places, "Bypass Fuel", {kCx - 9000, kCy + 12000}, 22);
    category_point(places, "Corner Cafe", {kCx - 2000, kCy + 400}, 0, 1);
    category_point(places, "Mill Bakery", {kCx - 6000, kCy - 3300}, 0, 0);
    category_point(places, "Market Hall", {kCx + 3000, kCy + 900}, 3, 0);

    ObjectHead link;
    link.dimension = kDimPoint;
    link.type = kLink;
    set_field(link.name, "valley");  // the neighbouring map's basename
    const Point link_at{kCx - 19000, kCy + 14000};
    make_object(places, link, &link_at, 1);
}

}  // namespace plotwell::tool
