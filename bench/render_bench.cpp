// Full repaints of a project of 1,000,000 vertices through the desktop program's canvas into an
// offscreen image: at the fitted view and at 8 times that zoom.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <random>

#include "editor/editor_state.h"
#include "editor/map_paint.h"
#include "editor/view_state.h"
#include "model/object_storage.h"
#include "model/vocabulary.h"
#include "qt/qt_canvas.h"

using namespace plotwell;

namespace {

constexpr int kVertices = 1000000;
constexpr int kPointsPerObject = 50;
constexpr int32_t kRangeSize = 2000000;

// Lines and polygons spread over the whole range, in four layers; roads wander, polygons are rings.
Project& big_project() {
    static Project p;
    static const bool built = [&]() {
        p.coord_sys = kCoordDegrees;
        p.range = {0, 0, kRangeSize, kRangeSize};
        std::mt19937 rng(42);
        std::uniform_int_distribution<int32_t> pos(0, kRangeSize), step(-4000, 4000), radius(500, 6000);
        const int objects = kVertices / kPointsPerObject;
        for (int l = 0; l < 4; ++l) {
            Layer& layer = p.layers[p.layer_count++];
            layer.display_flags = kLayerShowAlways;
        }
        std::vector<Point> pts(kPointsPerObject);
        for (int i = 0; i < objects; ++i) {
            ObjectHead head;
            const Point start{pos(rng), pos(rng)};
            if (i % 2 == 0) {
                head.dimension = kDimLine;
                head.type = uint8_t(i % 12);
                Point at = start;
                for (Point& q : pts) {
                    q = at;
                    at = {std::clamp(at.x + step(rng), 0, kRangeSize),
                          std::clamp(at.y + step(rng), 0, kRangeSize)};
                }
            } else {
                head.dimension = kDimPolygon;
                head.type = uint8_t(i % 5);
                const int32_t r = radius(rng);
                for (int k = 0; k < kPointsPerObject; ++k) {
                    const double a = 6.283185307 * k / kPointsPerObject;
                    pts[size_t(k)] = {start.x + int32_t(r * std::cos(a)), start.y + int32_t(r * std::sin(a))};
                }
            }
            make_object(p.layers[i % 4], head, pts.data(), kPointsPerObject);
        }
        return true;
    }();
    (void)built;
    return p;
}

void repaint(benchmark::State& state, int zoom_steps) {
    const Project& p = big_project();
    EditorState editor;
    ViewState view;
    view.view_rect = {0, 30, 1600, 1000};
    fit_view(view, p);
    for (int i = 0; i < zoom_steps; ++i) zoom_in(view);
    QImage image(1600, 1020, QImage::Format_RGB32);
    long long drawn = 0, skipped = 0;
    for (auto _ : state) {
        qt::QtCanvas canvas(&image);
        paint_map(p, editor, view, canvas);
        canvas.finish();
        drawn = canvas.drawn_figures();
        skipped = canvas.skipped_figures();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["drawn"] = double(drawn);
    state.counters["skipped"] = double(skipped);
}

void BM_RepaintFitted(benchmark::State& state) {
    repaint(state, 0);
}
void BM_RepaintZoom8(benchmark::State& state) {
    repaint(state, 3);
}

BENCHMARK(BM_RepaintFitted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintZoom8)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
