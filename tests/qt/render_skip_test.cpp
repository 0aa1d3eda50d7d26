#include <gtest/gtest.h>

#include <random>

#include "editor/editor_state.h"
#include "editor/map_paint.h"
#include "editor/view_state.h"
#include "model/vocabulary.h"
#include "qt/qt_canvas.h"
#include "support/object_builders.h"

using namespace plotwell;

namespace {
// Lines and polygons of random walks over a 100000-unit square, in three layers.
void scatter(Project& p, int objects) {
    p.coord_sys = kCoordDegrees;
    p.range = {0, 0, 100000, 100000};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> pos(0, 100000), step(-900, 900);
    for (int l = 0; l < 3; ++l) {
        Layer& layer = test::add_layer(p, "L");
        layer.display_flags = kLayerShowAlways;
        for (int i = 0; i < objects; ++i) {
            std::vector<Point> pts;
            Point at{pos(rng), pos(rng)};
            for (int k = 0; k < 12; ++k) {
                pts.push_back(at);
                at = {at.x + step(rng), at.y + step(rng)};
            }
            ObjectHead head;
            head.dimension = i % 3 == 0 ? kDimPolygon : kDimLine;
            head.type = uint8_t(i % 7);
            make_object(layer, head, pts.data(), int32_t(pts.size()));
        }
    }
}

QImage render(const Project& p, const EditorState& ed, const ViewState& v, bool skip, long long* skipped) {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::black);
    qt::QtCanvas canvas(&image);
    canvas.set_skip_outside(skip);
    paint_map(p, ed, v, canvas);
    canvas.finish();
    if (skipped) *skipped = canvas.skipped_figures();
    return image;
}
}  // namespace

TEST(RenderSkip, SkippingFiguresOutsideTheMapAreaChangesNoPixel) {
    Project p;
    scatter(p, 400);
    EditorState ed;
    ed.current_layer = 1;  // markers on one layer
    ViewState v;
    v.view_rect = {0, 30, 620, 460};
    fit_view(v, p);
    for (int zoom_steps = 0; zoom_steps <= 3; ++zoom_steps) {
        long long skipped = 0;
        const QImage fast = render(p, ed, v, true, &skipped);
        const QImage plain = render(p, ed, v, false, nullptr);
        EXPECT_EQ(fast, plain) << "zoom step " << zoom_steps;
        if (zoom_steps == 3) {
            EXPECT_GT(skipped, 1000) << "at 8x most figures lie outside";
        }
        zoom_in(v);
    }
    release_project_data(p);
}
