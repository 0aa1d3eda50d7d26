#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <fstream>

#include "model/background_image.h"
#include "model/text.h"
#include "project/project_file.h"
#include "project/raster_placement.h"
#include "support/raster_samples.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

using namespace plotwell;
using namespace plotwell::test;

namespace {

int32_t units(double degrees) {
    return int32_t(std::llround(degrees * 1e6));
}

void expect_box(const BackgroundBitmap& b, double west, double south, double east, double north) {
    EXPECT_NEAR(b.x, units(west), 1);
    EXPECT_NEAR(b.y, units(south), 1);
    EXPECT_NEAR(int64_t(b.x) + b.width, units(east), 1);
    EXPECT_NEAR(int64_t(b.y) + b.height, units(north), 1);
}

}  // namespace

TEST(RasterBackground, GeoreferencedRastersArePlacedAtTheirCornersInWgs84) {
    ScratchDir dir;
    Project project;
    project.coord_sys = kCoordDegrees;
    std::string note;

    // UTM zone 33N, 40 x 30 pixels of 250 m; the corners transformed here by OGR on their own.
    const double gt[6] = {480000, 250, 0, 5450000, 0, -250};
    ASSERT_TRUE(write_geotiff(dir.file("utm.tif"), 40, 30, gt, 32633));
    ASSERT_TRUE(add_raster_bitmap(project, "utm.tif", dir.file("utm.tif"), note).ok);
    EXPECT_EQ(note, "");
    OGRSpatialReference utm, wgs84;
    utm.importFromEPSG(32633);
    wgs84.importFromEPSG(4326);
    utm.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRCoordinateTransformation* t = OGRCreateCoordinateTransformation(&utm, &wgs84);
    double x[4] = {480000, 490000, 480000, 490000}, y[4] = {5450000, 5450000, 5442500, 5442500};
    ASSERT_TRUE(t->Transform(4, x, y));
    OGRCoordinateTransformation::DestroyCT(t);
    expect_box(project.bitmaps.entries[0], std::min(x[0], x[2]), std::min(y[2], y[3]), std::max(x[1], x[3]),
               std::max(y[0], y[1]));

    // A PNG with a world file and no coordinate system: degrees, the world file naming pixel centres.
    ASSERT_TRUE(write_geotiff(dir.file("plain.tif"), 20, 10, {0, 1, 0, 0, 0, 1}, 0));
    GDALDataset* tif = GDALDataset::Open(dir.file("plain.tif").c_str(), GDAL_OF_RASTER);
    GDALClose(GetGDALDriverManager()->GetDriverByName("PNG")->CreateCopy(dir.file("map.png").c_str(), tif,
                                                                         false, nullptr, nullptr, nullptr));
    GDALClose(tif);
    std::remove((dir.file("map.png") + ".aux.xml").c_str());
    std::ofstream(dir.file("map.pgw")) << "0.01\n0\n0\n-0.02\n13.005\n52.49\n";
    ASSERT_TRUE(add_raster_bitmap(project, "map.png", dir.file("map.png"), note).ok);
    expect_box(project.bitmaps.entries[1], 13.0, 52.3, 13.2, 52.5);
    EXPECT_EQ(project.bitmaps.count, 2);
}

TEST(RasterBackground, UnreadableRasterIsRefusedAndTheProjectFileKept) {
    ScratchDir dir;
    std::ofstream(dir.file("broken.tif")) << "not a picture";
    ASSERT_EQ(run_tool({"new", dir.file("p.mpr"), "--coord-sys", "degrees", "--layer", "R:ROADS"}).status, 0);
    const std::string before = dir.read("p.mpr");
    const ToolRun run = run_tool({"add-bitmap", dir.file("p.mpr"), dir.file("broken.tif")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Cannot read " + dir.file("broken.tif") + " as a raster"), std::string::npos);
    EXPECT_EQ(dir.read("p.mpr"), before);
    EXPECT_FALSE(load_background_image(dir.file("broken.tif")));
}
