// Repaints of a 20000 x 20000 GeoTIFF background (tiled, compressed, made here block by block) through
// the desktop program's canvas, beside a repaint of the sample map in the same run: at the fitted view,
// zoomed in 8 times (the same view again, and panning so that every repaint reads a new window), first
// without overviews and then with them. Each benchmark reports the process's peak memory so far.
#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "editor/editor_state.h"
#include "editor/map_paint.h"
#include "editor/view_state.h"
#include "model/background_image.h"
#include "model/text.h"
#include "platform/progress_sink.h"
#include "project/project_tasks.h"
#include "qt/qt_canvas.h"

using namespace plotwell;

namespace {

constexpr int kSide = 20000;
constexpr int kBlock = 256;

std::string raster_path() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("plotwell_raster_bench_" + std::to_string(getpid()) + ".tif"))
                                        .string();
    return path;
}

double peak_mb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// An RGB picture of coloured squares with a gradient, written one block at a time.
bool make_raster(const std::string& path) {
    GDALAllRegister();
    const char* const options[] = {"TILED=YES", "COMPRESS=DEFLATE", "ZLEVEL=1", "BIGTIFF=IF_SAFER", nullptr};
    GDALDataset* ds = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        path.c_str(), kSide, kSide, 3, GDT_Byte, const_cast<char**>(options));
    if (!ds) return false;
    double gt[6] = {13.0, 1e-5, 0, 53.0, 0, -1e-5};  // 0.2 degrees square
    ds->SetGeoTransform(gt);
    std::vector<uint8_t> block(size_t(kBlock) * kBlock * 3);
    bool ok = true;
    for (int by = 0; by < kSide && ok; by += kBlock)
        for (int bx = 0; bx < kSide && ok; bx += kBlock) {
            const int w = std::min(kBlock, kSide - bx), h = std::min(kBlock, kSide - by);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    uint8_t* p = &block[(size_t(y) * w + x) * 3];
                    p[0] = uint8_t((bx / kBlock) * 37);
                    p[1] = uint8_t((by / kBlock) * 53);
                    p[2] = uint8_t((x + y) / 2);
                }
            int bands[3] = {1, 2, 3};
            ok = ds->RasterIO(GF_Write, bx, by, w, h, block.data(), w, h, GDT_Byte, 3, bands, 3,
                              GSpacing(w) * 3, 1, nullptr) == CE_None;
        }
    GDALClose(ds);
    return ok;
}

struct Scene {
    Project project;
    ViewState view;
};

void repaint(benchmark::State& state, Scene& scene, int zoom_steps, bool pan) {
    EditorState editor;
    editor.current_layer = 0;  // no handles over the picture
    ViewState view = scene.view;
    fit_view(view, scene.project);
    for (int i = 0; i < zoom_steps; ++i) zoom_in(view);
    const ViewState start = view;
    QImage image(1600, 1020, QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        if (pan) {  // a new window each time, over a 4 x 4 grid of views
            view = start;
            const int32_t shift = int32_t((view.view_rect.right - view.view_rect.left) / view.zoom);
            view.origin_x += shift * (step % 4 - 2);
            view.origin_y += shift * (step / 4 % 4 - 2);
            ++step;
        }
        qt::QtCanvas canvas(&image);
        paint_map(scene.project, editor, view, canvas);
        canvas.finish();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["peak_MB"] = peak_mb();
}

Scene& sample_scene() {
    static Scene s;
    static const bool loaded = [] {
        const std::string dir = std::string(PLOTWELL_SOURCE_DIR) + "/data/sample/";
        NullProgressSink quiet;
        const bool ok = load_project_task(s.project, dir + "town", quiet, bitmap_loader({dir, dir}));
        s.view.view_rect = {0, 30, 1600, 1000};
        return ok;
    }();
    if (!loaded) std::fprintf(stderr, "the sample map did not load\n");
    return s;
}

Scene& raster_scene(bool overviews) {
    static Scene s;
    static int state = -1;  // which file the scene holds: 0 without overviews, 1 with
    if (state == int(overviews)) return s;
    if (state < 0) {
        const auto t = std::chrono::steady_clock::now();
        if (!make_raster(raster_path())) std::fprintf(stderr, "cannot write %s\n", raster_path().c_str());
        std::fprintf(stderr, "made %s in %.1f s\n", raster_path().c_str(), seconds_since(t));
    }
    if (overviews) {
        s.project.bitmaps.entries[0].image.reset();  // closes the file
        const auto t = std::chrono::steady_clock::now();
        GDALDataset* ds = GDALDataset::Open(raster_path().c_str(), GDAL_OF_RASTER | GDAL_OF_UPDATE);
        int levels[] = {2, 4, 8, 16, 32, 64};
        if (!ds || ds->BuildOverviews("AVERAGE", 6, levels, 0, nullptr, nullptr, nullptr) != CE_None)
            std::fprintf(stderr, "cannot build overviews\n");
        GDALClose(ds);
        std::fprintf(stderr, "built overviews in %.1f s\n", seconds_since(t));
    }
    const auto t = std::chrono::steady_clock::now();
    std::shared_ptr<const Image> image = load_background_image(raster_path());
    std::fprintf(stderr, "opened %s overviews in %.2f s, peak %.0f MB\n", overviews ? "with" : "without",
                 seconds_since(t), peak_mb());
    s.project.coord_sys = kCoordDegrees;
    s.project.range = {13000000, 52800000, 200000, 200000};
    s.project.layer_count = 1;
    BitmapTable& table = s.project.bitmaps;
    table.count = 1;
    table.entries[0].x = 13000000;
    table.entries[0].y = 52800000;
    table.entries[0].width = table.entries[0].height = 200000;
    table.entries[0].image = std::move(image);
    s.view.view_rect = {0, 30, 1600, 1000};
    state = int(overviews);
    return s;
}

void BM_SampleMapFitted(benchmark::State& state) {
    repaint(state, sample_scene(), 0, false);
}
void BM_RasterFitted(benchmark::State& state) {
    repaint(state, raster_scene(state.range(0)), 0, false);
}
void BM_RasterZoom8(benchmark::State& state) {
    repaint(state, raster_scene(state.range(0)), 3, false);
}
void BM_RasterZoom8Panning(benchmark::State& state) {
    repaint(state, raster_scene(state.range(0)), 3, true);
}

BENCHMARK(BM_SampleMapFitted)->Unit(benchmark::kMillisecond);
// Argument 0: the file without overviews; 1: with them.
BENCHMARK(BM_RasterFitted)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterZoom8)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterZoom8Panning)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(16);
BENCHMARK(BM_RasterFitted)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterZoom8)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterZoom8Panning)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(16);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The editor's own block cache limit, also while the file is made.
    CPLSetConfigOption("GDAL_CACHEMAX", "64");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove(raster_path(), ec);
    std::fprintf(stderr, "peak memory %.0f MB\n", peak_mb());
    return 0;
}
