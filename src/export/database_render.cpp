#include "export/database_render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "export/database_writer.h"
#include "export/name_index.h"
#include "model/bytes.h"
#include "model/raster.h"

namespace plotwell {

namespace {

enum class Figure { line, area, point, hidden };

struct Style {
    Figure figure = Figure::line;
    uint32_t colour = 0xFF808080;
    int width = 1;
    uint32_t outline = 0;  // areas: a border colour, 0 for none
};

constexpr uint32_t kOutside = 0xFFD0D0D0;
constexpr uint32_t kSheet = 0xFFFFFFFF;
constexpr uint32_t kRegionOutline = 0xFF9050B0;
constexpr uint32_t kText = 0xFF202020;
constexpr uint32_t kHalo = 0xFFFFFFFF;

// By type code, in the spirit of a road map: strong roads, blue water, green parks.
Style style_of(uint8_t type) {
    switch (type) {
        case 1:
            return {Figure::line, 0xFFD04020, 4};  // FREEWAY
        case 2:
            return {Figure::line, 0xFFE89030, 3};  // HIGHWAY
        case 3:
            return {Figure::line, 0xFFE8C040, 2};  // ROAD3
        case 4:
            return {Figure::line, 0xFF909090, 2};  // ROAD4
        case 5:
            return {Figure::line, 0xFF808080, 1};  // ROAD5
        case 6:
            return {Figure::line, 0xFFB0B0B0, 1};  // ROAD6
        case 7:
            return {Figure::area, 0xFFAACDF0, 0};  // WATER
        case 8:
            return {Figure::area, 0xFFBEE1A0, 0};  // OPENSPACE
        case 9:
            return {Figure::point, 0xFFC82020, 7};  // PNTFEATURE
        case 10:
            return {Figure::line, 0xFF4682C8, 2};  // RIVER
        case 11:
            return {Figure::line, 0xFF4682C8, 1};  // WATERLINE
        case 12:
            return {Figure::line, 0xFF202020, 1};  // RAILROAD
        case 14:
            return {Figure::point, 0xFF20A040, 7};  // LINK
        case 15:
            return {Figure::line, 0xFFA040A0, 1};  // BORDER
        case 16:
            return {Figure::hidden, 0, 0};  // INVISAREA
        case 17:
            return {Figure::area, 0xFFF0EBD7, 0};  // LAND
        case 18:
            return {Figure::point, 0xFF2040C0, 7};  // CATPNTFEATURE
        case 19:
            return {Figure::line, 0xFF8C3CA0, 1};  // SUBWAY
        case 20:
            return {Figure::area, 0xFFC8AA96, 0, 0xFF806050};  // BUILDING
        case 21:
            return {Figure::line, 0xFFC800C8, 2};  // SIMPLEROUTE
        default:
            return {Figure::line, 0xFF808080, 1};  // UNKNOWN: a line, or a point when it has one
    }
}

// Layer Definitions are owned by "layer N"; 0 for the region tree.
size_t layer_number(const InspectedDefinition& d) {
    unsigned n = 0;
    if (std::sscanf(d.owner.c_str(), "layer %u", &n) != 1) return 0;
    return n;
}

class Renderer {
  public:
    Renderer(const InspectReport& report, const RenderView& view) : report_(report), view_(view) {
        view_.width = std::clamp(view.width, 1, kMaxRenderSide);
        view_.height = std::clamp(view.height, 1, kMaxRenderSide);
        view_.zoom = std::clamp(view.zoom, 0, kRenderZoomCount - 1);
        settings_ = display_settings(report);
        const ScaledPoint c = view.centre.value_or(settings_.centre);
        scale_ = 1.0 / units_per_pixel(report, view_);
        cx_ = c.x;
        cy_ = c.y;
        image_ = make_image(view_.width, view_.height, kOutside);
    }

    Image run() {
        draw_sheet();
        const size_t layers = report_.layers.size();
        for (size_t layer = 1; layer <= layers; ++layer) {
            if (!layer_shown(layer)) continue;
            for (Figure pass : {Figure::area, Figure::line, Figure::point})
                for (const InspectedDefinition& d : report_.definitions)
                    if (layer_number(d) == layer && figure_of(d) == pass) draw(d, pass);
        }
        for (const InspectedDefinition& d : report_.definitions)
            if (d.owner == "region" && d.vertices.size() >= 2)
                draw_polyline(image_, pixels(d.vertices), 1, kRegionOutline, true);
        if (settings_.names_zoom >= 0 && view_.zoom >= settings_.names_zoom) draw_names();
        return std::move(image_);
    }

  private:
    bool layer_shown(size_t layer) const {
        const int category = std::min<int>(report_.layers[layer - 1].min_zoom_category, 7);
        return view_.zoom >= settings_.category_zoom[size_t(category)];
    }

    static Figure figure_of(const InspectedDefinition& d) {
        const Figure f = style_of(d.type).figure;
        if (d.is_point) return f == Figure::hidden ? f : Figure::point;
        return f == Figure::point ? Figure::line : f;
    }

    RasterPoint pixel(ScaledPoint p) const {
        return {(p.x - cx_) * scale_ + view_.width / 2.0, (p.y - cy_) * scale_ + view_.height / 2.0};
    }
    std::vector<RasterPoint> pixels(const std::vector<ScaledPoint>& points) const {
        std::vector<RasterPoint> out;
        out.reserve(points.size());
        for (ScaledPoint p : points) out.push_back(pixel(p));
        return out;
    }

    void draw_sheet() {
        const OutputRange& r = report_.output;
        const RasterPoint a = pixel({r.x_min, r.y_min});
        const RasterPoint b =
            pixel({uint16_t(std::max(r.x_max, r.x_min)), uint16_t(std::max(r.y_max, r.y_min))});
        auto side = [](double v) { return int(std::clamp(std::floor(v), -1.0, double(kMaxRenderSide + 1))); };
        fill_box(image_, {side(a.x), side(a.y), side(b.x + scale_), side(b.y + scale_)}, kSheet);
    }

    void draw(const InspectedDefinition& d, Figure figure) {
        const Style s = style_of(d.type);
        if (figure == Figure::point) {
            draw_marker(image_, pixel(d.is_point ? d.point : d.vertices.front()), 5, s.colour, 0xFF000000);
        } else if (figure == Figure::area) {
            const std::vector<RasterPoint> ring = pixels(d.vertices);
            fill_polygon(image_, ring, s.colour);
            if (s.outline) draw_polyline(image_, ring, 1, s.outline, true);
        } else if (figure == Figure::line) {
            draw_polyline(image_, pixels(d.vertices), std::max(s.width, 1), s.colour, false);
        }
    }

    // Where a name goes: right of a point, at the middle vertex of a line, at the middle of an area's
    // box; none when it would not be on the picture.
    std::optional<PixelBox> label_box(const InspectedDefinition& d) const {
        RasterPoint at;
        int x = 0, y = 0;
        const int width = text_box(0, 0, d.name).right - 1;
        if (d.is_point) {
            at = pixel(d.point);
            if (!on_picture(at)) return std::nullopt;
            x = int(at.x) + 5;
            y = int(at.y) - 2;
        } else {
            if (d.vertices.empty()) return std::nullopt;
            if (style_of(d.type).figure == Figure::area) {
                double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
                for (ScaledPoint v : d.vertices) {
                    const RasterPoint p = pixel(v);
                    left = std::min(left, p.x), right = std::max(right, p.x);
                    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
                }
                at = {(left + right) / 2, (top + bottom) / 2};
            } else {
                at = pixel(d.vertices[d.vertices.size() / 2]);
            }
            if (!on_picture(at)) return std::nullopt;
            x = int(at.x) - width / 2;
            y = int(at.y) - 2;
        }
        return text_box(x, y, d.name);
    }

    bool on_picture(RasterPoint p) const {
        return p.x >= 0 && p.y >= 0 && p.x < view_.width && p.y < view_.height;
    }

    // Points first, then lines and areas; a name that would cover one already drawn is left out, as
    // the handheld does.
    void draw_names() {
        std::vector<PixelBox> taken;
        for (bool points : {true, false})
            for (const InspectedDefinition& d : report_.definitions) {
                const size_t layer = layer_number(d);
                if (d.is_point != points || layer == 0 || !layer_shown(layer) || d.name.empty()) continue;
                if (name_position(d.type) < 0 || figure_of(d) == Figure::hidden) continue;
                const std::optional<PixelBox> box = label_box(d);
                if (!box) continue;
                if (std::any_of(taken.begin(), taken.end(),
                                [&](const PixelBox& t) { return t.overlaps(*box); }))
                    continue;
                taken.push_back(*box);
                draw_text(image_, box->left + 1, box->top + 1, d.name, kText, kHalo);
            }
    }

    const InspectReport& report_;
    RenderView view_;
    DisplaySettings settings_;
    double scale_ = 1;
    double cx_ = 0, cy_ = 0;
    Image image_;
};

}  // namespace

DisplaySettings display_settings(const InspectReport& report) {
    DisplaySettings s;
    const OutputRange& r = report.output;
    s.centre = {uint16_t((r.x_min + r.x_max) >> 1), uint16_t((r.y_min + r.y_max) >> 1)};
    const std::vector<uint8_t>& q = report.preferences;
    if (q.size() != size_t(kPreferencesBlockSize)) return s;  // without preferences all is shown at x1
    auto zoom = [](uint8_t v) { return std::min<int>(v, kRenderZoomCount - 1); };
    s.centre = {get_be16(&q[4]), get_be16(&q[6])};
    s.initial_zoom = zoom(q[8]);
    for (size_t i = 0; i < s.category_zoom.size(); ++i) s.category_zoom[i] = zoom(q[9 + i]);
    s.names_zoom = q[19] == 0xFF ? -1 : zoom(q[19]);
    return s;
}

double units_per_pixel(const InspectReport& report, const RenderView& view) {
    const OutputRange& r = report.output;
    const double w = std::max(int(r.x_max) - int(r.x_min) + 1, 1);
    const double h = std::max(int(r.y_max) - int(r.y_min) + 1, 1);
    const int width = std::clamp(view.width, 1, kMaxRenderSide),
              height = std::clamp(view.height, 1, kMaxRenderSide);
    const double fit = std::max(w / width, h / height);
    return fit / double(1 << std::clamp(view.zoom, 0, kRenderZoomCount - 1));
}

Image render_database(const InspectReport& report, const RenderView& view) {
    return Renderer(report, view).run();
}

}  // namespace plotwell
