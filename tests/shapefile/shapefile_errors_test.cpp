// Hostile shapefiles and import profiles from tests/data/errors/: the import finishes, takes only what
// the files hold, and allocates no more than they can back.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "model/bytes.h"
#include "shapefile/import_profile.h"
#include "support/error_cases.h"

namespace plotwell::test {
namespace {

// The fuzzer's layout of one input: lengths of the main file and the index (16 bits each), an options
// byte, a layers byte, then the main file, the index and the attribute table.
ShapefileBytes split(const std::vector<uint8_t>& in) {
    ShapefileBytes b;
    if (in.size() < 6) return b;
    const size_t shp = std::min<size_t>(get_le16(in.data()), in.size() - 6);
    const size_t shx = std::min<size_t>(get_le16(in.data() + 2), in.size() - 6 - shp);
    const auto start = in.begin() + 6;
    b.shp.assign(start, start + std::ptrdiff_t(shp));
    b.shx.assign(start + std::ptrdiff_t(shp), start + std::ptrdiff_t(shp + shx));
    b.dbf.assign(start + std::ptrdiff_t(shp + shx), in.end());
    return b;
}

// Imports with the settings the dialog starts from; every object that arrives is sound.
ShapeImportResult import_defaults(const ShapefileBytes& b, Project& project) {
    add_layer(project, "roads");
    ShapefileReader reader;
    open_shapefile_bytes(reader, b.shp, b.shx, b.dbf);
    ShapeImportSettings s = default_import_settings(project, reader, "errors", 0);
    RecordingSink sink;
    std::atomic<bool> running{true};
    ShapeImportResult r = run_shapefile_import(project, reader, s, sink, running);
    int n = 0;
    for (const MapObject* o = project.layers[0].objects; o; o = o->next, ++n) {
        if (!has_points(o)) continue;
        EXPECT_GE(object_point_count(o), 2);
        EXPECT_LE(size_t(object_point_count(o)) * 16, b.shp.size()) << "more points than the file holds";
    }
    EXPECT_EQ(n, project.layers[0].object_count);
    return r;
}

TEST(ShapefileErrors, EveryKnownBadInputImportsSoundly) {
    const std::vector<ErrorCase> cases = error_cases("shapefile");
    ASSERT_GE(cases.size(), 10u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        Project project;
        const ShapeImportResult r = import_defaults(split(c.bytes), project);
        EXPECT_LE(r.objects_added, r.records_read);
    }
}

TEST(ShapefileErrors, HugeCountsSkipTheRecordWithoutReadingIt) {
    // 2^31 points (negative as a signed count), 2^31 - 1 points and 2^31 - 1 parts in a record of a
    // few dozen bytes: the record is skipped, nothing is allocated for it.
    for (const char* name : {"points_2pow31", "points_2pow31_minus1", "parts_huge"}) {
        SCOPED_TRACE(name);
        const ErrorCase c = error_case("shapefile", name);
        ASSERT_FALSE(c.bytes.empty());
        Project project;
        const ShapeImportResult r = import_defaults(split(c.bytes), project);
        EXPECT_TRUE(r.started);
        EXPECT_EQ(r.records_read, 1);
        EXPECT_EQ(r.objects_added, 0);
        EXPECT_EQ(project.layers[0].object_count, 0);
    }
}

TEST(ShapefileErrors, IndexAndCountsPastTheFilesEndTheRecords) {
    for (const char* name : {"index_offset_past_end", "index_offset_above_2pow31", "record_shorter_than_header",
                             "empty_files", "header_only"}) {
        SCOPED_TRACE(name);
        const ErrorCase c = error_case("shapefile", name);
        ASSERT_FALSE(c.bytes.empty());
        Project project;
        const ShapeImportResult r = import_defaults(split(c.bytes), project);
        EXPECT_EQ(r.objects_added, 0);
    }
    // A record declaring 2^31 - 1 words gives the content the main file holds: the whole line.
    {
        Project project;
        const ShapeImportResult r =
            import_defaults(split(error_case("shapefile", "record_declares_more_than_file").bytes), project);
        EXPECT_EQ(r.objects_added, 1);
        ASSERT_NE(project.layers[0].objects, nullptr);
        EXPECT_EQ(object_point_count(project.layers[0].objects), 3);
    }
    // An attribute table promising 2^31 - 1 records still yields the one shape the index lists.
    Project project;
    const ShapeImportResult r = import_defaults(split(error_case("shapefile", "dbf_count_beyond_file").bytes), project);
    EXPECT_EQ(r.records_read, 1);
    EXPECT_EQ(r.objects_added, 1);
}

TEST(ShapefileErrors, ImportProfilesAreRefusedWithALineNumberOrApplied) {
    // A reader with the fields the profiles name.
    ShapefileData d;
    d.shape_type = 3;
    d.fields = {{"NAME", 'C', 20}, {"CLASS", 'C', 10}, {"KIND", 'N', 5}};
    const ShapefileBytes b = build_shapefile(d);
    ShapefileReader reader;
    open_shapefile_bytes(reader, b.shp, b.shx, b.dbf);
    Project project;
    add_layer(project, "roads");
    const std::vector<ErrorCase> cases = error_cases("import_profile");
    ASSERT_GE(cases.size(), 4u);
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShapeImportSettings s = default_import_settings(project, reader, "errors", 0);
        const ShapeImportSettings before = s;
        const std::string text(c.bytes.begin(), c.bytes.end());
        const std::string error = apply_import_profile(text, reader, s).message;
        if (c.name == "crash_nul_in_substitution") {
            // Found by fuzzing: a NUL inside a text was taken, stored cut short (an empty text to
            // replace) and the profile written back could not be read again.
            EXPECT_EQ(error, "line 1: text holds a NUL character");
        } else if (c.name == "empty") {
            EXPECT_EQ(error, "");
        } else {
            EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
            EXPECT_EQ(write_import_profile(s, reader), write_import_profile(before, reader))
                << "a refused profile leaves the settings as they were";
        }
    }
}

}  // namespace
}  // namespace plotwell::test
