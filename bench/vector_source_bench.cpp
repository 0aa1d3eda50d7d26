// Import of 200,000 line features from a GeoPackage through the GDAL source, beside ogr2ogr reading
// the same file into GDAL's in-memory driver (-f Memory). The GeoPackage is made by ogr2ogr from the
// generated road segments; each case runs 5 times, the medians are the figures to compare.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_case.h"
#include "shapefile/shapefile_import.h"
#include "shapefile/vector_source.h"
#include "support/shapefile_samples.h"
#include "support/shapefile_writer.h"

namespace plotwell {
namespace {

bool have_ogr2ogr() {
    return std::system("command -v ogr2ogr >/dev/null 2>&1") == 0;
}

const std::string& geopackage() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / "plotwell_vector_bench";
        std::filesystem::create_directories(dir);
        const std::string base = (dir / "roads").string(), gpkg = (dir / "roads.gpkg").string();
        if (!have_ogr2ogr() || std::filesystem::exists(gpkg)) return gpkg;
        test::write_shapefile(base, test::sample_road_segments(2000, 100));
        std::system(("ogr2ogr -f GPKG " + gpkg + " " + base + ".shp >/dev/null 2>&1").c_str());
        return gpkg;
    }();
    return path;
}

void BM_ImportGeoPackageLines(benchmark::State& state) {
    if (!std::filesystem::exists(geopackage())) {
        state.SkipWithError("ogr2ogr is not installed: no GeoPackage to read");
        return;
    }
    for (auto _ : state) {
        Project project;
        project.coord_sys = kCoordDegrees;
        project.range = {180000000, 180000000, -360000000, -360000000};
        project.layer_count = 1;
        std::unique_ptr<VectorSource> source;
        if (!open_vector_source(geopackage(), project, {}, source).ok) {
            state.SkipWithError("cannot open the GeoPackage");
            return;
        }
        ShapeImportSettings s = default_import_settings(project, source->records->layout(), "roads", 0);
        s.name_fields = {{0}, 1};
        NullProgressSink sink;
        std::atomic<bool> running{true};
        const ShapeImportResult r = run_record_import(project, *source->records, s, sink, running);
        state.counters["objects"] = r.objects_added;
        benchmark::DoNotOptimize(project.layers[0].objects);
    }
}

void BM_Ogr2ogrToMemory(benchmark::State& state) {
    if (!std::filesystem::exists(geopackage())) {
        state.SkipWithError("ogr2ogr is not installed: no baseline");
        return;
    }
    const std::string command = "ogr2ogr -f Memory /vsimem/out " + geopackage() + " >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ogr2ogr failed");
            return;
        }
}

PLOTWELL_CASE(BM_ImportGeoPackageLines);
PLOTWELL_CASE(BM_Ogr2ogrToMemory);

}  // namespace
}  // namespace plotwell

BENCHMARK_MAIN();
