// Vector sources through GDAL and reprojection, run as a user runs them: the sources are made from a
// generated shapefile with ogr2ogr, the imports run through plotwell-tool.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/run_tool.h"
#include "support/scratch_dir.h"
#include "support/shapefile_writer.h"

namespace plotwell::test {
namespace {

bool ogr2ogr(const std::string& args) {
    return std::system(("ogr2ogr " + args + " >/dev/null 2>&1").c_str()) == 0;
}

#define SKIP_WITHOUT_OGR2OGR()                                 \
    if (std::system("ogr2ogr --version >/dev/null 2>&1") != 0) \
    GTEST_SKIP() << "ogr2ogr (gdal-bin) is not installed"

std::string bytes_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Degree lines with Windows-1252 names, blanks, an empty second name and records of two parts. The
// coordinates are whole millionths, so that GeoJSON's decimal text gives back the same doubles.
ShapefileData degree_streets() {
    ShapefileData d;
    d.fields = {{"NAME", 'C', 20}, {"REF", 'C', 8}, {"KIND", 'N', 4}};
    const auto at = [](int x, int y) { return XY{x / 1e6, y / 1e6}; };
    for (int i = 0; i < 12; ++i) {
        const int x = 13000000 + i * 10000, y = 52000000 + i * 3000;
        const std::string name = i % 3 ? "RUE DE L\xC9GLISE " + std::to_string(i)
                                       : "M\xDCHLENSTRA\xDF"
                                         "E";
        std::vector<std::vector<XY>> parts{{at(x, y), at(x + 4000, y + 1000), at(x + 7000, y - 2000)}};
        if (i % 4 == 0) parts.push_back({at(x + 10000, y), at(x + 12000, y + 2000)});
        d.records.push_back(
            parts_record(parts, {name, i % 2 ? "B" + std::to_string(i) : "", std::to_string(i)}));
    }
    return d;
}

// The shapefile with its code page named, as GDAL needs to read its names.
bool write_streets(const std::string& base) {
    std::ofstream(base + ".cpg") << "1252";
    return write_shapefile(base, degree_streets());
}

std::string new_project(const ScratchDir& dir, const std::string& name) {
    const std::string path = dir.file(name);
    EXPECT_EQ(run_tool({"new", path, "--coord-sys", "degrees", "--layer", "Roads:ROADS:MISC_TYPED_OBJS",
                        "--layer", "Places:PLACES:MISC_TYPED_OBJS"})
                  .status,
              0);
    return path;
}

TEST(VectorSource, GeoJsonAndGeoPackageImportToTheShapefilesBytes) {
    SKIP_WITHOUT_OGR2OGR();
    ScratchDir dir;
    ASSERT_TRUE(write_streets(dir.file("streets")));
    const std::string shp = dir.file("streets.shp");
    ASSERT_TRUE(ogr2ogr("-f GeoJSON " + dir.file("streets.json") + " " + shp));
    ASSERT_TRUE(ogr2ogr("-f GPKG " + dir.file("streets.gpkg") + " " + shp));
    const std::string own = new_project(dir, "own.mpr");
    ASSERT_EQ(run_tool({"import-shp", own, shp, "--name-field", "NAME", "--name-field", "REF"}).status, 0);
    for (const char* source : {"streets.json", "streets.gpkg"}) {
        const std::string project = new_project(dir, std::string(source) + ".mpr");
        const ToolRun r =
            run_tool({"import", project, dir.file(source), "--name-field", "NAME", "--name-field", "REF"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(bytes_of(project), bytes_of(own)) << source;
    }
}

// Every object of a dump line by line: the name and the coordinates.
std::vector<std::vector<std::string>> dump_objects(const std::string& project) {
    std::vector<std::vector<std::string>> objects;
    std::istringstream lines(run_tool({"dump", project}).out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("object ", 0) != 0) continue;
        std::istringstream words(line);
        objects.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
    }
    return objects;
}

TEST(VectorSource, ReprojectionMatchesOgr2ogrWithinOneUnit) {
    SKIP_WITHOUT_OGR2OGR();
    ScratchDir dir;
    ASSERT_TRUE(write_streets(dir.file("deg")));
    ASSERT_TRUE(
        ogr2ogr("-s_srs EPSG:4326 -t_srs EPSG:25833 " + dir.file("utm.shp") + " " + dir.file("deg.shp")));
    ASSERT_TRUE(ogr2ogr("-t_srs EPSG:4326 " + dir.file("back.shp") + " " + dir.file("utm.shp")));
    const std::string moved = new_project(dir, "moved.mpr"), converted = new_project(dir, "converted.mpr");
    ASSERT_EQ(run_tool({"import", moved, dir.file("utm.shp"), "--name-field", "NAME"}).status, 0);
    ASSERT_EQ(run_tool({"import-shp", converted, dir.file("back.shp"), "--name-field", "NAME"}).status, 0);
    const auto a = dump_objects(moved), b = dump_objects(converted);
    ASSERT_EQ(a.size(), 15u);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].size(), b[i].size());
        for (size_t w = 0; w < a[i].size(); ++w) {
            const size_t comma = a[i][w].find(',');
            if (comma == std::string::npos || a[i][w][0] == 'n') {
                EXPECT_EQ(a[i][w], b[i][w]);
                continue;
            }
            EXPECT_LE(std::abs(std::stoll(a[i][w]) - std::stoll(b[i][w])), 1) << a[i][w] << " " << b[i][w];
            EXPECT_LE(std::abs(std::stoll(a[i][w].substr(comma + 1)) -
                               std::stoll(b[i][w].substr(b[i][w].find(',') + 1))),
                      1);
        }
    }
    // Without its .prj the projected file cannot be degrees: refused before anything is read.
    std::filesystem::remove(dir.file("utm.prj"));
    const std::string before = bytes_of(moved);
    const ToolRun r = run_tool({"import", moved, dir.file("utm.shp"), "--name-field", "NAME"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no coordinate system"), std::string::npos) << r.err;
    EXPECT_EQ(bytes_of(moved), before);
}

TEST(VectorSource, GpxOsmAndLayersOfAGeoPackage) {
    SKIP_WITHOUT_OGR2OGR();
    ScratchDir dir;
    std::ofstream(dir.file("walk.gpx"))
        << "<?xml version=\"1.0\"?><gpx version=\"1.1\" creator=\"t\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\">"
           "<wpt lat=\"52.1\" lon=\"13.1\"><name>Br\xC3\xBC"
           "cke</name></wpt>"
           "<trk><name>Walk</name><trkseg><trkpt lat=\"52.1\" lon=\"13.1\"><ele>40</ele></trkpt>"
           "<trkpt lat=\"52.2\" lon=\"13.2\"/></trkseg><trkseg><trkpt lat=\"52.3\" lon=\"13.3\"/>"
           "<trkpt lat=\"52.4\" lon=\"13.4\"/></trkseg></trk></gpx>";
    std::ofstream(dir.file("town.osm"))
        << "<?xml version=\"1.0\"?><osm version=\"0.6\"><node id=\"1\" lat=\"52.1\" lon=\"13.1\"/>"
           "<node id=\"2\" lat=\"52.2\" lon=\"13.2\"/><way id=\"3\"><nd ref=\"1\"/><nd ref=\"2\"/>"
           "<tag k=\"highway\" v=\"residential\"/><tag k=\"name\" v=\"\xC5\x8C"
           "ststra\xC3\x9F"
           "e\"/></way></osm>";
    ASSERT_TRUE(write_streets(dir.file("deg")));
    ASSERT_TRUE(ogr2ogr("-f GPKG -nln roads " + dir.file("two.gpkg") + " " + dir.file("deg.shp")));
    ASSERT_TRUE(ogr2ogr("-update -nln more " + dir.file("two.gpkg") + " " + dir.file("deg.shp")));
    ASSERT_TRUE(ogr2ogr("-f KML -dsco NameField=NAME " + dir.file("deg.kml") + " " + dir.file("deg.shp")));
    const std::string p = new_project(dir, "p.mpr");
    const auto import = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"import", p});
        args.push_back("--no-filter");
        return run_tool(args);
    };
    EXPECT_EQ(import({dir.file("walk.gpx"), "--source-layer", "tracks", "--name-field", "name"}).status, 0);
    EXPECT_EQ(import({dir.file("walk.gpx"), "--source-layer", "waypoints", "--name-field", "name", "--layer",
                      "1", "--no-downcase"})
                  .status,
              0);
    EXPECT_EQ(import({dir.file("town.osm"), "--source-layer", "lines", "--name-field", "name"}).status, 0);
    const ToolRun several = import({dir.file("two.gpkg"), "--name-field", "NAME"});
    EXPECT_EQ(several.status, 1);
    EXPECT_NE(several.err.find("roads, more"), std::string::npos) << several.err;
    EXPECT_EQ(import({dir.file("two.gpkg"), "--source-layer", "more", "--name-field", "NAME"}).status, 0);
    EXPECT_EQ(import({dir.file("deg.kml"), "--name-field", "Name", "--layer", "1"}).status, 0);
    const std::string dump = run_tool({"dump", p}).out;
    EXPECT_NE(dump.find("name=\"Walk\" points=2 13100000,52100000 13200000,52200000"), std::string::npos)
        << dump;
    EXPECT_NE(dump.find("name=\"Walk\" points=2 13300000,52300000"), std::string::npos);
    EXPECT_NE(dump.find("name=\"Br\\xFCcke\""), std::string::npos);
    EXPECT_NE(dump.find("name=\"Oststra\\xDFe\""), std::string::npos);  // O with macron becomes O
    EXPECT_NE(dump.find("name=\"Rue De L\\xC9glise 11\" points=3 13110000,52033000"), std::string::npos)
        << dump;
    EXPECT_NE(run_tool({"sources", dir.file("two.gpkg")}).out.find("layer more"), std::string::npos);
}

TEST(VectorSource, BrokenSourcesAreRefusedAndTheProjectUntouched) {
    SKIP_WITHOUT_OGR2OGR();
    ScratchDir dir;
    ASSERT_TRUE(write_streets(dir.file("deg")));
    ASSERT_TRUE(ogr2ogr("-f GPKG " + dir.file("ok.gpkg") + " " + dir.file("deg.shp")));
    const std::string whole = bytes_of(dir.file("ok.gpkg"));
    std::ofstream(dir.file("cut.gpkg"), std::ios::binary) << whole.substr(0, whole.size() / 2);
    std::ofstream(dir.file("bad.geojson")) << "{\"type\": \"FeatureCollection\", \"features\": [ {\"type\":";
    const std::string p = new_project(dir, "p.mpr");
    const std::string before = bytes_of(p);
    for (const std::vector<std::string>& source :
         std::vector<std::vector<std::string>>{{dir.file("cut.gpkg")},
                                               {dir.file("bad.geojson")},
                                               {dir.file("ok.gpkg"), "--source-layer", "nope"}}) {
        std::vector<std::string> args{"import", p};
        args.insert(args.end(), source.begin(), source.end());
        args.insert(args.end(), {"--name-field", "NAME"});
        const ToolRun r = run_tool(args);
        EXPECT_EQ(r.status, 1) << source[0];
        EXPECT_NE(r.err.find("plotwell-tool: import: "), std::string::npos) << r.err;
        EXPECT_EQ(bytes_of(p), before) << source[0];
    }
}

}  // namespace
}  // namespace plotwell::test
