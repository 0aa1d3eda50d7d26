// Shapefile import times on generated data, with a copy by ogr2ogr as the baseline.
//   roads:    200,000 short PolyLine segments that chain end to end into 2,000 roads (records shuffled,
//             every other segment reversed), fields NAME, ROAD_ID, REGION (one value for all)
//   polygons: 50,000 closed rings of 5 to 180 vertices
//   points:   200,000 named points
// Each case runs 5 times; the medians are the figures to compare.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_case.h"
#include "model/text.h"
#include "shapefile/shapefile_import.h"
#include "support/shapefile_samples.h"

namespace plotwell {
namespace {

struct Data {
    std::string dir;
    std::string roads, polygons, points;
};

const Data& data() {
    static const Data d = [] {
        Data out;
        out.dir = (std::filesystem::temp_directory_path() / "plotwell_shapefile_bench").string();
        std::filesystem::create_directories(out.dir);
        out.roads = out.dir + "/roads";
        out.polygons = out.dir + "/polygons";
        out.points = out.dir + "/points";
        test::write_shapefile(out.roads, test::sample_road_segments(2000, 100));
        test::write_shapefile(out.polygons, test::sample_polygons(50000));
        test::write_shapefile(out.points, test::sample_points(200000));
        return out;
    }();
    return d;
}

// Opens the files, imports into a fresh decimal-degree project, frees it: what a user waits for.
void import_file(benchmark::State& state, const std::string& base, const char* link_field) {
    for (auto _ : state) {
        Project project;
        project.coord_sys = kCoordDegrees;
        project.range = {180000000, 180000000, -360000000, -360000000};
        project.layer_count = 1;
        ShapefileReader reader;
        if (!open_shapefile(reader, base).ok) {
            state.SkipWithError("cannot open the generated shapefile");
            return;
        }
        ShapeImportSettings s = default_import_settings(project, reader, base, 0);
        s.name_fields = {{0}, 1};
        if (link_field) s.link_fields = {{find_field(reader, link_field)}, 1};
        NullProgressSink sink;
        std::atomic<bool> running{true};
        const ShapeImportResult r = run_shapefile_import(project, reader, s, sink, running);
        state.counters["objects"] = r.objects_added;
        benchmark::DoNotOptimize(project.layers[0].objects);
    }
}

void BM_ImportPoints(benchmark::State& state) {
    import_file(state, data().points, nullptr);
}
void BM_ImportPolygons(benchmark::State& state) {
    import_file(state, data().polygons, nullptr);
}
void BM_ImportRoads(benchmark::State& state) {
    import_file(state, data().roads, nullptr);
}
void BM_ImportRoadsLinkedByRoadId(benchmark::State& state) {
    import_file(state, data().roads, "ROAD_ID");
}
void BM_ImportRoadsLinkedAsOneGroup(benchmark::State& state) {
    import_file(state, data().roads, "REGION");
}

bool have_ogr2ogr() {
    return std::system("command -v ogr2ogr >/dev/null 2>&1") == 0;
}

void copy_with_ogr2ogr(benchmark::State& state, const std::string& base) {
    if (!have_ogr2ogr()) {
        state.SkipWithError("ogr2ogr is not installed: no baseline");
        return;
    }
    const std::string out = data().dir + "/ogr_copy";
    const std::string command =
        "ogr2ogr -f \"ESRI Shapefile\" -overwrite " + out + ".shp " + base + ".shp >/dev/null 2>&1";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(out + ".shp");
        std::filesystem::remove(out + ".shx");
        std::filesystem::remove(out + ".dbf");
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ogr2ogr failed");
            return;
        }
    }
}

void BM_Ogr2ogrCopyPoints(benchmark::State& state) {
    copy_with_ogr2ogr(state, data().points);
}
void BM_Ogr2ogrCopyPolygons(benchmark::State& state) {
    copy_with_ogr2ogr(state, data().polygons);
}
void BM_Ogr2ogrCopyRoads(benchmark::State& state) {
    copy_with_ogr2ogr(state, data().roads);
}

PLOTWELL_CASE(BM_ImportPoints);
PLOTWELL_CASE(BM_Ogr2ogrCopyPoints);
PLOTWELL_CASE(BM_ImportPolygons);
PLOTWELL_CASE(BM_Ogr2ogrCopyPolygons);
PLOTWELL_CASE(BM_ImportRoads);
PLOTWELL_CASE(BM_Ogr2ogrCopyRoads);
PLOTWELL_CASE(BM_ImportRoadsLinkedByRoadId);
PLOTWELL_CASE(BM_ImportRoadsLinkedAsOneGroup);

}  // namespace
}  // namespace plotwell

BENCHMARK_MAIN();
